#include "editing/worker_model.h"

#include <gtest/gtest.h>

#include "editing/editing_fixture.h"
#include "support/no_user_contact.h"
#include "editing/typed_time.h"

namespace planek::test {
namespace {

TEST(TypedMinutes, ReadsWhatAManagerTypes) {
    EXPECT_EQ(typed_minutes("7:35"), 455);
    EXPECT_EQ(typed_minutes("7.35"), 455);
    EXPECT_EQ(typed_minutes("7,35"), 455);
    EXPECT_EQ(typed_minutes("735"), 455);
    EXPECT_EQ(typed_minutes("19710"), 197 * 60 + 10);
    EXPECT_EQ(typed_minutes("8"), 480);
    EXPECT_EQ(typed_minutes("  7:35"), 455);
    EXPECT_EQ(typed_minutes("0__:00"), 0);
    EXPECT_EQ(typed_minutes(""), 0);
    EXPECT_EQ(typed_minutes("-1:30", 999, true), -90);
}

TEST(TypedMinutes, RefusesWhatCannotBeATime) {
    for (const char* bad : {"abc", "7:75", "999:99", "7:35:10", "1a:00", "7:355", "--1"})
        EXPECT_FALSE(typed_minutes(bad)) << bad;
    EXPECT_FALSE(typed_minutes("-1:30"));  // no sign unless asked for
    EXPECT_FALSE(typed_minutes("25:00", 24));
    EXPECT_TRUE(typed_minutes("24:00", 24));
}

struct WorkerModel : EditingFixture {
    worker_dialog_model m;
};

TEST_F(WorkerModel, AddResetsTheFormAndChecksTheCurrentGroup) {
    plan.currentGroup = 1;
    m.f.surname = "left over";
    m.f.courses = "left over";
    ASSERT_TRUE(m.openAdd(plan));
    EXPECT_TRUE(m.adding());
    EXPECT_EQ(m.f.surname, "");
    EXPECT_EQ(m.f.courses, "");
    EXPECT_EQ(m.f.currentYearHoliday, "197:10");
    EXPECT_EQ(m.f.pattern, "1200");
    EXPECT_EQ(m.f.occupation, "Pielęgniarka");
    EXPECT_EQ(m.f.education, "Wyższe");
    EXPECT_EQ(m.f.groupChecks, (std::vector<bool>{false, true}));
    for (int c : {int(m.f.color & 0xFF), int((m.f.color >> 8) & 0xFF), int((m.f.color >> 16) & 0xFF)}) {
        EXPECT_GE(c, 120);
        EXPECT_LE(c, 254);
    }
}

TEST_F(WorkerModel, NothingToAddToOrEditWithoutGroupsOrWorkers) {
    plan.groups.clear();
    plan.currentGroup = -1;
    // Each refusal comes back to the dialog; the rule tells no one.
    plan.ui = std::make_shared<NoUserContact>();
    for (const result<>& opened : {m.openAdd(plan), m.openEdit(plan, 0), usun_pracownika(plan, 0)}) {
        EXPECT_FALSE(opened);
        EXPECT_EQ(said_of(opened).kind, refusal_kind::NoGroup);
        EXPECT_EQ(said_of(opened).text, "Najpierw należy utworzyć grupę.");
    }
    build();
    plan.ui = std::make_shared<NoUserContact>();
    for (const result<>& opened : {m.openEdit(plan, 5), usun_pracownika(plan, -1)}) {
        EXPECT_FALSE(opened);
        EXPECT_EQ(said_of(opened).kind, refusal_kind::NoWorker);
        EXPECT_EQ(said_of(opened).text, "Najpierw należy dodać pracownika.");
    }
}

TEST_F(WorkerModel, InitialsOnlyIntoAnEmptyShortNameWhileAdding) {
    ASSERT_TRUE(m.openAdd(plan));
    m.f.surname = "Łukasik";
    m.fillInitials();
    EXPECT_EQ(m.f.nick, "");
    m.f.firstName = " Ewa";
    m.fillInitials();
    EXPECT_EQ(m.f.nick, "ŁE");
    m.f.nick = "X";
    m.fillInitials();
    EXPECT_EQ(m.f.nick, "X");
    ASSERT_TRUE(m.openEdit(plan, 0));
    m.f.nick = "";
    m.fillInitials();
    EXPECT_EQ(m.f.nick, "");
}

TEST_F(WorkerModel, PatternKeysAndStartLimits) {
    EXPECT_TRUE(worker_dialog_model::patternKeyAccepted(plan, '0'));
    EXPECT_TRUE(worker_dialog_model::patternKeyAccepted(plan, '2'));
    EXPECT_FALSE(worker_dialog_model::patternKeyAccepted(plan, '3'));  // two shifts
    EXPECT_FALSE(worker_dialog_model::patternKeyAccepted(plan, 'a'));
    plan.currentGroup = 1;
    EXPECT_FALSE(worker_dialog_model::patternKeyAccepted(plan, '2'));

    m.f.pattern = "1200";
    m.f.startFrom = 7;
    m.patternChanged();
    EXPECT_EQ(m.f.startFrom, 4);
    EXPECT_EQ(worker_dialog_model::startMax("1200"), 4);
    m.f.pattern = "";
    m.patternChanged();
    EXPECT_EQ(m.f.startFrom, 1);
    m.f.pattern8 = "1";
    m.f.startFrom8 = 3;
    m.pattern8Changed();
    EXPECT_EQ(m.f.startFrom8, 1);
    m.f.pattern8 = "101";
    m.f.startFrom8 = 3;
    m.pattern8Changed();
    EXPECT_EQ(m.f.startFrom8, 3);
}

TEST_F(WorkerModel, OkAddsAWorkerWithTheFormsValues) {
    ASSERT_TRUE(m.openAdd(plan));
    m.f.surname = "  Zając ";
    m.f.firstName = "Maria";
    m.f.nick = "ZMX";
    m.f.groupChecks = {true, true};
    m.f.currentYearHoliday = "200.30";
    m.f.careDaysMode = 1;
    m.f.careHours = "1600";
    m.f.partTime = "87,5";
    m.f.ownNorm = true;
    m.f.ownNormText = "160:00";
    m.f.lastMonthHours = "-2:00";
    m.f.overtimeFromPrevious = 300;
    m.f.mode = auto_mode::Pattern;
    m.f.automatDays = {true, false, true, false, true, false, true};
    ASSERT_TRUE(m.ok(plan));
    ASSERT_EQ(plan.workers.size(), 3u);
    const prac& w = plan.workers[2];
    EXPECT_EQ(m.storedIndex, 2);
    EXPECT_EQ(w.surname, "Zając");
    EXPECT_EQ(w.nick, "ZMX");
    EXPECT_EQ(w.id, 12);
    EXPECT_EQ(w.groups, "1|2|");
    EXPECT_EQ(w.holidayCurrentYear, 200 * 60 + 30);
    EXPECT_EQ(w.careDays, 16 * 60);
    EXPECT_TRUE(w.prefSystem);
    EXPECT_FALSE(w.prefWithoutAuto);
    EXPECT_EQ(w.automatDays, "1010101");
    ASSERT_EQ(w.months.size(), 1u);
    EXPECT_DOUBLE_EQ(w.months[0].partTime, 87.5);
    EXPECT_TRUE(w.months[0].ownNorm);
    EXPECT_EQ(w.months[0].ownNormValue, 160 * 60);
    EXPECT_EQ(w.months[0].overtimeManual, -120);
    EXPECT_EQ(w.months[0].overtimeTotal, 180);
    EXPECT_EQ(plan.workerIds.size(), 3u);
}

TEST_F(WorkerModel, EditKeepsDutiesIdAndOtherMonthsAndReportsANickChange) {
    plan.months.push_back(plan.months[0]);
    plan.workers[0].months.resize(2);
    plan.workers[0].months[1].partTime = 50;
    month(0).duties[3].push_back(duty(0, 4, 420, 720));
    plan.workers[0].nick = "NA";
    ASSERT_TRUE(m.openEdit(plan, 0));
    EXPECT_EQ(m.f.surname, "Nowak");
    EXPECT_EQ(m.f.groupChecks, (std::vector<bool>{true, false}));
    m.f.firstName = "Anna Maria";
    m.f.nick = "AM";
    ASSERT_TRUE(m.ok(plan));
    ASSERT_EQ(plan.workers.size(), 2u);
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_EQ(plan.workers[0].id, 10);
    EXPECT_EQ(plan.workers[0].firstName, "Anna Maria");
    EXPECT_EQ(dutiesOn(0, 4).size(), 1u);
    EXPECT_DOUBLE_EQ(plan.workers[0].months[1].partTime, 50);
    EXPECT_TRUE(m.nickChanged);
}

TEST_F(WorkerModel, DuplicateNameAsksWithEveryPartThatApplies) {
    plan.workers[1].old = true;
    plan.workers[1].groups = "2|";
    ASSERT_TRUE(m.openAdd(plan));
    m.f.surname = " kowalska ";
    m.f.firstName = "EWA";
    ui->answers = {Answer::No};
    const result<> declined = m.ok(plan);
    EXPECT_FALSE(declined);
    EXPECT_EQ(said_of(declined).kind, refusal_kind::None);  // the answer was the user's own
    EXPECT_EQ(plan.workers.size(), 2u);
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_EQ(ui->questions[0],
              "Pracownik Kowalska Ewa już istnieje.\n"
              "Znajduje się on wśród usuniętych pracowników i można go przywrócić.\n"
              "Jest on członkiem innej grupy, ale można go przypisać również do bieżącej.\n\n"
              "Jeżeli chodzi o tę samą osobę, to nie należy dodawać kolejnego pracownika, a wykorzystać już "
              "istniejącego.\n\n"
              "Czy na pewno dodać kolejnego pracownika o takim samym imieniu i nazwisku jak już istniejący?");
    ui->answers = {Answer::Yes};
    EXPECT_TRUE(m.ok(plan));
    EXPECT_EQ(plan.workers.size(), 3u);

    // an active member of the current group: only the first and last parts
    ui->questions.clear();
    prac copy = plan.workers[0];
    copy.id = 0;
    EXPECT_FALSE(dodaj_pracow(plan, copy, true, 0, -1));
    EXPECT_EQ(ui->questions[0].find("usuniętych"), std::string::npos);
    EXPECT_EQ(ui->questions[0].find("innej grupy"), std::string::npos);
    EXPECT_TRUE(dodaj_pracow(plan, copy, false, 0, -1));
}

TEST_F(WorkerModel, RefusesBadTimesUnencodableTextAndAnEmptySurname) {
    ASSERT_TRUE(m.openAdd(plan));
    // The form's problem comes back to the dialog, which shows it.
    plan.ui = std::make_shared<NoUserContact>();
    auto refused = [&] {
        const result<> r = m.ok(plan);
        EXPECT_FALSE(r);
        EXPECT_EQ(said_of(r).kind, refusal_kind::FormInvalid);
        return said_of(r).text;
    };
    m.f.firstName = "Ewa";
    EXPECT_EQ(refused(), "Należy podać nazwisko pracownika.");
    m.f.surname = "Nowicka";
    m.f.lastYearHoliday = "12:75";
    EXPECT_NE(refused().find("\"12:75\" nie jest poprawnym czasem"), std::string::npos);
    m.f.lastYearHoliday = "12:15";
    m.f.courses = "kurs ☃";
    const std::string unencodable = refused();
    EXPECT_NE(unencodable.find("\"☃\""), std::string::npos);
    EXPECT_NE(unencodable.find("Ukończone kursy"), std::string::npos);
    m.f.courses = "kurs";
    m.f.partTime = "sto";
    EXPECT_NE(refused().find("\"sto\""), std::string::npos);
    plan.ui = ui;
    EXPECT_EQ(plan.workers.size(), 2u);
    m.f.partTime = "";
    EXPECT_TRUE(m.ok(plan));
    EXPECT_DOUBLE_EQ(plan.workers.back().months[0].partTime, 100);
}

TEST_F(WorkerModel, SaveAsDefaultNeedsAPartTimeAndGoesIntoTheRecord) {
    ASSERT_TRUE(m.openAdd(plan));
    m.f.partTime = "";
    m.f.ownNorm = true;
    m.saveAsDefault();
    EXPECT_FALSE(m.f.ownNormDefault);
    m.f.partTime = "75";
    m.f.ownNormText = "120:30";
    m.saveAsDefault();
    EXPECT_EQ(m.defaultPartTimeLabel(), "75%");
    EXPECT_EQ(m.defaultNormLabel(), "120:30 h");
    m.f.surname = "Nowicka";
    ASSERT_TRUE(m.ok(plan));
    EXPECT_DOUBLE_EQ(plan.workers.back().partTimeDefault, 75);
    EXPECT_EQ(plan.workers.back().ownNormValueDefault, 120 * 60 + 30);
    EXPECT_TRUE(plan.workers.back().ownNormDefault);
}

TEST_F(WorkerModel, ArchiveKeepsDutiesRestoreAndMail) {
    month(0).duties[0].push_back(duty(0, 1, 420, 720));
    ui->answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(usun_pracownika(plan, 0));
    EXPECT_FALSE(plan.workers[0].old);
    EXPECT_TRUE(usun_pracownika(plan, 0));
    EXPECT_EQ(ui->questions[0], "Usunąć pracownika: Nowak Anna?");
    EXPECT_TRUE(plan.workers[0].old);
    EXPECT_EQ(dutiesOn(0, 1).size(), 1u);
    przywroc_pracownika(plan, 0);
    EXPECT_FALSE(plan.workers[0].old);
    const result<> none = usun_pracownika(plan, 9);
    EXPECT_FALSE(none);
    EXPECT_EQ(said_of(none).kind, refusal_kind::NoWorker);

    prac w;
    w.email = "anna.nowak";
    EXPECT_EQ(mailto_link(w), "");
    w.email = " anna@szpital.pl ";
    EXPECT_EQ(mailto_link(w), "mailto:anna@szpital.pl");
}

}  // namespace
}  // namespace planek::test
