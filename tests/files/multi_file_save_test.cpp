// A change that spans files (a leave: month and staff balances; a scheduled
// month: month, Sundays and pattern starts; a staff change: groups and
// staff) is run once per write step it takes, with that step failing, and
// again cut off there as a killed process would be. Then the next start
// tidies up. The files of the change must be all as before or all as after,
// with no temporary file or journal left.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <functional>

#include "core/guarded_write.h"
#include "core/lock_file.h"
#include "files/month_lock.h"
#include "files/interrupted_saves.h"
#include "files/save_journal.h"
#include "files/save_set.h"
#include "files/staff_group_files.h"
#include "files/sundays.h"
#include "month_fixture.h"
#include "support/file_snapshot.h"
#include "support/io_faults.h"
#include "support/save_leftovers.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::age_save_leftovers;
using test::comparable_content;
using test::MonthFixture;
using test::read_file;
using test::save_leftovers;
using test::write_file;

class MultiFileSave : public MonthFixture {
protected:
    std::vector<fs::path> changeFiles;

    void SetUp() override {
        MonthFixture::SetUp();
        for (prac& w : plan.workers) w.holidayCurrentYear = 26 * 455;
        empty_month("2024_03.pnk");
        ASSERT_TRUE(add_duty(0, 4, 420, 720));
        ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
        ASSERT_TRUE(zapisz(plan).ok());
        changeFiles = {path("2024_03.pnk"), plan.paths.data / "kadra.inr", plan.paths.data / "grupy.ini",
                       sundays_file(plan)};
    }

    // The plan as a fresh start reads it from disk.
    void load() {
        ASSERT_TRUE(wczytaj(plan).ok());
        plan.currentFile = path("2024_03.pnk").string();
        ASSERT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
        ui->warnings.clear();
    }

    std::vector<std::string> state() const { return test::comparable_contents(changeFiles); }

    // Returns the number of write steps tried.
    int kill_each_step(const std::function<void()>& change, const std::function<result<>()>& save) {
        test::write_fault_off guard;
        const auto disk = test::raw_files(dir.path());
        load();
        const auto before = state();
        change();
        set_write_fault(0);
        {
            const auto first = save();
            EXPECT_TRUE(first) << (first ? "" : first.error().text);
        }
        const int steps = write_steps();
        const auto after = state();
        EXPECT_NE(before, after) << "the change wrote nothing";
        test::restore_files(dir.path(), disk);
        for (bool cut : {false, true})
            for (int n = 1; n <= steps; ++n) {
                SCOPED_TRACE("write step " + std::to_string(n) + (cut ? " cut off" : " failing"));
                load();
                change();
                set_write_fault(n, cut);
                const auto outcome = save();
                const bool saved = outcome.ok();
                set_write_fault(0);
                if (!saved && !cut) {
                    EXPECT_FALSE(outcome.error().text.empty()) << "a failure says what failed";
                    EXPECT_TRUE(ui->warnings.empty()) << "the library told nobody itself";
                    EXPECT_EQ(state(), before) << "a failed save left files of the change on disk";
                }
                age_save_leftovers(dir.path());
                tidy_after_killed_saves(plan);
                const auto now = state();
                EXPECT_TRUE(now == before || now == after) << "the files of the change are mixed";
                // A save the user was told failed is not finished behind his back.
                if (!saved && !cut) {
                    EXPECT_EQ(now, before);
                }
                if (saved) {
                    EXPECT_EQ(now, after);
                }
                EXPECT_EQ(save_leftovers(dir.path()), std::vector<fs::path>{});
                test::restore_files(dir.path(), disk);
            }
        RecordProperty("failure_points", steps);
        return steps;
    }
};

TEST_F(MultiFileSave, LeaveWithItsBalanceIsWhollyOldOrNewAfterEveryStep) {
    const int steps = kill_each_step(
        [&] {
            plan.workers[1].holidayCurrentYear -= 3 * 455;
            ASSERT_TRUE(add_day_off(1, 11, 13));
        },
        [&] { return zapisz_dyzury_i_wolne(plan); });
    // Month and staff archive, each written and put in place, with the journal between.
    EXPECT_GE(steps, 17);
}

TEST_F(MultiFileSave, ScheduledMonthWithSundaysAndPatternStartsIsWhollyOldOrNewAfterEveryStep) {
    const int steps = kill_each_step(
        [&] {
            // 10 March 2024 is a Sunday.
            ASSERT_TRUE(add_duty(1, 10, 420, 720));
            ASSERT_TRUE(add_duty(2, 10, 1140, 720, 2));
            plan.workers[2].systemStartFrom = 3;
        },
        [&] { return zapisz_dyzury_i_wolne(plan); });
    EXPECT_GE(steps, 23);
}

TEST_F(MultiFileSave, StaffChangeIsWhollyOldOrNewAfterEveryStep) {
    const int steps = kill_each_step(
        [&] {
            plan.workers[1].surname = "Nowak-Zięba";
            plan.groups[0].name = "Chirurgia ogólna";
        },
        [&]() -> result<> {
            auto report = zapisz(plan);
            if (report.failed) return report.said;
            return {};
        });
    EXPECT_GE(steps, 17);
}

TEST_F(MultiFileSave, FailedLeaveSaveIsOneFailureAndKeepsTheStaffFileAsItWas) {
    load();
    const std::string staff = comparable_content(plan.paths.data / "kadra.inr");
    plan.workers[1].holidayCurrentYear -= 3 * 455;
    ASSERT_TRUE(add_day_off(1, 11, 13));
    fs::permissions(path("2024_03.pnk"), fs::perms::owner_read);
    const auto saved = zapisz_dyzury_i_wolne(plan);
    fs::permissions(path("2024_03.pnk"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().text.find("tylko do odczytu"), std::string::npos) << saved.error().text;
    EXPECT_EQ(comparable_content(plan.paths.data / "kadra.inr"), staff);
}

// The start's own rules for what a killed save left.
class Leftovers : public MonthFixture {
protected:
    fs::path data() const { return plan.paths.data; }

    // A journal as a save killed after writing it leaves: both new texts
    // waiting, neither renamed.
    fs::path killed_after_journal(const fs::path& a, const fs::path& b) {
        save_set set;
        set.add(a, "nowe a\r\n");
        set.add(b, "nowe b\r\n");
        test::write_fault_off guard;
        // Cut off at the first rename: the four steps of each temporary file
        // and the six of the journal's safe write come first.
        set_write_fault(4 + 4 + 6 + 1, true);
        EXPECT_FALSE(commit_save_set(set, data()));
        for (const auto& e : fs::directory_iterator(data()))
            if (is_journal_name(e.path())) return e.path();
        ADD_FAILURE() << "no journal";
        return {};
    }
};

TEST_F(Leftovers, StartFinishesAJournalAndSaysSoInTheLog) {
    const fs::path a = data() / "a.ini", b = data() / "b.ini";
    write_file(a, "stare a\r\n");
    write_file(b, "stare b\r\n");
    const fs::path journal = killed_after_journal(a, b);
    EXPECT_EQ(read_file(a), "stare a\r\n");

    // A minute has not passed: the save may still be running in another program.
    EXPECT_TRUE(tidy_after_killed_saves(plan).empty());
    EXPECT_TRUE(fs::exists(journal));

    age_save_leftovers(dir.path());
    const std::vector<std::string> said = tidy_after_killed_saves(plan);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("Dokończono przerwany zapis"), std::string::npos) << said[0];
    EXPECT_EQ(read_file(a), "nowe a\r\n");
    EXPECT_EQ(read_file(b), "nowe b\r\n");
    EXPECT_EQ(save_leftovers(dir.path()), std::vector<fs::path>{});
    EXPECT_NE(read_file(log_file(plan)).find("b.ini"), std::string::npos);
}

TEST_F(Leftovers, JournalWhoseFileAnotherProgramSavedSinceIsDroppedNotForced) {
    const fs::path a = data() / "a.ini", b = data() / "b.ini";
    write_file(a, "stare a\r\n");
    write_file(b, "stare b\r\n");
    killed_after_journal(a, b);
    write_file(b, "kolegi b\r\n");  // another planner's save meanwhile
    age_save_leftovers(dir.path());
    const std::vector<std::string> said = tidy_after_killed_saves(plan);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("Porzucono"), std::string::npos) << said[0];
    EXPECT_EQ(read_file(a), "stare a\r\n");
    EXPECT_EQ(read_file(b), "kolegi b\r\n");
    EXPECT_EQ(save_leftovers(dir.path()), std::vector<fs::path>{});
}

TEST_F(Leftovers, WhatWaitsBehindAFileAlreadyInPlaceStillLandsOrIsKeptAndSaid) {
    const fs::path a = data() / "a.ini", b = data() / "b.ini";
    write_file(a, "stare a\r\n");
    write_file(b, "stare b\r\n");
    save_set set;
    set.add(a, "nowe a\r\n");
    set.add(b, "nowe b\r\n");
    {
        test::write_fault_off guard;
        set_write_fault(4 + 4 + 6 + 2, true);  // killed at the second rename
        EXPECT_FALSE(commit_save_set(set, data()));
    }
    ASSERT_EQ(read_file(a), "nowe a\r\n");
    // Another planner edits the month that landed, within the minute.
    write_file(a, "kolegi na nowym a\r\n");
    age_save_leftovers(dir.path());
    std::vector<std::string> told;
    const std::vector<std::string> said = tidy_after_killed_saves(plan, &told);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("Dokończono"), std::string::npos) << said[0];
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(read_file(a), "kolegi na nowym a\r\n");
    EXPECT_EQ(read_file(b), "nowe b\r\n");

    // Written since by another program as well: its text stays, ours waits
    // beside it and the user hears where.
    write_file(a, "stare a\r\n");
    write_file(b, "stare b\r\n");
    {
        test::write_fault_off guard;
        set_write_fault(4 + 4 + 6 + 2, true);
        EXPECT_FALSE(commit_save_set(set, data()));
    }
    write_file(b, "kolegi b\r\n");
    age_save_leftovers(dir.path());
    const std::vector<std::string> again = tidy_after_killed_saves(plan, &told);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("b.ini.przerwany_1"), std::string::npos) << told[0];
    EXPECT_EQ(read_file(b), "kolegi b\r\n");
    EXPECT_EQ(read_file(data() / "b.ini.przerwany_1"), "nowe b\r\n");
    EXPECT_NE(read_file(log_file(plan)).find("przerwany_1"), std::string::npos);
}

TEST_F(Leftovers, OnlyOldTemporaryFilesOfOurNamingGo) {
    const fs::path month = dir.path() / "plany" / "2024_03.pnk";
    plan.options.recentProjects[0] = month.string();
    write_file(data() / "kadra.inr.tmp123456", "pół archiwum");
    write_file(month.parent_path() / "2024_03.pnk.tmp42", "pół miesiąca");
    write_file(data() / "notatki.tmp", "użytkownika");
    write_file(data() / "plan.tmp12.txt", "użytkownika");
    write_file(data() / "zapis_77.jrn.tmp901", "pół dziennika");
    age_save_leftovers(dir.path());
    write_file(data() / "grupy.ini.tmp5", "zapis w toku");  // young: a save running now
    const std::vector<std::string> said = tidy_after_killed_saves(plan);
    EXPECT_EQ(said.size(), 3u);
    EXPECT_FALSE(fs::exists(data() / "kadra.inr.tmp123456"));
    EXPECT_FALSE(fs::exists(month.parent_path() / "2024_03.pnk.tmp42"));
    EXPECT_FALSE(fs::exists(data() / "zapis_77.jrn.tmp901"));
    EXPECT_TRUE(fs::exists(data() / "notatki.tmp"));
    EXPECT_TRUE(fs::exists(data() / "plan.tmp12.txt"));
    EXPECT_TRUE(fs::exists(data() / "grupy.ini.tmp5"));
    const std::string log = read_file(log_file(plan));
    EXPECT_NE(log.find("kadra.inr.tmp123456"), std::string::npos) << log;
}

TEST_F(Leftovers, TemporaryFileOfASaveStillRunningIsKeptUntilItsLockGoes) {
    write_file(data() / "kadra.inr.tmp777", "archiwum w drodze");  // a slow save over the network
    age_save_leftovers(dir.path());
    {
        const save_lock running(data() / "kadra.inr", this_process_owner("inna", std::time(nullptr)));
        ASSERT_TRUE(running.held());
        EXPECT_TRUE(tidy_after_killed_saves(plan).empty());
        EXPECT_TRUE(fs::exists(data() / "kadra.inr.tmp777"));
    }
    EXPECT_EQ(tidy_after_killed_saves(plan).size(), 1u);
    EXPECT_FALSE(fs::exists(data() / "kadra.inr.tmp777"));
}

TEST_F(Leftovers, UnreadableJournalIsLeftAndSaidWithTheTargetsUntouched) {
    const fs::path a = data() / "a.ini", b = data() / "b.ini";
    write_file(a, "stare a\r\n");
    write_file(b, "stare b\r\n");
    const fs::path journal = killed_after_journal(a, b);
    std::string text = read_file(journal);
    write_file(journal, text.substr(0, text.size() / 3 * 2) + "\r\nzepsuty wiersz\r\n");
    age_save_leftovers(dir.path());
    // The files it waited for are of no use without it; it stays to be looked at.
    const std::vector<std::string> said = tidy_after_killed_saves(plan);
    ASSERT_EQ(said.size(), 3u);
    EXPECT_NE(said[0].find("dziennika"), std::string::npos) << said[0];
    EXPECT_TRUE(fs::exists(journal));
    EXPECT_EQ(read_file(a), "stare a\r\n");
}

TEST_F(Leftovers, AJournalNamesItsFilesWithinTheDataFolderSoACopiedFolderFinishesItsOwn) {
    const fs::path a = data() / "a.ini", b = data() / "b.ini";
    write_file(a, "stare a\r\n");
    write_file(b, "stare b\r\n");
    const fs::path journal = killed_after_journal(a, b);
    const std::string text = read_file(journal);
    EXPECT_EQ(text.find(data().string()), std::string::npos) << text;
    EXPECT_NE(text.find("\r\na.ini\ta.ini.tmp"), std::string::npos) << text;

    // The data folder copied elsewhere while the old one stays, as moving the data goes.
    test::TempDir elsewhere;
    fs::copy(data(), elsewhere / "dane", fs::copy_options::recursive);
    Plan moved = plan;
    moved.paths = Paths::local(elsewhere.path());
    age_save_leftovers(elsewhere.path());
    const std::vector<std::string> said = tidy_after_killed_saves(moved);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("Dokończono"), std::string::npos) << said[0];
    EXPECT_EQ(read_file(elsewhere / "dane" / "a.ini"), "nowe a\r\n");
    EXPECT_EQ(read_file(elsewhere / "dane" / "b.ini"), "nowe b\r\n");
    EXPECT_EQ(read_file(a), "stare a\r\n");
    EXPECT_EQ(read_file(b), "stare b\r\n");
}

TEST_F(Leftovers, AJournalOfAnOlderVersionWithAbsoluteNamesIsStillFinished) {
    const fs::path a = data() / "a.ini", tmp = data() / "a.ini.tmp31";
    write_file(a, "stare a\r\n");
    write_file(tmp, "nowe a\r\n");
    write_file(data() / "zapis_5.jrn", "planek-zapis 1\r\n" + a.string() + "\t" + tmp.string() + "\t" +
                                           bytes_hash("stare a\r\n") + "\t" + bytes_hash("nowe a\r\n") + "\r\n");
    age_save_leftovers(dir.path());
    const std::vector<std::string> said = tidy_after_killed_saves(plan);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(read_file(a), "nowe a\r\n");
    EXPECT_EQ(save_leftovers(dir.path()), std::vector<fs::path>{});
}

// The pid of a process that has ended.
long ended_pid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return long(child);
}

TEST_F(Leftovers, LocksOfEndedProcessesOnThisComputerGoAtStartWithALogLine) {
    const std::time_t now = std::time(nullptr);
    const long dead = ended_pid();
    const fs::path month = data() / "2024_03.pnk";
    write_file(month, "");
    auto lock_of = [&](const std::string& host, long pid) {
        return lock_file_text(lock_owner{"Ewa", host, pid, now});
    };
    write_file(open_lock_file(month), lock_of(computer_name(), dead));
    write_file(save_lock::file_for(data() / "kadra.inr"), lock_of(computer_name(), dead));
    write_file(save_lock::file_for(data() / "grupy.ini"), "");  // cut off while it was made
    write_file(open_lock_file(data() / "b.pnk"), lock_of("inny-komputer", dead));
    write_file(open_lock_file(data() / "c.pnk"), lock_of(computer_name(), long(::getpid())));
    write_file(data() / "notatki.lock", "a user's own file");
    age_save_leftovers(dir.path());
    fs::last_write_time(save_lock::file_for(data() / "grupy.ini"),
                        fs::file_time_type::clock::now() - std::chrono::minutes(2));
    write_file(save_lock::file_for(data() / "a.ini"), "");  // being made this moment

    const std::vector<std::string> said = tidy_after_killed_saves(plan);
    EXPECT_EQ(said.size(), 3u);
    EXPECT_FALSE(fs::exists(open_lock_file(month)));
    EXPECT_FALSE(fs::exists(save_lock::file_for(data() / "kadra.inr")));
    EXPECT_FALSE(fs::exists(save_lock::file_for(data() / "grupy.ini")));
    // Another computer's, a live one's, a young one and a user's file stay.
    EXPECT_TRUE(fs::exists(open_lock_file(data() / "b.pnk")));
    EXPECT_TRUE(fs::exists(open_lock_file(data() / "c.pnk")));
    EXPECT_TRUE(fs::exists(save_lock::file_for(data() / "a.ini")));
    EXPECT_TRUE(fs::exists(data() / "notatki.lock"));
    const std::string log = read_file(log_file(plan));
    EXPECT_NE(log.find("2024_03.pnk.lock"), std::string::npos) << log;
    EXPECT_NE(log.find(std::to_string(dead)), std::string::npos) << log;
    EXPECT_NE(log.find("grupy.ini.saving"), std::string::npos) << log;
}

TEST_F(Leftovers, AnEmptySaveLockHoldsASaveForSecondsNotMinutes) {
    const fs::path file = data() / "grupy.ini";
    write_file(save_lock::file_for(file), "");
    const auto start = std::chrono::steady_clock::now();
    const guarded_write_result r = write_bytes_if_unchanged(file, "g\r\n", nullptr, plan_owner(plan));
    EXPECT_TRUE(r.ok()) << r.io.error;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(9));
    EXPECT_EQ(read_file(file), "g\r\n");
}

}  // namespace
}  // namespace planek
