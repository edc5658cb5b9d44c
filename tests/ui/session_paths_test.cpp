// A month opened by the window's start and by the command line shows the
// same figures: both go through the one session start and month opening.
#include <gtest/gtest.h>

#include <regex>

#include "support/demo_period.h"
#include "core/cp1250.h"
#include "document/day_off_acts.h"
#include "document/month_acts.h"
#include "editing/day_off_dialog_model.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"
#include "files/month_lock.h"
#include "files/month_project.h"
#include "files/program_session.h"
#include "support/scripted_interaction.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

// The number under `key` in the JSON object of the worker with this id.
long json_figure(const std::string& json, int id, const std::string& key) {
    const size_t at = json.find("{\"id\":" + std::to_string(id) + ",");
    if (at == std::string::npos) return -999999;
    std::smatch m;
    const std::string rest = json.substr(at, json.find("\"days\"", at) - at);
    if (!std::regex_search(rest, m, std::regex("\"" + key + "\":(-?[0-9]+)"))) return -999999;
    return std::stol(m[1]);
}

// The demo ward with an April to June 2030 period: Anna Kowalska (1) has a
// part-time leave and a duty a month, Monika Olszewska (28) a duty in each
// of her two groups.
class SessionPaths : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    std::vector<std::string> months;

    result cli(std::vector<std::string> args, const std::string& in = {}) {
        args.insert(args.begin(), {"--root", in.empty() ? root : in, "--lang", "english", "--yes"});
        return run_cli(dir, args);
    }
    void SetUp() override {
        demo_period ward;
        ASSERT_NO_FATAL_FAILURE(make_demo_period(dir, ward));
        write_figures_template(ward);
        root = ward.root;
        months = ward.months;
        for (const std::string& month : months) ASSERT_EQ(cli({"add-duty", month, "1", "10", "D"}).code, 0);
        ASSERT_EQ(cli({"add-dayoff", months[0], "1", "2", "u", "--to", "3", "--part-time"}).code, 0);
        ASSERT_EQ(cli({"add-duty", months[0], "28", "10", "D", "--group", "1"}).code, 0);
        ASSERT_EQ(cli({"add-duty", months[0], "28", "12", "1", "--group", "2"}).code, 0);
    }
    // The window's start on the month, headless.
    void start(roster_document& doc, const std::string& file, const std::string& in = {}) {
        doc.set_interaction(talk);
        start_request request;
        request.root = in.empty() ? root : in;
        request.language = "english";
        request.file = file;
        request.userSettingsFolder = dir / "user";
        ASSERT_TRUE(start_program(doc, request).ok());
    }
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();
};

TEST_F(SessionPaths, TheWindowAndTheCommandLineGiveTheSameMonthFigures) {
    roster_document doc;
    const Plan& plan = doc.plan();
    start(doc, months[0]);
    ASSERT_EQ(plan.openFiles.size(), 1u);
    const result summary = cli({"summary", months[0], "--group", "1", "--json"});
    ASSERT_EQ(summary.code, 0) << summary.err;
    for (int id : {1, 28}) {
        const prac& w = plan.workers[size_t(plan.workerIndexById(word(id)))];
        const ms_& m = w.months[size_t(plan.currentMonth)];
        const category_sum& t = m.sum.total[0];
        SCOPED_TRACE("worker " + std::to_string(id));
        EXPECT_EQ(json_figure(summary.out, id, "workerNorm"), m.workerNorm);
        EXPECT_EQ(json_figure(summary.out, id, "workedMinutes"), long(t.dayMinutes) + t.nightMinutes + t.holidayMinutes);
        EXPECT_EQ(json_figure(summary.out, id, "creditedMinutes"), m.sum.creditedMinutes);
        EXPECT_EQ(json_figure(summary.out, id, "dutyCount"), w.sum.dutyCount);
    }
    // The part-time leave is valued at the daily norm on both paths.
    EXPECT_EQ(plan.workers[size_t(plan.workerIndexById(1))].months[size_t(plan.currentMonth)].sum.creditedMinutes,
              2 * 455);
}

// What the command line reports of a ward, with the folder's own path taken
// out so two copies of a ward compare.
struct ward_report {
    std::string staff, summaries, warnings, printout;
};

// Leave added by the day-off dialog on a drop, as the window adds it.
void add_leave(roster_document& doc, word id, int from, int to) {
    const Plan& plan = doc.plan();
    const int worker = plan.workerIndexById(id);
    const int dayIndex = from - first_day_of_month(plan);
    ASSERT_TRUE(day_off_for_cell(doc, worker, dayIndex).ok());
    day_off_dialog_model dialog;
    dialog.openAdd(plan, worker, dayIndex);
    for (size_t k = 0; k < plan.options.dayOffKinds.size(); ++k)
        if (plan.options.dayOffKinds[k].code == "u") dialog.kindIndex = int(k);
    dialog.secondDay = to;
    dialog.normWithPartTime = true;
    dialog.refreshNorm(plan);
    ASSERT_TRUE(add_day_off(doc, dialog.args(plan)).ok());
}

class SessionPathsAfterEdits : public SessionPaths {
protected:
    std::string copy;                 // the same ward, edited through the window
    std::vector<std::string> copied;  // its months

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SessionPaths::SetUp());
        copy = (dir / "window").string();
        fs::copy(root, copy, fs::copy_options::recursive);
        for (const std::string& m : months) copied.push_back(copy + m.substr(root.size()));
    }
    // Anna Kowalska's leave left of both years, as her folder's staff file holds it.
    int leave_left(const std::string& in) {
        Plan plan;
        plan.ui = std::make_shared<ScriptedInteraction>();
        plan.options.userSettingsFolder = dir / "user";
        session_request request;
        request.root = in;
        EXPECT_TRUE(open_program_session(plan, request).ok());
        const int at = plan.workerIndexById(1);
        if (at < 0) return -1;
        return plan.workers[size_t(at)].holidayCurrentYear + plan.workers[size_t(at)].holidayPreviousYear;
    }
    ward_report report(const std::string& in) {
        auto plain = [&](std::string text) {
            for (size_t at; (at = text.find(in)) != std::string::npos;) text.replace(at, in.size(), "<ward>");
            return text;
        };
        const std::vector<std::string> files = in == root ? months : copied;
        ward_report r;
        r.staff = plain(cli({"staff"}, in).out);
        for (const char* group : {"1", "2"})
            for (const std::string& m : files) r.summaries += plain(cli({"summary", m, "--group", group, "--json"}, in).out);
        r.warnings = plain(cli({"warnings", files[1], "--group", "1"}, in).out);
        std::vector<std::string> print{"print", "figures"};
        print.insert(print.end(), files.begin(), files.end());
        print.insert(print.end(), {"--group", "1", "-o", (fs::path(in) / "out").string()});
        const result printed = cli(print, in);
        EXPECT_EQ(printed.code, 0) << printed.err;
        r.printout = plain(cp1250_to_utf8(read_file(printed.out.substr(0, printed.out.find('\n')))));
        return r;
    }
};

TEST_F(SessionPathsAfterEdits, AddingAndRemovingLeaveGiveTheSameFiguresOnBothPaths) {
    // Leave of 2030-05-06..08 (Monday to Wednesday) for Anna Kowalska, and
    // her April leave taken away again, both answered Yes.
    const int leaveBefore = leave_left(root);
    ASSERT_EQ(cli({"add-dayoff", months[1], "1", "6", "u", "--to", "8", "--part-time"}).code, 0);
    ASSERT_EQ(cli({"remove", months[0], "1", "2", "--dayoff"}).code, 0);
    {
        roster_document doc;
        const Plan& plan = doc.plan();
        ASSERT_NO_FATAL_FAILURE(start(doc, copied[1], copy));
        talk->fallback = Answer::Yes;
        ASSERT_NE(plan.group(), nullptr);
        ASSERT_EQ(plan.group()->id, 1);
        ASSERT_NO_FATAL_FAILURE(add_leave(doc, 1, 6, 8));
        ASSERT_TRUE(save_month(doc).ok());
        // What the window shows after the edit is what the command line reads.
        const result summary = cli({"summary", months[1], "--group", "1", "--json"});
        const prac& anna = plan.workers[size_t(plan.workerIndexById(1))];
        const ms_& may = anna.months[size_t(plan.currentMonth)];
        EXPECT_EQ(json_figure(summary.out, 1, "workerNorm"), may.workerNorm);
        EXPECT_EQ(json_figure(summary.out, 1, "creditedMinutes"), may.sum.creditedMinutes);
        EXPECT_EQ(may.sum.creditedMinutes, 3 * 455) << "the part-time leave is valued at the daily norm";

        ASSERT_TRUE(open_project(doc, {copied[0]}).ok());
        const int anna_at = plan.workerIndexById(1);
        const std::optional<day_off_id> leave = day_off_at(plan, anna_at, 2 - first_day_of_month(plan));
        ASSERT_TRUE(leave);
        ASSERT_TRUE(remove_day_off(doc, *leave).ok());
        ASSERT_TRUE(save_month(doc).ok());
        release_locks(doc);
    }
    const ward_report byCli = report(root), byWindow = report(copy);
    for (const std::string* part : {&byCli.staff, &byCli.summaries, &byCli.warnings, &byCli.printout})
        ASSERT_NE(part->find("Kowalska"), std::string::npos) << *part;
    EXPECT_EQ(byCli.staff, byWindow.staff);
    EXPECT_EQ(byCli.summaries, byWindow.summaries);
    EXPECT_EQ(byCli.warnings, byWindow.warnings);
    EXPECT_EQ(byCli.printout, byWindow.printout);
    // The April leave came back whole and the May one took its three days.
    EXPECT_EQ(leave_left(root), leaveBefore + 2 * 455 - 3 * 455);
    EXPECT_EQ(leave_left(copy), leave_left(root));
}

TEST_F(SessionPaths, ThePeriodTotalsCoverEveryMonthOfThePeriod) {
    roster_document doc;
    const Plan& plan = doc.plan();
    start(doc, months[0]);
    ASSERT_TRUE(open_project(doc, months).ok());
    ASSERT_EQ(plan.openFiles.size(), 3u);
    const prac& anna = plan.workers[size_t(plan.workerIndexById(1))];
    EXPECT_EQ(anna.sum.period.periodDutyMinutes, 3 * 720) << "one twelve-hour duty in each month";
    EXPECT_EQ(anna.sum.period.periodCreditedMinutes, 2 * 455);
}

TEST_F(SessionPaths, AFolderWithoutStaffOpensNoMonth) {
    Plan plan;
    plan.ui = std::make_shared<ScriptedInteraction>();
    session_request request;
    request.root = dir / "empty";
    ASSERT_TRUE(open_program_session(plan, request).ok());
    months_request months_of;
    months_of.files = {months[0]};
    const planek::result<std::vector<std::string>> opened = open_session_months(plan, months_of);
    EXPECT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, refusal_kind::NoStaff);
    EXPECT_EQ(opened.error().text.find('\n'), std::string::npos) << opened.error().text;
}

}  // namespace
}  // namespace planek::test
