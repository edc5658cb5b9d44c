// Two planek-cli processes editing one month file at the same moment.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <tuple>

#include "cli_runner.h"
#include "core/lock_file.h"
#include "support/demo_period.h"
#include "support/staff_balance.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::quote;
using test::read_file;
using test::result;
using test::TempDir;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

// A duty of group 1 on day 10 for the worker, as the month file stores it.
bool duty_stored(const std::string& file, int worker) {
    return has(read_file(file), "=1\xA4" + std::to_string(worker) + "\xA4" "10\xA4");
}

using test::leave_left;

class CliConcurrent : public ::testing::Test {
protected:
    TempDir dir;
    std::string root, blank;

    void SetUp() override {
        test::demo_period ward;
        ASSERT_NO_FATAL_FAILURE(test::make_demo_months(dir, ward, {"2030-04"}));
        root = ward.root;
        blank = ward.months[0];
    }
    std::string command(const std::vector<std::string>& args) const {
        std::string cmd = "LC_ALL=C.UTF-8 LANG=C.UTF-8 " + quote(PLANEK_CLI) + " --root " + quote(root) + " --lang polski";
        for (const std::string& a : args) cmd += " " + quote(a);
        return cmd;
    }
    result cli(const std::vector<std::string>& args) { return test::run_cli_on(dir, root, args, "polski"); }
    // Starts both commands at once and waits for both.
    std::pair<result, result> together(const std::vector<std::string>& a, const std::vector<std::string>& b) {
        auto part = [&](const std::vector<std::string>& args, const std::string& tag) {
            const std::string out = (dir / (tag + ".out")).string(), err = (dir / (tag + ".err")).string(),
                              code = (dir / (tag + ".code")).string();
            return "(" + command(args) + " >" + quote(out) + " 2>" + quote(err) + " </dev/null; echo $? >" +
                   quote(code) + ") &";
        };
        const std::string cmd = part(a, "a") + " " + part(b, "b") + " wait";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        auto collect = [&](const std::string& tag) {
            result r;
            r.code = std::atoi(read_file(dir / (tag + ".code")).c_str());
            r.out = read_file(dir / (tag + ".out"));
            r.err = read_file(dir / (tag + ".err"));
            return r;
        };
        return {collect("a"), collect("b")};
    }
};

TEST_F(CliConcurrent, TwoAddDutiesAtOnceNeverBothSayTheySavedWithOneLost) {
    const int pairs = 50;
    int bothSaved = 0, refusedByLock = 0, refusedAsChanged = 0, lost = 0, unexplained = 0;
    for (int i = 0; i < pairs; ++i) {
        const std::string month = (dir / "ward" / "dane" / ("p" + std::to_string(i) + ".pnk")).string();
        fs::copy_file(blank, month);
        // Every other pair opens over the lock, so the check at the save must hold on its own.
        std::vector<std::string> first = {"add-duty", month, "1", "10", "D"}, second = {"add-duty", month, "2", "10", "D"};
        if (i % 2) first.insert(first.begin(), "--force"), second.insert(second.begin(), "--force");
        const auto [a, b] = together(first, second);
        int saved = 0;
        for (const auto& [r, worker] : {std::pair{a, 1}, std::pair{b, 2}}) {
            if (r.code == 0 && has(r.out, "Zapisano")) {
                ++saved;
                if (!duty_stored(month, worker)) ++lost;
            } else if (has(r.err, "od chwili, gdy go odczytano")) {
                ++refusedAsChanged;  // also when --force went past the other's lock first
            } else if (has(r.err, "Plik jest otwarty przez")) {
                ++refusedByLock;
            } else {
                ++unexplained;
                ADD_FAILURE() << "pair " << i << " worker " << worker << ": " << r.code << "\n" << r.out << r.err;
            }
        }
        bothSaved += saved == 2;
        EXPECT_FALSE(fs::exists(month + ".lock")) << "pair " << i;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(unexplained, 0);
    std::cout << "pairs " << pairs << ", both saved " << bothSaved << ", refused by the lock " << refusedByLock
              << ", refused as changed " << refusedAsChanged << ", updates lost " << lost << "\n";
}

TEST_F(CliConcurrent, PlannersOfTwoWardsEditOneMonthAtOnceAndBothSave) {
    // Worker 1 is of the surgical ward (group 1), worker 16 of the maternity ward (group 2).
    auto stored = [&](const std::string& month, int group, int worker) {
        return has(read_file(month), "=" + std::to_string(group) + "\xA4" + std::to_string(worker) + "\xA4" "10\xA4");
    };
    const int pairs = 50;
    int saved = 0, lost = 0;
    for (int i = 0; i < pairs; ++i) {
        const std::string month = (dir / "ward" / "dane" / ("o" + std::to_string(i) + ".pnk")).string();
        fs::copy_file(blank, month);
        const auto [a, b] = together({"add-duty", month, "1", "10", "D"}, {"add-duty", month, "16", "10", "1"});
        for (const auto& [r, group, worker] : {std::tuple{a, 1, 1}, std::tuple{b, 2, 16}}) {
            EXPECT_EQ(r.code, 0) << "pair " << i << " worker " << worker << "\n" << r.out << r.err;
            if (r.code != 0 || !has(r.out, "Zapisano")) continue;
            ++saved;
            if (!stored(month, group, worker)) ++lost;
        }
        for (const char* lock : {".lock", ".g1.lock", ".g2.lock"}) EXPECT_FALSE(fs::exists(month + lock)) << i;
    }
    EXPECT_EQ(saved, 2 * pairs);
    EXPECT_EQ(lost, 0);
    std::cout << "pairs " << pairs << ", edits saved " << saved << ", duties lost " << lost << "\n";
}

TEST_F(CliConcurrent, TheSchedulerOfOneWardRunsWhileAnotherWardIsOpenAndKeepsItsDuties) {
    ASSERT_EQ(cli({"add-duty", blank, "16", "10", "1", "--group", "2"}).code, 0);
    const std::string other = read_file(blank);
    // Ward 2's planner has the month open (this test process, alive, not brief).
    const fs::path lock = blank + ".g2.lock";
    ASSERT_TRUE(create_lock_file(lock, this_process_owner("oddzial2", std::time(nullptr))).made);
    const result planned = cli({"schedule", blank, "--group", "1", "--seed", "1", "--accept"});
    remove_lock_file(lock);
    ASSERT_EQ(planned.code, 0) << planned.err;
    EXPECT_TRUE(has(planned.out, "Zapisano")) << planned.out;
    // Ward 1 planned, ward 2's duty line as it was.
    const std::string now = read_file(blank);
    EXPECT_NE(now, other);
    EXPECT_TRUE(has(now, "=2\xA4" "16\xA4" "10\xA4")) << now;
    // The same ward's scheduler is kept out while its planner has it open.
    ASSERT_TRUE(create_lock_file(blank + ".g1.lock", this_process_owner("oddzial1", std::time(nullptr))).made);
    EXPECT_NE(cli({"schedule", blank, "--group", "1", "--seed", "1", "--accept"}).code, 0);
    remove_lock_file(blank + ".g1.lock");
}

TEST_F(CliConcurrent, TwoLeavesOfOneWorkerAtOnceBothDrawOnHerBalance) {
    const fs::path staff = fs::path(root) / "dane" / "kadra.inr";
    // One day of leave once, to learn what a day draws.
    const std::string probe = (dir / "ward" / "dane" / "probe.pnk").string();
    fs::copy_file(blank, probe);
    int left = leave_left(staff, 2);
    ASSERT_EQ(cli({"--yes", "add-dayoff", probe, "2", "10", "u"}).code, 0);
    const int day = left - leave_left(staff, 2);
    ASSERT_GT(day, 0);
    left -= day;

    // Even pairs edit one month file, odd pairs two: both saves of a pair
    // may go through only when both deductions count.
    const int pairs = 50;
    int drawn = 0, refused = 0, sideCopies = 0, unexplained = 0;
    for (int i = 0; i < pairs; ++i) {
        const std::string first = (dir / "ward" / "dane" / ("l" + std::to_string(i) + "a.pnk")).string(),
                          second = i % 2 ? (dir / "ward" / "dane" / ("l" + std::to_string(i) + "b.pnk")).string()
                                         : first;
        fs::copy_file(blank, first);
        if (second != first) fs::copy_file(blank, second);
        const auto [a, b] = together({"--yes", "add-dayoff", first, "2", "11", "u"},
                                     {"--yes", "add-dayoff", second, "2", "12", "u"});
        for (const result& r : {a, b}) {
            if (r.code == 0 && has(r.out, "Zapisano limity urlopów w kadrze")) ++drawn;
            else if (r.code == 1 && has(r.err, "Zapisano tylko")) ++sideCopies;
            else if (r.code == 1) ++refused;
            else {
                ++unexplained;
                ADD_FAILURE() << "pair " << i << ": " << r.code << "\n" << r.out << r.err;
            }
        }
        ASSERT_EQ(leave_left(staff, 2), left - drawn * day) << "pair " << i << "\n" << a.out << a.err << b.out << b.err;
    }
    EXPECT_EQ(unexplained, 0);
    EXPECT_GE(drawn, pairs);  // at least the pairs of two months both go through
    std::cout << "pairs " << pairs << ", leaves drawn " << drawn << ", refused " << refused << ", saved beside "
              << sideCopies << "\n";
}

TEST_F(CliConcurrent, AMonthOpenElsewhereIsRefusedUnlessForced) {
    const std::string lock = blank + ".lock";
    test::write_file(lock, "user=Ewa\nhost=stacja-2\npid=4242\nsince=" + std::to_string(std::time(nullptr)) + "\n");
    const result refused = cli({"add-duty", blank, "1", "10", "D"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(has(refused.err, "Plik jest otwarty przez Ewa na komputerze stacja-2 od ")) << refused.err;
    EXPECT_FALSE(duty_stored(blank, 1));
    // Reading is no opening for editing.
    EXPECT_EQ(cli({"show", blank}).code, 0);

    const result forced = cli({"--force", "add-duty", blank, "1", "10", "D"});
    EXPECT_EQ(forced.code, 0) << forced.err;
    EXPECT_TRUE(duty_stored(blank, 1));
    // The lock was taken over and is gone with the command.
    EXPECT_FALSE(fs::exists(lock));
}

}  // namespace
}  // namespace planek
