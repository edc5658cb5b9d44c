// Every save of the month, staff, group and configuration files is run once
// per write step it takes, with that step failing (or the process cut off
// there). After each run every file must be either the old one or the new
// one, loadable, and a failure must have been said.
#include <gtest/gtest.h>

#include <functional>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "files/archive.h"
#include "files/backups.h"
#include "files/recent_files.h"
#include "files/staff_group_files.h"
#include "files/sundays.h"
#include "month_fixture.h"
#include "settings/options_file.h"
#include "support/file_snapshot.h"
#include "support/io_faults.h"
#include "support/save_leftovers.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::MonthFixture;
using test::comparable_files;
using test::raw_files;
using test::restore_files;

struct save_outcome {
    bool ok = false;
    std::string said;  // what the program told the user (empty when silent)
};

struct fault_run {
    fs::path folder;
    std::function<save_outcome()> save;
    std::function<void()> before;  // brings the plan back to "not saved"
    std::function<void(const save_outcome&)> after_failure = [](const save_outcome&) {};
    std::function<void()> loadable;
};

// Returns the number of failure points tried.
int fail_each_step(const fault_run& run, bool cut_off) {
    test::write_fault_off guard;
    const auto old_raw = raw_files(run.folder);
    const auto old_files = comparable_files(run.folder);
    run.before();
    set_write_fault(0);
    const save_outcome clean = run.save();
    EXPECT_TRUE(clean.ok) << clean.said;
    const int steps = write_steps();
    const auto new_files = comparable_files(run.folder);
    EXPECT_NE(old_files, new_files) << "the save changed nothing";
    restore_files(run.folder, old_raw);

    for (int n = 1; n <= steps; ++n) {
        SCOPED_TRACE("failing write step " + std::to_string(n) + (cut_off ? " (cut off)" : ""));
        run.before();
        set_write_fault(n, cut_off);
        const save_outcome out = run.save();
        set_write_fault(0);
        EXPECT_FALSE(out.ok && out.said.empty()) << "a failed write was not reported";
        EXPECT_FALSE(out.said.empty());
        for (const auto& [p, bytes] : comparable_files(run.folder)) {
            if (test::is_save_leftover(p)) {
                EXPECT_TRUE(cut_off) << "temporary file left behind: " << p;
                continue;
            }
            const auto o = old_files.find(p);
            const auto w = new_files.find(p);
            const bool is_old = o != old_files.end() && o->second == bytes;
            const bool is_new = w != new_files.end() && w->second == bytes;
            // A file the save makes only on failure (the staff kept aside) may appear.
            const bool kept_aside = p.filename().string().find(".error_") != std::string::npos;
            EXPECT_TRUE(is_old || is_new || kept_aside) << p << " is neither the old nor the new file";
        }
        for (const auto& [p, bytes] : old_files)
            EXPECT_TRUE(fs::exists(p)) << p << " was lost";
        if (!out.ok) run.after_failure(out);
        run.loadable();
        restore_files(run.folder, old_raw);
    }
    ::testing::Test::RecordProperty(cut_off ? "cut_off_points" : "failure_points", steps);
    return steps;
}

class FaultInjection : public MonthFixture {
protected:
    void SetUp() override {
        MonthFixture::SetUp();
        empty_month("2024_03.pnk");
        ASSERT_TRUE(add_duty(0, 4, 420, 720));
        ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
        ASSERT_TRUE(zapisz(plan).ok());
        ui->warnings.clear();
    }
    // What a save says: its refusal and notes, and whatever reached the user.
    std::string said(const result<>& r) {
        std::string s;
        for (const refusal& one : said_by(r)) s += one.text + "\n";
        return s + warned();
    }
    std::string warned() {
        std::string s;
        for (const auto& w : ui->warnings) s += w + "\n";
        ui->warnings.clear();
        return s;
    }
};

TEST_F(FaultInjection, MonthFileIsOldOrNewAfterEveryFailedStep) {
    // Every run saves one duty more than the file on disk holds, on a
    // Sunday, so the Sunday file is written too.
    ASSERT_TRUE(add_duty(1, 10, 1140, 720));
    for (bool cut : {false, true}) {
        fault_run run;
        run.folder = dir.path();
        // The folder is put back behind the plan's back: what it read is forgotten.
        run.before = [&] { plan.guards.read.clear(); };
        run.save = [&] {
            const result<> r = zapisz_dyzury_i_wolne(plan);
            return save_outcome{r.ok(), said(r)};
        };
        run.after_failure = [&](const save_outcome& out) {
            EXPECT_NE(out.said.find("2024_03.pnk"), std::string::npos) << out.said;
        };
        run.loadable = [&] {
            EXPECT_TRUE(check_month_file(plan, dir.path() / "2024_03.pnk").empty());
        };
        const int steps = fail_each_step(run, cut);
        EXPECT_GE(steps, 5);
    }
}

TEST_F(FaultInjection, StaffAndGroupFilesAreOldOrNewAfterEveryFailedStep) {
    const size_t workers = plan.workers.size(), groups = plan.groups.size();
    for (bool cut : {false, true}) {
        fault_run run;
        run.folder = plan.paths.data;
        plan.workers[1].surname = "Nowak-Zięba";
        plan.groups[0].name = "Chirurgia ogólna";
        run.before = [&] { plan.guards.read.clear(); };
        run.save = [&] {
            files_report r = zapisz(plan);
            std::string said = warned();
            for (const auto& p : r.problems) said += p + "\n";
            return save_outcome{r.ok(), said};
        };
        run.after_failure = [&](const save_outcome& out) {
            EXPECT_TRUE(out.said.find("grupy.ini") != std::string::npos ||
                        out.said.find("kadra") != std::string::npos)
                << out.said;
        };
        run.loadable = [&] {
            Plan loaded;
            loaded.paths = plan.paths;
            loaded.clock = plan.clock;
            files_report r = wczytaj(loaded);
            EXPECT_TRUE(r.ok());
            EXPECT_TRUE(r.problems.empty()) << r.problems.front();
            EXPECT_EQ(loaded.workers.size(), workers);
            EXPECT_EQ(loaded.groups.size(), groups);
        };
        // grupy.ini: 5 steps; kadra.inr: close and rename, then the plain copy kept aside.
        EXPECT_GE(fail_each_step(run, cut), 7);
    }
}

TEST_F(FaultInjection, MonthOfOnlyOrphansIsOldOrNewAfterEveryFailedStep) {
    // Worker 77 is not on this staff list: her entries stay as orphans, and
    // the month holds nothing else.
    czysc_dyzury_i_wolne(plan);
    dyzur d;
    d.groupId = 1;
    d.workerId = 77;
    d.day = 5;
    d.start = 420;
    d.length = 720;
    d.shift = 1;
    d.dutyAs = 1;
    add(d, int(plan.workers.size()));
    ASSERT_EQ(plan.orphanDuties.size(), 1u);
    for (bool cut : {false, true}) {
        fault_run run;
        run.folder = dir.path();
        // The folder is put back behind the plan's back: what it read is forgotten.
        run.before = [&] { plan.guards.read.clear(); };
        run.save = [&] {
            const result<> r = zapisz_dyzury_i_wolne(plan);
            return save_outcome{r.ok(), said(r)};
        };
        run.loadable = [&] {
            Plan copy = plan;
            copy.currentFile = (dir.path() / "2024_03.pnk").string();
            EXPECT_TRUE(wczytaj_dyzury_i_wolne(copy).empty());
            // Old file: worker 1's duty; new file: the orphan. Never neither.
            EXPECT_EQ(copy.orphanDuties.size() + copy.workers[0].months[0].duties[3].size(), 1u);
        };
        EXPECT_GE(fail_each_step(run, cut), 5);
    }
}

// The autosave writes its own file and nothing else: the staff files keep
// what they held, whatever step of the autosave failed.
TEST_F(FaultInjection, AutosaveIsOldOrNewAfterEveryFailedStepAndLeavesTheStaffAlone) {
    ASSERT_TRUE(wczytaj(plan).ok());
    empty_month("2024_03.pnk");
    const auto groupsRead = plan.groupLinesOnDisk;
    const auto staffRead = plan.staffOnDisk;
    // A worker added in this run, with a duty, reaches the autosave.
    prac added = plan.workers[2];
    added.id = id(plan, 'k', "max");
    added.surname = "Zając";
    plan.workers.push_back(added);
    plan.workers.back().months.assign(plan.months.size(), ms_{});
    plan.rebuildWorkerIds();
    ASSERT_TRUE(add_duty(3, 8, 420, 720));
    const size_t workers = plan.workers.size();
    for (bool cut : {false, true}) {
        fault_run run;
        run.folder = dir.path();
        run.before = [&] {
            plan.guards.read.clear();
            plan.groupLinesOnDisk = groupsRead;
            plan.staffOnDisk = staffRead;
        };
        run.save = [&] {
            const result<> saved = t_SaveTimer(plan);
            return save_outcome{saved.ok(), said(saved)};
        };
        run.loadable = [&] {
            Plan loaded;
            loaded.paths = plan.paths;
            loaded.clock = plan.clock;
            files_report r = wczytaj(loaded);
            EXPECT_TRUE(r.ok());
            EXPECT_TRUE(r.problems.empty()) << r.problems.front();
            EXPECT_EQ(loaded.workers.size(), workers - 1) << "the autosave wrote the staff";
            if (fs::exists(autosave_file(plan))) {
                EXPECT_TRUE(check_month_file(plan, autosave_file(plan)).empty());
            }
        };
        // The autosave month alone takes the steps of one safe write.
        EXPECT_GE(fail_each_step(run, cut), 5);
    }
}

TEST_F(FaultInjection, ConfigurationIsOldOrNewAfterEveryFailedStep) {
    plan.options.windows.window_pos_x = 10;
    ASSERT_TRUE(write_exit_options(plan));
    for (bool cut : {false, true}) {
        fault_run run;
        run.folder = plan.paths.data;
        run.before = [&] { plan.options.windows.window_pos_x = 20; };
        run.save = [&] {
            const result<> written = write_exit_options(plan);
            return save_outcome{written.ok(), written.error().text};
        };
        run.after_failure = [&](const save_outcome& out) {
            EXPECT_NE(out.said.find("konfiguracja.ini"), std::string::npos) << out.said;
        };
        run.loadable = [&] {
            IniFile ini;
            ASSERT_TRUE(ini.load(plan.paths.data / "konfiguracja.ini")) << ini.error();
            const long long x = ini.readInt("windows", "window_pos_x", -1);
            EXPECT_TRUE(x == 10 || x == 20) << x;
        };
        EXPECT_GE(fail_each_step(run, cut), 5);
    }
}

TEST_F(FaultInjection, BackupArchiveIsOldOrNewAfterEveryFailedStep) {
    const std::string name = "backup_2024-03-01.bak";
    ASSERT_TRUE(backup_files(plan, name));
    for (bool cut : {false, true}) {
        fault_run run;
        run.folder = plan.paths.data;
        // Each run archives a file the last archive did not hold.
        run.before = [&] { test::write_file(plan.paths.data / "dodatkowy.ini", "[a]\r\nb=1\r\n"); };
        run.save = [&] {
            io_result r = backup_files(plan, name);
            return save_outcome{r.ok(), r.error};
        };
        run.after_failure = [&](const save_outcome& out) {
            EXPECT_NE(out.said.find(name), std::string::npos) << out.said;
        };
        run.loadable = [&] {
            std::vector<archive_member> members;
            EXPECT_TRUE(archive_read(plan.paths.backup / name, members));
            EXPECT_FALSE(members.empty());
        };
        // Closing the ZIP, the five steps of the safe write, the folder sync.
        EXPECT_GE(fail_each_step(run, cut), 7);
    }
}

TEST_F(FaultInjection, UnreadableSettingsFilesAreKeptNotRewritten) {
    ASSERT_TRUE(add_duty(1, 10, 1140, 720));  // a Sunday, so sundays.ini is written
    const fs::path sundays = sundays_file(plan);
    const fs::path config = recent_config_file(plan);
    const std::string sundaysBefore = "[9]\r\n2024=1000000000000000000000000000000000000000000000000000\r\n";
    const std::string configBefore = "[glowne]\r\nfirma=Szpital\r\n[pliki_Project]\r\nplik1=/dane/stary.pnk\r\n";
    test::write_file(sundays, sundaysBefore);
    test::write_file(config, configBefore);
    {
        test::unreadable_file a(sundays);
        ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    }
    {
        test::unreadable_file b(config);
        dopisz_projekt(plan, {(dir.path() / "2024_03.pnk").string()});
    }
    // Each kept byte for byte under the dated name, and said with both names.
    const std::string date = "2024-03-15";
    EXPECT_EQ(test::read_file(sundays.string() + ".bad_" + date), sundaysBefore);
    EXPECT_EQ(test::read_file(config.string() + ".bad_" + date), configBefore);
    const std::string said = warned();
    for (const std::string& f : {sundays.string(), config.string()}) {
        EXPECT_NE(said.find(f + "."), std::string::npos) << said;
        EXPECT_NE(said.find(f + ".bad_" + date), std::string::npos) << said;
    }
    // The new files start from the defaults.
    IniFile fresh(config);
    EXPECT_FALSE(fresh.keyExists("glowne", "firma"));
    EXPECT_EQ(fresh.readString("pliki_Project", "plik1"), (dir.path() / "2024_03.pnk").string());
}

}  // namespace
}  // namespace planek
