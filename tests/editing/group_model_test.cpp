#include "editing/group_model.h"

#include <gtest/gtest.h>

#include "editing/editing_fixture.h"
#include "support/no_user_contact.h"

namespace planek::test {
namespace {

struct GroupModel : EditingFixture {
    group_dialog_model m;
};

TEST_F(GroupModel, FirstUseOffersTwoShiftsAndAddingKeepsTheFirstTwoOfTheLastGroup) {
    ASSERT_EQ(m.rows.size(), 2u);
    EXPECT_EQ(m.rows[0].start, "7:00");
    EXPECT_EQ(m.rows[1].symbol, "N");
    plan.groups[0].shifts.push_back(plan.groups[0].shifts[0]);
    plan.groups[0].shifts[0].symbol = "D";
    ASSERT_TRUE(m.openEdit(plan));
    EXPECT_EQ(m.rows.size(), 3u);
    m.openAdd(plan);
    EXPECT_TRUE(m.adding());
    EXPECT_EQ(m.name, "");
    ASSERT_EQ(m.rows.size(), 2u);
    EXPECT_EQ(m.rows[0].symbol, "D");
}

TEST_F(GroupModel, ShiftTableHoldsOneToFourShifts) {
    EXPECT_TRUE(m.append());
    EXPECT_TRUE(m.insertBefore(0));
    EXPECT_EQ(m.rows[1].start, "7:00");
    EXPECT_FALSE(m.append());
    EXPECT_FALSE(m.insertBefore(1));
    EXPECT_EQ(m.rows.size(), 4u);
    ui->answers = {Answer::No, Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_FALSE(m.deleteRow(plan, 0));
    EXPECT_EQ(ui->questions[0], "Czy usunąć wybraną zmianę?");
    EXPECT_TRUE(m.deleteRow(plan, 0));
    EXPECT_TRUE(m.deleteRow(plan, 2));
    EXPECT_TRUE(m.deleteRow(plan, 0));
    ASSERT_EQ(m.rows.size(), 1u);
    EXPECT_FALSE(m.deleteRow(plan, 0));
    EXPECT_EQ(ui->questions.size(), 4u);  // the last shift is not even asked about
}

TEST_F(GroupModel, KeyFilterPerColumn) {
    char k = ',';
    EXPECT_TRUE(group_dialog_model::keyAccepted(1, "7", k));
    EXPECT_EQ(k, ':');
    k = 'a';
    EXPECT_FALSE(group_dialog_model::keyAccepted(2, "", k));
    k = '/';
    EXPECT_TRUE(group_dialog_model::keyAccepted(6, "4", k));
    k = ':';
    EXPECT_FALSE(group_dialog_model::keyAccepted(7, "", k));
    k = 'X';
    EXPECT_TRUE(group_dialog_model::keyAccepted(3, "N", k));
    EXPECT_FALSE(group_dialog_model::keyAccepted(3, "NŚ", k));
    k = '\b';
    EXPECT_TRUE(group_dialog_model::keyAccepted(3, "NŚ", k));
}

TEST_F(GroupModel, AutoCalcTilesTheDay) {
    m.autoCalc = true;
    m.rows[0].start = "700";
    m.rows[0].length = "12";
    m.rows[1].start = "1:00";
    m.rows[1].length = "3:00";
    m.cellEdited(0, 1);
    EXPECT_EQ(m.rows[0].start, "07:00");
    EXPECT_EQ(m.rows[1].start, "19:00");
    EXPECT_EQ(m.rows[1].length, "12:00");
    m.append();
    m.rows[1].length = "8.00";
    m.cellEdited(1, 2);
    EXPECT_EQ(m.rows[2].start, "03:00");
    EXPECT_EQ(m.rows[2].length, "04:00");
    m.autoCalc = false;
    m.rows[0].length = "1,30";
    m.cellEdited(0, 2);
    EXPECT_EQ(m.rows[0].length, "01:30");
    EXPECT_EQ(m.rows[1].start, "19:00");
    m.rows[0].symbol = "ABC";
    m.cellEdited(0, 3);
    EXPECT_EQ(m.rows[0].symbol, "AB");
}

TEST_F(GroupModel, OkAddsAGroupWithItsShifts) {
    m.openAdd(plan);
    m.name = " Pediatria ";
    m.nick = "PED";
    m.rows[0].staff = "";
    m.rows[0].color = "$000000FF";
    m.customNorm = false;
    m.residueBox = false;
    ASSERT_TRUE(m.ok(plan));
    ASSERT_EQ(plan.groups.size(), 3u);
    const grupa& g = plan.groups[2];
    EXPECT_EQ(g.name, "Pediatria");
    EXPECT_EQ(g.nick, "PE");
    EXPECT_EQ(g.id, 3);
    EXPECT_EQ(g.dailyNorm, 455);
    EXPECT_EQ(g.residueDistribution, 1);
    ASSERT_EQ(g.shifts.size(), 2u);
    EXPECT_EQ(g.shifts[0].start, 420);
    EXPECT_EQ(g.shifts[0].staffMin, 0);
    EXPECT_EQ(g.shifts[0].staffMinS, 3);
    EXPECT_EQ(g.shifts[0].color, 0xFFu);
    EXPECT_EQ(g.shifts[1].length, 720);
    EXPECT_EQ(g.monthSettings.size(), 1u);
    EXPECT_EQ(plan.currentGroup, 2);
}

TEST_F(GroupModel, EditKeepsDefaultsMonthSettingsAndOldCustomNorm) {
    grupa& g = plan.groups[0];
    g.residueDistribution = 2;
    g.customNormMinutes = 9000;
    g.dailyNormDefault = 480;
    g.monthSettings = {group_month_settings{1, 1, 100}, group_month_settings{}};
    ASSERT_TRUE(m.openEdit(plan));
    EXPECT_FALSE(m.residueBox);
    m.customNorm = false;
    m.dayOffForSaturdayHoliday = true;
    ASSERT_TRUE(m.ok(plan));
    EXPECT_EQ(g.residueDistribution, 1);
    EXPECT_EQ(g.customNormMinutes, 9000);
    EXPECT_EQ(g.dailyNormDefault, 480);
    EXPECT_EQ(g.id, 1);
    ASSERT_EQ(g.monthSettings.size(), 2u);
    EXPECT_EQ(g.monthSettings[0].customNorm, 0);
    EXPECT_EQ(g.monthSettings[0].dayOffForSaturdayHoliday, 1);
    EXPECT_EQ(g.monthSettings[0].customNormMinutes, 9000);
}

TEST_F(GroupModel, RefusesAnEmptyNameZeroLengthsBadTimesAndForeignCharacters) {
    m.openAdd(plan);
    // The form's problem comes back to the dialog, which shows it.
    plan.ui = std::make_shared<NoUserContact>();
    auto refused = [&] {
        const result<> r = m.ok(plan);
        EXPECT_FALSE(r);
        EXPECT_EQ(said_of(r).kind, refusal_kind::FormInvalid);
        return said_of(r).text;
    };
    EXPECT_EQ(refused(), "Należy podać nazwę grupy.");
    m.name = "Nowa";
    m.rows[1].length = "0:00";
    EXPECT_NE(refused().find("Zmiana nr 2"), std::string::npos);
    m.rows[1].length = "12:00";
    m.rows[0].start = "25:00";
    EXPECT_NE(refused().find("\"25:00\""), std::string::npos);
    m.rows[0].start = "7:00";
    m.customNorm = true;
    m.normText = "999:99";
    EXPECT_NE(refused().find("\"999:99\""), std::string::npos);
    m.customNorm = false;
    m.rows[0].name = "Dzień ☀";
    EXPECT_NE(refused().find("☀"), std::string::npos);
    EXPECT_EQ(plan.groups.size(), 2u);
    plan.ui = ui;
}

TEST_F(GroupModel, SaveAsDefaultWritesTheCurrentGroupAtOnce) {
    ASSERT_TRUE(m.openEdit(plan));
    m.day8 = "8:00";
    m.noHolidays = true;
    ASSERT_TRUE(zapisz_domyslne_grupy(plan, m.defaults()));
    EXPECT_EQ(plan.groups[0].dailyNormDefault, 480);
    EXPECT_TRUE(plan.groups[0].noHolidaysDefault);
    EXPECT_EQ(plan.groups[0].dailyNorm, 455);
}

TEST_F(GroupModel, DeleteTakesOnlyThatIdOutOfTheWorkersGroups) {
    plan.groups[1].id = 5;
    plan.groups[0].id = 15;
    plan.workers[0].groups = "15|5|";
    plan.workers[1].groups = "5|";
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(usun_grupe(plan, 1));
    EXPECT_EQ(ui->questions[0],
              "Czy usunąć wybraną grupę?\nPracownicy nie zostaną usunięci - mogą oni zostać "
              "przypisani do innych grup.");
    EXPECT_EQ(plan.workers[0].groups, "15|");
    EXPECT_EQ(plan.workers[1].groups, "");
    EXPECT_TRUE(plan.groups[1].old);
    EXPECT_EQ(plan.workers.size(), 2u);
    EXPECT_EQ(plan.currentGroup, 0);
    plan.ui = std::make_shared<NoUserContact>();
    for (const result<>& none : {usun_grupe(plan, 7), [&] {
             plan.currentGroup = -1;
             return m.openEdit(plan);
         }()}) {
        EXPECT_FALSE(none);
        EXPECT_EQ(said_of(none).kind, refusal_kind::NoGroup);
        EXPECT_EQ(said_of(none).text, "Najpierw należy utworzyć grupę.");
    }
}

TEST_F(GroupModel, ResetNumbersPatternWorkersOfTheGroup) {
    for (int i = 0; i < 4; ++i) {
        prac w = plan.workers[0];
        w.id = word(20 + i);
        plan.workers.push_back(w);
    }
    for (prac& w : plan.workers) {
        w.prefSystem = true;
        w.systemPattern = "12";
        w.systemStartFrom = 9;
    }
    plan.workers[1].old = true;
    plan.workers[2].groups = "2|";
    resetuj_start_wzorcow(plan);
    EXPECT_TRUE(plan.patternsReset);
    // k = 0, 1, 2, 3 over workers 0, 3, 4, 5 with L = 2: (k div 2) mod 2 + 1
    EXPECT_EQ(plan.workers[0].systemStartFrom, 1);
    EXPECT_EQ(plan.workers[3].systemStartFrom, 1);
    EXPECT_EQ(plan.workers[4].systemStartFrom, 2);
    EXPECT_EQ(plan.workers[5].systemStartFrom, 2);
    EXPECT_EQ(plan.workers[1].systemStartFrom, 9);
    EXPECT_EQ(plan.workers[2].systemStartFrom, 9);
}

}  // namespace
}  // namespace planek::test
