#include <gtest/gtest.h>

#include <algorithm>

#include "core/ini_file.h"
#include "core/text.h"
#include "files/archive.h"
#include "files/backups.h"
#include "files/month_project.h"
#include "files/recent_files.h"
#include "month_fixture.h"
#include "settings/option_values.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class Backups : public MonthFixture {
protected:

    std::vector<std::string> members(const fs::path& archive) {
        std::vector<archive_member> m;
        EXPECT_TRUE(archive_read(archive, m));
        std::vector<std::string> names;
        for (const auto& a : m) names.push_back(a.name);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string content(const fs::path& archive, const std::string& name) {
        std::vector<archive_member> m;
        if (!archive_read(archive, m)) return "<unreadable>";
        for (const auto& a : m)
            if (a.name == name) return a.bytes;
        return "<none>";
    }
};

TEST_F(Backups, ArchiveHoldsTheDataFilesAndTheLastProjectFolder) {
    const fs::path data = plan.paths.data;
    write_file(data / "grupy.ini", "g");
    write_file(data / "kadra.inr", "k");
    write_file(data / "2024_01.pnk", "m1");
    write_file(data / "stare" / "2023_12.pnk", "m0");
    write_file(data / "stare" / "2024_01.pnk", "inny styczen");
    write_file(data / ".ukryte" / "x.pnk", "skip");
    write_file(data / "Recycled" / "y.pnk", "skip");
    write_file(data / "notatki.txt", "skip");
    // The last project lies outside the data folder.
    write_file(dir.path() / "projekty" / "2024_02.pnk", "m2");
    write_file(dir.path() / "projekty" / "luty" / "2024_02b.pnk", "m3");
    write_file(dir.path() / "dane2" / "obok.pnk", "m4");
    dopisz_ostatni(recent_config_file(plan), "pliki_Project",
                   join_fields({(dir.path() / "projekty" / "2024_02.pnk").string()}));

    ASSERT_TRUE(backup_files(plan, "test.bak"));
    const fs::path archive = plan.paths.backup / "test.bak";
    // The recent list is the user's, outside the data folder: not the ward's to archive.
    EXPECT_EQ(members(archive), (std::vector<std::string>{"2023_12.pnk", "2024_01.pnk", "2024_01_2.pnk",
                                                          "2024_02.pnk", "2024_02b.pnk", "grupy.ini", "kadra.inr"}));
    EXPECT_EQ(content(archive, "2024_01.pnk"), "m1");
    EXPECT_EQ(content(archive, "2024_01_2.pnk"), "inny styczen");

    // A last project inside the data folder is not packed twice.
    dopisz_ostatni(recent_config_file(plan), "pliki_Project", (data / "stare" / "2023_12.pnk").string());
    ASSERT_TRUE(backup_files(plan, "test2.bak"));
    EXPECT_EQ(members(plan.paths.backup / "test2.bak").size(), 5u);
}

// "dane2" begins with the text of "dane" but is not inside it.
TEST_F(Backups, NeighbourFolderOfTheSameStemIsOutside) {
    write_file(dir.path() / "dane2" / "obok.pnk", "m");
    dopisz_ostatni(recent_config_file(plan), "pliki_Project", (dir.path() / "dane2" / "obok.pnk").string());
    const auto files = backup_file_list(plan);
    EXPECT_NE(std::find(files.begin(), files.end(), dir.path() / "dane2" / "obok.pnk"), files.end());
}

TEST_F(Backups, VersionArchiveIsMadeOnce) {
    EXPECT_EQ(version_archive_name(), "backup_ver_3_82_testowa.bak");
    write_file(plan.paths.data / "grupy.ini", "pierwsze");
    ASSERT_TRUE(version_archive(plan));
    const fs::path archive = plan.paths.backup / version_archive_name();
    write_file(plan.paths.data / "grupy.ini", "drugie");
    ASSERT_TRUE(version_archive(plan));
    EXPECT_EQ(content(archive, "grupy.ini"), "pierwsze");
}

TEST_F(Backups, PeriodicArchive) {
    write_file(plan.paths.data / "grupy.ini", "g");
    plan.options.glowne.autoarchiving = 90;
    plan.options.glowne.last_backup = {2024, 2, 14};  // 30 days before 15 March
    const fs::path old = plan.paths.backup / "backup_2024-02-14.bak";
    write_file(old, "stare archiwum");
    const fs::path fresh = plan.paths.backup / "backup_2024-03-15.bak";
    ASSERT_TRUE(periodic_archive(plan));
    EXPECT_FALSE(fs::exists(fresh));

    fs::remove(old);
    ASSERT_TRUE(periodic_archive(plan));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_EQ(plan.options.glowne.last_backup, (civil_date{2024, 3, 15}));

    fs::remove(fresh);
    plan.options.glowne.autoarchiving = 0;
    plan.options.glowne.last_backup = {2020, 1, 1};
    ASSERT_TRUE(periodic_archive(plan));
    EXPECT_FALSE(fs::exists(fresh));
}

TEST_F(Backups, FailedPeriodicArchiveKeepsTheLastBackupDate) {
    plan.options.glowne.last_backup = {2023, 1, 1};
    write_file(plan.paths.backup, "nie katalog");  // the backup folder cannot be made
    const io_result failed = periodic_archive(plan);
    EXPECT_FALSE(failed);
    EXPECT_EQ(plan.options.glowne.last_backup, (civil_date{2023, 1, 1}));
    // The reason is the caller's to tell (the program's exit).
    EXPECT_FALSE(failed.error.empty());
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(Backups, AutosaveLeavesFileAndFlagsAndIsRecoveredWithoutName) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    plan.currentFile = path("moj.pnk").string();
    ASSERT_TRUE(t_SaveTimer(plan));
    EXPECT_TRUE(fs::exists(autosave_file(plan)));
    EXPECT_EQ(plan.currentFile, path("moj.pnk").string());
    EXPECT_FALSE(fs::exists(path("moj.pnk")));
    // The recent list never names the autosave file.
    EXPECT_TRUE(IniFile(recent_config_file(plan)).readString("program", "path").empty());

    Plan next = plan;
    for (prac& w : next.workers) w.months.assign(1, ms_{});
    next.currentFile.clear();
    ui->answers = {Answer::No};
    EXPECT_FALSE(autosave_recovery(next));
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(autosave_recovery(next));
    EXPECT_EQ(ui->questions.back(), "Istnieje niezapisany plik. \nRozpocząć próbę odzyskania go?");
    EXPECT_TRUE(next.currentFile.empty());
    EXPECT_EQ(next.months.size(), 1u);
    EXPECT_EQ(next.workers[0].months[0].duties[2].size(), 1u);

    bool asked = false;
    next.hooks.project.chooseSaveFile = [&](const std::string&, const std::string& name) {
        asked = true;
        return std::optional<std::string>(path(name).string());
    };
    ASSERT_TRUE(a_ProjectSave(next));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(fs::exists(path("2024_03.pnk")));
    usun_autosave(next);
    EXPECT_FALSE(fs::exists(autosave_file(plan)));
}

TEST_F(Backups, MonthRestoreTwiceReturnsTheOriginal) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    plan.currentFile = path("m.pnk").string();
    plan.openFiles = {plan.currentFile};
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const std::string current = read_file(path("m.pnk"));
    write_file(path("m.pnk.bak"), "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n");
    const std::string copy = read_file(path("m.pnk.bak"));

    EXPECT_TRUE(mi_RestoreDataClick(plan).month);
    EXPECT_FALSE(mi_RestoreDataClick(plan).workers);
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(a_RestoreMonth(plan));
    EXPECT_NE(ui->questions.back().find("Istniejąca kopia zapasowa dla wybranego miesiąca pochodzi z: "),
              std::string::npos);
    EXPECT_EQ(read_file(path("m.pnk")), copy);
    EXPECT_EQ(read_file(path("m.pnk.bak")), current);
    EXPECT_FALSE(fs::exists(path("m.pnk.~ak")));
    EXPECT_TRUE(month(0).duties[2].empty());  // the restored month is shown

    ui->answers = {Answer::Yes};
    ASSERT_TRUE(a_RestoreMonth(plan));
    EXPECT_EQ(read_file(path("m.pnk")), current);
    EXPECT_EQ(read_file(path("m.pnk.bak")), copy);
    EXPECT_EQ(month(0).duties[2].size(), 1u);

    ui->answers = {Answer::No};
    EXPECT_FALSE(a_RestoreMonth(plan));
    EXPECT_EQ(read_file(path("m.pnk")), current);
}

TEST_F(Backups, WorkersRestoreSwapsAndStopsTheExitSave) {
    write_file(plan.paths.data / "grupy.ini.bak", "stare grupy\r\n");
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(a_RestoreWorkers(plan));
    EXPECT_FALSE(plan.saveStaffAtExit);
    EXPECT_EQ(read_file(plan.paths.data / "grupy.ini"), "stare grupy\r\n");
    // The tables were written first; that copy is now the ".bak".
    EXPECT_NE(read_file(plan.paths.data / "grupy.ini.bak").find("Chirurgia"), std::string::npos);
    EXPECT_TRUE(fs::exists(plan.paths.data / "kadra.inr"));
    EXPECT_FALSE(fs::exists(plan.paths.data / "grupy.ini.~ak"));
    // The advice to start again is the act's to give (restore_staff_copy).
    EXPECT_TRUE(ui->infos.empty());
}

TEST_F(Backups, ArchiveRestoreUnpacksBesideTheLiveData) {
    write_file(plan.paths.data / "grupy.ini", "zywe");
    ASSERT_TRUE(backup_files(plan, "a.bak"));
    write_file(plan.paths.data / "grupy.ini", "zmienione");
    const result<> restored = restore_archive(plan, plan.paths.backup / "a.bak");
    ASSERT_TRUE(restored);
    EXPECT_EQ(read_file(plan.paths.backup / "dane" / "grupy.ini"), "zywe");
    EXPECT_EQ(read_file(plan.paths.data / "grupy.ini"), "zmienione");
    EXPECT_EQ(said_of(restored).text,
              "Odzyskane pliki zostały zapisane w katalogu: \n" + (plan.paths.backup / "dane").string());
    EXPECT_FALSE(restore_archive(plan, plan.paths.backup / "nie_ma.bak"));
}

}  // namespace
}  // namespace planek::test
