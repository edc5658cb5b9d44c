// The command line killed with SIGKILL at each write step of a leave, a
// scheduler run and a staff change (the test build stops there and waits
// for the signal). The next start, any command, must find the files of the
// change wholly as before or wholly as after, and no temporary file or
// journal left behind.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "cli_runner.h"
#include "support/demo_period.h"
#include "support/staff_balance.h"
#include "support/file_snapshot.h"
#include "support/save_leftovers.h"

extern char** environ;

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::result;
using test::run_cli;
using test::TempDir;

enum class killed { AtStep, Finished };

using test::leave_left;

// Runs the test build with `args`, stopped just before write step `step`
// and killed there. Finished when the run took fewer steps.
killed run_and_kill_at(const TempDir& dir, int step, const std::vector<std::string>& args) {
    const fs::path marker = dir / "paused";
    fs::remove(marker);
    std::vector<std::string> words{PLANEK_CLI_KILLABLE};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<std::string> env{"PLANEK_PAUSE_AT_WRITE_STEP=" + std::to_string(step),
                                 "PLANEK_PAUSE_MARKER=" + marker.string(), "LC_ALL=C.UTF-8"};
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    std::vector<char*> argv, envp;
    for (std::string& w : words) argv.push_back(w.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    EXPECT_EQ(spawned, 0);
    if (spawned != 0) return killed::Finished;
    int status = 0;
    for (int waited = 0; waited < 2000; ++waited) {
        if (fs::exists(marker)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFSIGNALED(status));
            return killed::AtStep;
        }
        if (waitpid(pid, &status, WNOHANG) == pid) return killed::Finished;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    ADD_FAILURE() << "the program neither paused nor ended";
    return killed::Finished;
}

class KillDuringSave : public ::testing::Test {
protected:
    TempDir dir;
    fs::path root, month;
    test::folder_files pristine;
    std::vector<fs::path> changeFiles;
    int killPoints = 0;

    void SetUp() override {
        test::demo_period ward;
        ASSERT_NO_FATAL_FAILURE(test::make_demo_months(dir, ward, {"2030-04"}));
        root = ward.root;
        month = ward.months[0];
        const fs::path data = root / "dane";
        changeFiles = {month, data / "kadra.inr", data / "grupy.ini", data / "sundays.ini"};
    }
    result cli(const std::vector<std::string>& args) { return test::run_cli_on(dir, root.string(), args, "polski"); }
    std::vector<std::string> state() const { return test::comparable_contents(changeFiles); }
    void keep_pristine() { pristine = test::raw_files(root); }
    void back_to_pristine() { test::restore_files(root, pristine); }
    // The next start, a minute or more after the kill.
    void start_again() {
        test::age_save_leftovers(root);
        const result started = cli({"staff"});
        EXPECT_EQ(started.code, 0) << started.err;
        for (const fs::path& p : test::save_leftovers(root)) ADD_FAILURE() << "left behind: " << p;
    }
    // Kills the command at every write step up to `most`; `check` judges
    // the files after the next start.
    void kill_at_each_step(const std::vector<std::string>& command, int most,
                           const std::function<void(const std::vector<std::string>&)>& check) {
        std::vector<std::string> args{"--root", root.string(), "--lang", "polski"};
        args.insert(args.end(), command.begin(), command.end());
        for (int step = 1; step <= most; ++step) {
            SCOPED_TRACE("killed before write step " + std::to_string(step));
            back_to_pristine();
            if (run_and_kill_at(dir, step, args) == killed::Finished) break;
            ++killPoints;
            start_again();
            check(state());
        }
    }
};

TEST_F(KillDuringSave, LeaveWithItsBalanceIsWhollyBeforeOrAfter) {
    keep_pristine();
    const auto before = state();
    const std::vector<std::string> leave{"--yes", "add-dayoff", month.string(), "3", "1", "u", "--to", "2"};
    std::vector<std::string> once{"--root", root.string(), "--lang", "polski"};
    once.insert(once.end(), leave.begin(), leave.end());
    ASSERT_EQ(test::run_program(dir, PLANEK_CLI, once, "LC_ALL=C.UTF-8 ").code, 0);
    const auto after = state();
    ASSERT_NE(before[0], after[0]);
    ASSERT_NE(before[1], after[1]) << "the leave took nothing off the balance";
    kill_at_each_step(leave, 200, [&](const std::vector<std::string>& now) {
        EXPECT_TRUE(now == before || now == after) << "month and staff balances of different saves";
    });
    EXPECT_GE(killPoints, 17);
    RecordProperty("kill_points", killPoints);
}

TEST_F(KillDuringSave, ALeaveKilledThenAnotherEditWithinTheMinuteStillDrawsItsBalance) {
    keep_pristine();
    const fs::path staff = root / "dane" / "kadra.inr";
    const int before = leave_left(staff, 3);
    const std::vector<std::string> leave{"--yes", "add-dayoff", month.string(), "3", "1", "u", "--to", "2"};
    std::vector<std::string> args{"--root", root.string(), "--lang", "polski"};
    args.insert(args.end(), leave.begin(), leave.end());
    ASSERT_EQ(test::run_program(dir, PLANEK_CLI, args, "LC_ALL=C.UTF-8 ").code, 0);
    const int after = leave_left(staff, 3);
    ASSERT_LT(after, before);
    // The leave's entry in the month file: group 1, worker 3, days 1 to 2.
    auto leave_in_month = [&] { return test::read_file(month).find("=1\xA4" "3\xA4" "1\xA4" "2\xA4") != std::string::npos; };
    for (int step = 1; step <= 200; ++step) {
        SCOPED_TRACE("killed before write step " + std::to_string(step));
        back_to_pristine();
        if (run_and_kill_at(dir, step, args) == killed::Finished) break;
        ++killPoints;
        // Another planner's edit of the month before a minute has passed.
        const result edit = cli({"add-duty", month.string(), "1", "10", "D"});
        EXPECT_EQ(edit.code, 0) << edit.err;
        start_again();
        const int left = leave_left(staff, 3);
        EXPECT_TRUE(left == before || left == after) << left;
        EXPECT_EQ(leave_in_month(), left == after) << "a leave without its balance, or a balance without its leave";
    }
    EXPECT_GE(killPoints, 17);
}

TEST_F(KillDuringSave, SchedulerRunIsWhollyBeforeOrAfter) {
    keep_pristine();
    const auto before = state();
    const std::vector<std::string> run{"schedule", month.string(), "--seed", "7", "--accept"};
    ASSERT_EQ(cli(run).code, 0);
    const auto after = state();
    ASSERT_NE(before[0], after[0]);
    ASSERT_NE(before[1], after[1]) << "no pattern start moved";
    ASSERT_NE(before[3], after[3]) << "no Sunday worked";
    kill_at_each_step(run, 200, [&](const std::vector<std::string>& now) {
        EXPECT_TRUE(now == before || now == after) << "month, staff and Sundays of different saves";
    });
    EXPECT_GE(killPoints, 23);
    RecordProperty("kill_points", killPoints);
}

TEST_F(KillDuringSave, StaffChangeLeavesGroupsAndStaffOfOneSave) {
    // A generated ward replaced by the demo ward: the groups and the staff
    // both change first, the demo months follow.
    fs::remove_all(root);
    ASSERT_EQ(run_cli(dir, {"generate", root.string(), "--workers", "6", "--months", "1", "--seed", "3"}).code, 0);
    keep_pristine();
    const auto before = state();
    ASSERT_EQ(cli({"--yes", "demo"}).code, 0);
    const auto after = state();
    ASSERT_NE(before[1], after[1]);
    ASSERT_NE(before[2], after[2]);
    // The staff change is the first save of the run; later steps write months.
    kill_at_each_step({"--yes", "demo"}, 40, [&](const std::vector<std::string>& now) {
        EXPECT_EQ(now[1] == before[1], now[2] == before[2]) << "groups and staff of different saves";
    });
    EXPECT_GE(killPoints, 17);
    RecordProperty("kill_points", killPoints);
}

}  // namespace
}  // namespace planek
