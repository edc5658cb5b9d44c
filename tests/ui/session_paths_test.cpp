// A month opened by the window's start and by the command line shows the
// same figures: both go through the one session start and month opening.
#include <gtest/gtest.h>

#include <regex>

#include "support/demo_period.h"
#include "files/month_project.h"
#include "files/program_session.h"
#include "support/scripted_interaction.h"
#include "ui/app_shell.h"

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

    result cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", root, "--lang", "english", "--yes"});
        return run_cli(dir, args);
    }
    void SetUp() override {
        demo_period ward;
        ASSERT_NO_FATAL_FAILURE(make_demo_period(dir, ward));
        root = ward.root;
        months = ward.months;
        for (const std::string& month : months) ASSERT_EQ(cli({"add-duty", month, "1", "10", "D"}).code, 0);
        ASSERT_EQ(cli({"add-dayoff", months[0], "1", "2", "u", "--to", "3", "--part-time"}).code, 0);
        ASSERT_EQ(cli({"add-duty", months[0], "28", "10", "D", "--group", "1"}).code, 0);
        ASSERT_EQ(cli({"add-duty", months[0], "28", "12", "1", "--group", "2"}).code, 0);
    }
    // The window's start on the month, headless.
    void start(Plan& plan, const std::string& file) {
        plan.ui = std::make_shared<ScriptedInteraction>();
        plan.options.userSettingsFolder = dir / "user";
        ui::start_request request;
        request.root = root;
        request.language = "english";
        request.file = file;
        ASSERT_EQ(ui::start_program(plan, request), ui::StartOutcome::Started);
    }
};

TEST_F(SessionPaths, TheWindowAndTheCommandLineGiveTheSameMonthFigures) {
    Plan plan;
    start(plan, months[0]);
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

TEST_F(SessionPaths, ThePeriodTotalsCoverEveryMonthOfThePeriod) {
    Plan plan;
    start(plan, months[0]);
    months_request request;
    request.files = months;
    ASSERT_TRUE(open_session_months(plan, request).ok());
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
    const months_open opened = open_session_months(plan, months_of);
    EXPECT_FALSE(opened.ok());
    EXPECT_TRUE(opened.opened.empty());
    EXPECT_EQ(opened.error.find('\n'), std::string::npos) << opened.error;
}

}  // namespace
}  // namespace planek::test
