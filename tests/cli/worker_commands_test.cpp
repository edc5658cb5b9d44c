// planek-cli worker against the window's way: the same form filled and the
// same act run in-process on a copy of the ward leave the same staff list.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli_runner.h"
#include "document/month_acts.h"
#include "document/staff_acts.h"
#include "editing/worker_model.h"
#include "support/scripted_interaction.h"
#include "support/window_session.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli_on;
using test::TempDir;

class WorkerCommands : public ::testing::Test {
protected:
    TempDir dir;
    std::string cliWard, actWard;

    void SetUp() override {
        cliWard = (dir / "cli").string();
        actWard = (dir / "act").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", cliWard}).code, 0);
        fs::copy(cliWard, actWard, fs::copy_options::recursive);
    }
    result cli(const std::vector<std::string>& args, const std::string& lang = "english") {
        return run_cli_on(dir, cliWard, args, lang);
    }
    // The staff as the command line lists it: every figure of every worker.
    std::string staff(const std::string& ward) { return run_cli_on(dir, ward, {"staff"}, "english").out; }

    // The ward of `actWard` opened in-process as the window opens it.
    using session = test::window_session;
    std::string kadra(const std::string& ward) { return read_file(fs::path(ward) / "dane" / "kadra.inr"); }
    // Every worker's stored fields, the ones the staff list does not show too.
    std::string records(const std::string& ward) {
        session s(ward);
        std::ostringstream out;
        for (const prac& w : s.plan().workers)
            out << w.id << "|" << w.surname << "|" << w.firstName << "|" << w.nick << "|" << w.groups << "|"
                << w.partTimeDefault << "|" << w.color << "|" << w.holidayCurrentYear << "|" << w.holidayPreviousYear
                << "|" << w.prefWithoutAuto << w.prefAuto8 << w.prefSystem << "|" << w.systemPattern << "|"
                << int(w.systemStartFrom) << "|" << w.systemPattern8 << "|" << w.automatDays << "|" << w.careDays
                << "|" << int(w.careDaysMode) << "|" << w.rehaDays << "|" << w.courses << "|" << w.email << "|"
                << w.occupation << "|" << w.old << "\n";
        return out.str();
    }
};

// Which boxes of the form stand for these group ids.
void check_groups(const Plan& plan, worker_dialog_model& m, std::initializer_list<word> ids) {
    for (size_t i = 0; i < m.groupIndexes.size(); ++i) {
        m.f.groupChecks[i] = false;
        for (word id : ids)
            if (plan.groups[size_t(m.groupIndexes[i])].id == id) m.f.groupChecks[i] = true;
    }
}

TEST_F(WorkerCommands, AddedAndEditedWorkersReadBackAsTheDialogStoresThem) {
    const result added = cli({"worker", "add", "--surname", "Nowak", "--first-name", "Zofia", "--group", "1",
                              "--group", "2", "--part-time", "75", "--pattern", "1200", "--start", "3", "--colour",
                              "#FFE0C0", "--nick", "ZNo", "--occupation", "położna", "--holiday", "150:30",
                              "--holiday-last-year", "-2:15", "--email", "z.nowak@example.org", "--care-days", "2",
                              "--reha-days", "5", "--courses", "ALS"});
    ASSERT_EQ(added.code, 0) << added.err;
    {
        session s(actWard);
        worker_dialog_model m;
        ASSERT_TRUE(m.openAdd(s.doc.plan(), s.doc.random()).ok());
        m.f.surname = "Nowak";
        m.f.firstName = "Zofia";
        m.f.nick = "ZNo";
        m.f.occupation = "położna";
        m.f.email = "z.nowak@example.org";
        m.f.currentYearHoliday = "150:30";
        m.f.lastYearHoliday = "-2:15";
        m.f.partTime = "75";
        m.saveAsDefault();
        m.f.pattern = "1200";
        m.f.mode = auto_mode::Pattern;
        m.f.startFrom = 3;
        m.f.color = rgb(0xFF, 0xE0, 0xC0);
        m.f.careDays = 2;
        m.f.rehaDays = 5;
        m.f.courses = "ALS";
        check_groups(s.plan(), m, {1, 2});
        const planek::result<prac> record = m.record(s.plan());
        ASSERT_TRUE(record.ok());
        const planek::result<int> stored = save_worker(s.doc, *record, -1);
        ASSERT_TRUE(stored.ok());
        EXPECT_EQ(added.out, "Added worker " + std::to_string(s.plan().workers[size_t(*stored)].id) + ": Nowak Zofia\n")
            << added.out;
    }
    EXPECT_EQ(staff(cliWard), staff(actWard));
    EXPECT_EQ(records(cliWard), records(actWard));
    EXPECT_NE(staff(cliWard).find("Nowak Zofia [ZNo]"), std::string::npos)
        << staff(cliWard);

    // An edit changes the fields named and keeps the rest.
    const result edited =
        cli({"worker", "edit", "3", "--surname", "Zielińska", "--mode", "eight", "--weekdays", "1010100", "--group", "2"});
    ASSERT_EQ(edited.code, 0) << edited.err;
    {
        session s(actWard);
        const int w = s.plan().workerIndexById(3);
        worker_dialog_model m;
        ASSERT_TRUE(m.openEdit(s.plan(), w).ok());
        m.f.surname = "Zielińska";
        m.f.mode = auto_mode::Eight;
        m.f.automatDays = {true, false, true, false, true, false, false};
        check_groups(s.plan(), m, {2});
        ASSERT_TRUE(save_worker(s.doc, *m.record(s.plan()), w).ok());
    }
    EXPECT_EQ(staff(cliWard), staff(actWard));
    EXPECT_EQ(records(cliWard), records(actWard));
}

// The fields of the other pages: the own norm beside the part time (kept as
// the default by the same button), care in hours, the form of employment,
// the user fields and the preference sliders.
TEST_F(WorkerCommands, TheOtherPagesFieldsReadBackAsTheDialogStoresThem) {
    auto fields = [this](const std::string& ward) {
        session s(ward);
        const prac& w = s.plan().workers[size_t(s.plan().workerIndexById(2))];
        std::ostringstream out;
        out << w.user1 << "|" << w.user2 << "|" << w.user3 << "|" << int(w.employmentFrom) << "|"
            << int(w.prefDayNight) << int(w.prefNormalHoliday) << "|" << int(w.careDaysMode) << "|" << w.careDays
            << "|" << w.ownNormValueDefault << w.ownNormDefault << w.ownNormCalculatedDefault << "|"
            << w.partTimeDefault;
        for (const auto& m : w.months) out << "|" << m.ownNorm << m.ownNormCalculated << m.ownNormValue;
        return out.str();
    };
    const result edited = cli({"worker", "edit", "2", "--own-norm", "150:30", "--own-norm-per-day", "yes",
                               "--care-hours", "16:00", "--employment", "Contract", "--user1", "szafka 12",
                               "--user3", "ZOZ", "--pref-day-night", "5", "--pref-normal-holiday", "1"});
    ASSERT_EQ(edited.code, 0) << edited.err;
    {
        session s(actWard);
        const int w = s.plan().workerIndexById(2);
        worker_dialog_model m;
        ASSERT_TRUE(m.openEdit(s.plan(), w).ok());
        m.f.ownNorm = m.f.ownNormCalculated = true;
        m.f.ownNormText = "150:30";
        m.saveAsDefault();
        m.f.careDaysMode = 1;
        m.f.careHours = "16:00";
        m.f.employmentFrom = 1;
        m.f.user1 = "szafka 12";
        m.f.user3 = "ZOZ";
        m.f.prefDayNight = 5;
        m.f.prefNormalHoliday = 1;
        ASSERT_TRUE(save_worker(s.doc, *m.record(s.plan()), w).ok());
    }
    EXPECT_EQ(fields(cliWard), fields(actWard));
    EXPECT_NE(fields(cliWard).find("szafka 12||ZOZ|1|51|1|960|9030"), std::string::npos) << fields(cliWard);
    // By its place in the list too; "none" takes the own norm away.
    ASSERT_EQ(cli({"worker", "edit", "2", "--employment", "3", "--own-norm", "none"}).code, 0);
    EXPECT_NE(fields(cliWard).find("|2|51|1|960|000|"), std::string::npos) << fields(cliWard);

    const std::string file = kadra(cliWard);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--employment", "9"}, {"--own-norm", "15x"}, {"--care-hours", "abc"}, {"--pref-day-night", "6"},
             {"--own-norm-per-day", "maybe"}}) {
        std::vector<std::string> args{"worker", "edit", "2"};
        args.insert(args.end(), bad.begin(), bad.end());
        const result r = cli(args);
        EXPECT_NE(r.code, 0) << bad[0];
        EXPECT_NE(r.err.find(bad[1]), std::string::npos) << r.err;
        EXPECT_EQ(kadra(cliWard), file) << bad[0];
    }
}

// The scheduler page's boxes: "every month" goes to the box of the mode
// the worker is planned by, the hour the plan starts from is a time of day.
TEST_F(WorkerCommands, TheSchedulerPagesBoxesGoToTheModeInUse) {
    auto boxes = [this](const std::string& ward, word id) {
        session s(ward);
        const prac& w = s.plan().workers[size_t(s.plan().workerIndexById(id))];
        return std::to_string(w.autoConstStart) + std::to_string(w.auto8ConstStart) +
               std::to_string(w.systemAsWeek) + std::to_string(w.automatFromHourOn) + "|" +
               std::to_string(w.automatFromHour);
    };
    ASSERT_EQ(cli({"worker", "edit", "3", "--every-month", "yes", "--as-week", "yes", "--from-hour", "6:30"}).code, 0);
    ASSERT_EQ(cli({"worker", "edit", "1", "--mode", "eight", "--every-month", "yes"}).code, 0);
    {
        session s(actWard);
        for (const word id : {3, 1}) {
            const int w = s.plan().workerIndexById(id);
            worker_dialog_model m;
            ASSERT_TRUE(m.openEdit(s.plan(), w).ok());
            if (id == 3) {
                m.f.autoConstStart = m.f.asWeek = m.f.automatFromHourOn = true;
                m.f.automatFromHour = "6:30";
            } else {
                m.f.mode = auto_mode::Eight;
                m.f.auto8ConstStart = true;
            }
            ASSERT_TRUE(save_worker(s.doc, *m.record(s.plan()), w).ok());
        }
    }
    EXPECT_EQ(boxes(cliWard, 3), "1011|390");
    EXPECT_EQ(boxes(cliWard, 3), boxes(actWard, 3));
    EXPECT_EQ(boxes(cliWard, 1), "0100|0");
    EXPECT_EQ(boxes(cliWard, 1), boxes(actWard, 1));
    EXPECT_EQ(records(cliWard), records(actWard));
    ASSERT_EQ(cli({"worker", "edit", "3", "--from-hour", "none"}).code, 0);
    EXPECT_EQ(boxes(cliWard, 3).substr(0, 4), "1010");
    const result late = cli({"worker", "edit", "3", "--from-hour", "24:00"});
    EXPECT_EQ(late.code, 1);
    EXPECT_NE(late.err.find("24:00"), std::string::npos) << late.err;
}

TEST_F(WorkerCommands, ArchiveAsksAndRestoreBringsTheWorkerBack) {
    const std::string before = staff(cliWard);
    // Without --yes the question is answered No and nothing changes.
    const result asked = cli({"worker", "archive", "2"});
    EXPECT_EQ(asked.code, 1);
    EXPECT_NE(asked.err.find("?"), std::string::npos) << asked.err;
    EXPECT_EQ(staff(cliWard), before);

    ASSERT_EQ(cli({"--yes", "worker", "archive", "2"}).code, 0);
    {
        session s(actWard);
        ASSERT_TRUE(archive_worker(s.doc, s.plan().workerIndexById(2)).ok());
    }
    EXPECT_EQ(staff(cliWard), staff(actWard));
    EXPECT_NE(staff(cliWard), before);
    EXPECT_EQ(cli({"--yes", "worker", "archive", "2"}).code, 1);  // archived already

    ASSERT_EQ(cli({"worker", "restore", "2"}).code, 0);
    EXPECT_EQ(staff(cliWard), before);
    EXPECT_EQ(cli({"worker", "restore", "2"}).code, 1);
}

TEST_F(WorkerCommands, RefusalsLeaveTheStaffFileAsItWas) {
    const std::string file = kadra(cliWard);
    struct bad {
        std::vector<std::string> args;
        int code;
        std::string says;
    };
    const std::vector<bad> cases = {
        {{"worker", "add", "--first-name", "Ewa"}, 2, "--surname"},
        {{"worker", "add", "--surname", "X", "--part-time", "abc"}, 1, "\"abc\""},
        {{"worker", "add", "--surname", "X", "--pattern", "1290"}, 1, "1290"},
        {{"worker", "add", "--surname", "X", "--group", "9"}, 1, "There is no group 9"},
        {{"worker", "add", "--surname", "X", "--mode", "always"}, 2, "always"},
        {{"worker", "add", "--surname", "X", "--colour", "pink"}, 2, "pink"},
        {{"worker", "add", "--surname", "X", "--weekdays", "11111"}, 2, "11111"},
        {{"worker", "add", "--surname", "X", "--care-days", "3"}, 2, "--care-days"},
        {{"worker", "add", "--surname", "X", "--reha-days", "21"}, 2, "--reha-days"},
        {{"worker", "add", "--surname", " "}, 1, "surname"},
        {{"worker", "edit", "99", "--nick", "A"}, 1, "There is no worker 99"},
        {{"worker", "edit", "x1"}, 2, "x1"},
        {{"worker", "archive"}, 2, "worker"},
        {{"worker", "hire", "3"}, 2, "add, edit, archive or restore"},
    };
    for (const bad& b : cases) {
        const result r = cli(b.args);
        EXPECT_EQ(r.code, b.code) << b.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(b.says), std::string::npos) << b.args.back() << ": " << r.err;
        EXPECT_EQ(kadra(cliWard), file) << b.args.back();
    }
    // A second worker of the same name is stored only when the user says so.
    const result twice = cli({"worker", "add", "--surname", "Kowalska", "--first-name", "Anna"});
    EXPECT_EQ(twice.code, 1);
    EXPECT_NE(twice.err.find("--yes"), std::string::npos) << twice.err;
    EXPECT_EQ(kadra(cliWard), file);
    EXPECT_EQ(cli({"--yes", "worker", "add", "--surname", "Kowalska", "--first-name", "Anna"}).code, 0);
}

TEST_F(WorkerCommands, SpeaksTheRunsLanguage) {
    const result pl = cli({"worker", "add", "--surname", "Lis", "--first-name", "Jan"}, "polski");
    ASSERT_EQ(pl.code, 0) << pl.err;
    EXPECT_EQ(pl.out.rfind("Dodano pracownika ", 0), 0u) << pl.out;
    const result help = cli({"help", "worker"});
    EXPECT_NE(help.out.find("archive ID"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("NAZWISKO"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace planek
