#include "calendar/period_params.h"

#include <gtest/gtest.h>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar_fixture.h"
#include "support/scripted_interaction.h"

namespace planek {
namespace {

using test::duty_on;
using test::month_plan;
using test::ScriptedInteraction;

// July 2026 (31 days) shown with one worker holding duties on the 1st and
// the 31st; moving to June (30 days).
struct MonthChange : ::testing::Test {
    Plan plan = month_plan(2026, 7, 1);
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    void SetUp() override {
        plan.ui = ui;
        normatyw(plan, true, 0, true);
        ms_& m = plan.workers[0].months[0];
        m.duties[0].push_back(duty_on(1));
        m.duties[30].push_back(duty_on(31));
        m.daysOff[29].id = 5;  // a day off over 30 and 31 July
        m.daysOff[29].dayFrom = 30;
        m.daysOff[29].dayTo = 31;
        m.daysOff[30] = m.daysOff[29];
        m.daysOff[30].headIndex = 29;
    }

    plan_parameters to(int year, int month) const {
        plan_parameters p;
        p.year = year;
        p.month = month;
        return p;
    }
};

TEST_F(MonthChange, AsksWithTheOldMonthNameAndYesKeepsDayNumbers) {
    ui->answers = {Answer::Yes};
    EXPECT_EQ(zmien_parametry(plan, to(2026, 6)), ParametersOutcome::MonthChanged);
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_EQ(ui->questions[0],
              "Czy przenieść rozpisane dyżury do analogicznych dni wybranego miesiąca?\r\rJuż rozpisane dyżury i "
              "urlopy dla miesiąca Lipiec zostaną utracone.\rJeżeli chcesz je zachować wybierz \"Anuluj\", "
              "zapisz ułożony planek i dopiero po tym zmień miesiąc.");
    const ms_& m = plan.workers[0].months[0];
    ASSERT_EQ(m.duties[0].size(), 1u);
    EXPECT_EQ(m.duties[0][0].month, 6);
    EXPECT_EQ(m.duties[0][0].year, 2026);
    EXPECT_TRUE(m.duties[30].empty());  // the 31st is gone
    EXPECT_FALSE(m.daysOff[30].used());
    EXPECT_EQ(m.daysOff[29].dayTo, 30);  // the day off now ends on the 30th
    EXPECT_EQ(plan.month, 6);
    EXPECT_EQ(plan.months[0].month, 6);
    EXPECT_EQ(plan.months[0].dayCount, 30);
    EXPECT_EQ(plan.months[0].days.size(), 30u);
    EXPECT_EQ(plan.days.size(), 30u);
    EXPECT_EQ(plan.calendar.st_Calendar, " :: Kalendarz: Czerwiec 2026");
}

TEST_F(MonthChange, NoClearsTheMonth) {
    ui->answers = {Answer::No};
    plan.orphanDuties.push_back(duty_on(3));
    EXPECT_EQ(zmien_parametry(plan, to(2026, 8)), ParametersOutcome::MonthChanged);
    EXPECT_FALSE(ma_dyzury_lub_wolne(plan));
    EXPECT_EQ(plan.days.size(), 31u);
}

TEST_F(MonthChange, CancelKeepsEverything) {
    ui->answers = {Answer::Cancel};
    plan.workers[0].dayDuties.resize(31);
    EXPECT_EQ(zmien_parametry(plan, to(2026, 6)), ParametersOutcome::Cancelled);
    EXPECT_EQ(plan.month, 7);
    EXPECT_EQ(plan.days.size(), 31u);
    EXPECT_EQ(plan.workers[0].months[0].duties[30].size(), 1u);
    EXPECT_EQ(plan.workers[0].dayDuties.size(), 31u);
}

TEST_F(MonthChange, EmptyPlanIsNotAsked) {
    plan.workers[0].months[0] = ms_{};
    EXPECT_EQ(zmien_parametry(plan, to(2027, 2)), ParametersOutcome::MonthChanged);
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_EQ(plan.year, 2027);
    EXPECT_EQ(plan.days.size(), 28u);
}

TEST_F(MonthChange, SeveralTabsKeepTheFollowingMonths) {
    // Three tabs, July shown first; the period spans move at July's end only.
    plan.months.resize(3);
    plan.months[0].dayCount = 31;
    plan.months[1].dayCount = 31;
    plan.months[2].dayCount = 30;
    plan.workers[0].months.resize(3);
    plan.workers[0].months[1].duties[0].push_back(duty_on(1));
    plan.workers[0].months[1].duties[30].push_back(duty_on(31));
    std::vector<std::vector<dyzur>>& span = plan.workers[0].dayDuties;
    span.resize(92);
    span[31].push_back(duty_on(1));  // 1 August
    ui->answers = {Answer::Yes};
    EXPECT_EQ(zmien_parametry(plan, to(2026, 6)), ParametersOutcome::MonthChanged);
    EXPECT_EQ(plan.workers[0].months[1].duties[30].size(), 1u);
    EXPECT_EQ(plan.workers[0].months[1].duties[0].size(), 1u);
    ASSERT_EQ(span.size(), 91u);
    EXPECT_EQ(span[30].size(), 1u);  // 1 August now follows 30 June

    // And back to a 31-day month: a slot is inserted again.
    EXPECT_EQ(zmien_parametry(plan, to(2026, 7)), ParametersOutcome::MonthChanged);
    ASSERT_EQ(span.size(), 92u);
    EXPECT_EQ(span[31].size(), 1u);
}

TEST_F(MonthChange, StatusAndTypeAloneChangeNothingElse) {
    plan_parameters p = to(2026, 7);
    p.approvedStatus = 1;
    p.planType = 1;
    EXPECT_EQ(zmien_parametry(plan, p), ParametersOutcome::Unchanged);
    EXPECT_EQ(plan.approvedStatus, 1);
    EXPECT_EQ(plan.planType, 1);
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_EQ(plan.workers[0].months[0].duties[30].size(), 1u);
}

TEST_F(MonthChange, SwitchToWeekMode) {
    plan_parameters p = to(2026, 7);
    p.weekMode = true;
    p.weekModeFrom = 10;
    p.weekModeCount = 4;
    EXPECT_EQ(zmien_parametry(plan, p), ParametersOutcome::WeekLayout);
    EXPECT_TRUE(plan.weekMode);
    EXPECT_EQ(plan.days.size(), 4u);
    EXPECT_EQ(plan.months[0].days[0].dayNumber, 10);
    EXPECT_EQ(plan.months[0].days[3].dayNumber, 13);
    EXPECT_EQ(zmien_parametry(plan, p), ParametersOutcome::Unchanged);
}

TEST_F(MonthChange, SummariesOfListedWorkersAreRefreshed) {
    std::vector<int> refreshed;
    plan.hooks.calendar.odswiez_pracownika = [&](Plan&, int w, bool, int) { refreshed.push_back(w); };
    plan.listed = {{0, "A", false}, {7, "B¤", true}};
    ui->answers = {Answer::Yes};
    zmien_parametry(plan, to(2026, 9));
    EXPECT_EQ(refreshed, std::vector<int>{0});
}

TEST(DayMarks, HolidayAndEmergencyDutyToggles) {
    Plan plan = month_plan(2026, 5);
    normatyw(plan, true, 0, true);
    EXPECT_EQ(plan.calendar.workingDays, 20);
    ASSERT_TRUE(a_MarkAsHoliday(plan, 4));  // Tuesday 5 May
    EXPECT_EQ(plan.calendar.workingDays, 19);
    EXPECT_EQ(plan.months[0].days[4].dayClass, "sw");
    EXPECT_TRUE(wlasciwosci_dnia(plan, 4).ownHoliday);
    ASSERT_TRUE(przywroc_domyslne_swieto(plan, 4));
    EXPECT_EQ(plan.calendar.workingDays, 20);
    EXPECT_FALSE(przywroc_domyslne_swieto(plan, 4));  // nothing left to restore

    ASSERT_TRUE(a_ERDuty(plan, 4));
    EXPECT_EQ(plan.months[0].days[4].dayClass, "od");
    ASSERT_TRUE(a_ERDuty(plan, 4));
    EXPECT_EQ(plan.months[0].days[4].dayClass, "da");

    EXPECT_FALSE(a_MarkAsHoliday(plan, 31));
    EXPECT_FALSE(a_ERDuty(plan, -1));
}

TEST(DayMarks, NotesAreCutTo255Characters) {
    Plan plan = month_plan(2026, 5);
    normatyw(plan, true, 0, true);
    std::string longNote;
    for (int i = 0; i < 300; ++i) longNote += "ż";  // two bytes each
    ASSERT_TRUE(zapisz_wlasciwosci_dnia(plan, 6, longNote, true));
    const day_properties props = wlasciwosci_dnia(plan, 6);
    EXPECT_EQ(props.note.size(), 255u * 2);
    EXPECT_TRUE(props.erDuty);
    EXPECT_EQ(l_notes_caption(plan, props.note), "Notatki: (pozostało znaków: 0)");
    EXPECT_EQ(l_notes_caption(plan, "abc\r\n"), "Notatki: (pozostało znaków: 250)");
    EXPECT_EQ(przytnij_notatke("krótka"), "krótka");
    EXPECT_FALSE(zapisz_wlasciwosci_dnia(plan, 40, "x", false));
}

}  // namespace
}  // namespace planek
