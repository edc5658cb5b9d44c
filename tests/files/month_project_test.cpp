#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "core/text.h"
#include "files/month_project.h"
#include "files/recent_files.h"
#include "files/sundays.h"
#include "month_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class MonthProject : public MonthFixture {
protected:

    std::string month_file(const std::string& name, int year, int month, bool weekMode = false) {
        write_file(path(name), "[okres]\r\nFromYear=" + std::to_string(year) + "\r\nFromMonth=" +
                                   std::to_string(month) + "\r\nWeekMode=" + (weekMode ? "1" : "0") + "\r\n");
        return path(name).string();
    }
    std::string recent(int i) {
        IniFile ini(recent_config_file(plan));
        return ini.readString("pliki_Project", "plik" + std::to_string(i));
    }
};

TEST_F(MonthProject, SeveralFilesOpenInCalendarOrder) {
    const std::string march = month_file("marzec.pnk", 2024, 3);
    const std::string january = month_file("styczen.pnk", 2024, 1);
    const std::string february = month_file("luty.pnk", 2024, 2);
    const std::string december = month_file("grudzien.pnk", 2023, 12);
    const std::vector<std::string> opened = *otworz_projekt(plan, {march, january, february, december});
    EXPECT_EQ(opened, (std::vector<std::string>{december, january, february, march}));
    EXPECT_EQ(plan.openFiles, opened);
    ASSERT_EQ(plan.months.size(), 4u);
    EXPECT_EQ(plan.months[1].month, 1);
    EXPECT_EQ(plan.months[3].dayCount, 31);
    EXPECT_EQ(plan.months[2].dayCount, 29);
    EXPECT_EQ(plan.workers[0].months.size(), 4u);
    EXPECT_EQ(plan.groups[0].monthSettings.size(), 4u);
    EXPECT_EQ(plan.currentMonth, 3);
    EXPECT_EQ(plan.currentFile, march);
    EXPECT_EQ(recent(1), join_fields(opened));
    EXPECT_EQ(plan.options.programPath, dir.path().string());
}

TEST_F(MonthProject, ReopeningAnOpenFileKeepsItsTab) {
    const std::string january = month_file("styczen.pnk", 2024, 1);
    const std::string february = month_file("luty.pnk", 2024, 2);
    ASSERT_TRUE(otworz_projekt(plan, {january, february}));
    ASSERT_TRUE(otworz(plan, january));
    EXPECT_EQ(plan.months.size(), 2u);
    EXPECT_EQ(plan.currentMonth, 0);
    EXPECT_EQ(plan.month, 1);
    EXPECT_EQ(plan.days.size(), 31u);
    // The save question asks and saves; it writes no list of its own.
    ASSERT_TRUE(otworz_projekt(plan, {february}));
    dopisz_ostatni(recent_config_file(plan), "pliki_Project", "inny.pnk");
    EXPECT_EQ(*czy_zapis(plan), Answer::No);
    EXPECT_EQ(recent(1), "inny.pnk");
}

TEST_F(MonthProject, WeekModeOfTheFirstFileDecides) {
    const std::string weeks = month_file("tygodnie.pnk", 2024, 1, true);
    const std::string march = month_file("marzec.pnk", 2024, 3);
    EXPECT_EQ(*otworz_projekt(plan, {weeks, march}), std::vector<std::string>{weeks});
    EXPECT_TRUE(plan.weekMode);
    const std::string weeks2 = month_file("tygodnie2.pnk", 2024, 2, true);
    const std::string april = month_file("kwiecien.pnk", 2024, 4);
    EXPECT_EQ(*otworz_projekt(plan, {april, weeks2, march}), (std::vector<std::string>{march, april}));
    EXPECT_EQ(plan.months.size(), 2u);
}

TEST_F(MonthProject, OpeningNeedsStaffAndGroups) {
    const std::string march = month_file("marzec.pnk", 2024, 3);
    plan.workers.clear();
    EXPECT_TRUE(otworz_projekt(plan, {march})->empty());
    EXPECT_EQ(plan.months.size(), 1u);  // the tables keep one month
}

TEST_F(MonthProject, RecentListKeepsFourNewestWithoutRepeats) {
    const fs::path cfg = recent_config_file(plan);
    for (const char* e : {"a", "b", "c", "d", "b", "e"}) dopisz_ostatni(cfg, "pliki_Project", e);
    auto list = dopisz_ostatni(cfg, "pliki_Project", "");
    EXPECT_EQ(list, (std::array<std::string, 4>{"e", "b", "d", "c"}));
    list = dopisz_ostatni(cfg, "pliki_Project", "/x/autosave.~pn");
    EXPECT_EQ(list[0], "e");
}

TEST_F(MonthProject, RecentProjectsSkipMissingFiles) {
    const std::string march = month_file("marzec.pnk", 2024, 3);
    const std::string april = month_file("kwiecien.pnk", 2024, 4);
    dopisz_ostatni(recent_config_file(plan), "pliki_Project", join_fields({march, april, "/nie/ma.pnk"}));
    dopisz_ostatni(recent_config_file(plan), "pliki_Project", "/nie/ma/wcale.pnk");
    const auto entries = recent_projects(plan);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].position, 2);
    EXPECT_EQ(entries[0].caption, "[2] marzec.pnk, kwiecien.pnk (" + dir.path().string() + ")");
    fs::remove(path("kwiecien.pnk"));
    EXPECT_EQ(recent_projects(plan).at(0).files, std::vector<std::string>{march});
}

TEST_F(MonthProject, SaveQuestion) {
    empty_month();
    set_modified(plan, true);  // modified but empty: nothing to ask
    EXPECT_EQ(*czy_zapis(plan), Answer::No);
    EXPECT_TRUE(ui->questions.empty());

    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    ui->answers = {Answer::Cancel};
    EXPECT_EQ(czy_zapis(plan).error().kind, refusal_kind::Cancelled);
    EXPECT_EQ(ui->questions.at(0), "Czy zapisać bieżące dane?");

    // Yes without a file name: the dialog is shown, and cancelling it cancels.
    std::string proposed;
    plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string& name) {
        proposed = name;
        return std::optional<std::string>();
    };
    plan.currentFile.clear();
    ui->answers = {Answer::Yes};
    EXPECT_EQ(czy_zapis(plan).error().kind, refusal_kind::Cancelled);
    EXPECT_EQ(proposed, "2024_03.pnk");

    plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string& name) {
        return std::optional<std::string>((dir.path() / name).string());
    };
    ui->answers = {Answer::Yes};
    EXPECT_EQ(*czy_zapis(plan), Answer::Yes);
    EXPECT_TRUE(fs::exists(path("2024_03.pnk")));
    EXPECT_EQ(plan.currentFile, path("2024_03.pnk").string());
}

TEST_F(MonthProject, DialogsStartInTheLastFolder) {
    empty_month();
    EXPECT_EQ(project_save_dialog(plan).folder, plan.paths.data.string());
    EXPECT_EQ(project_save_dialog(plan).name, "2024_03.pnk");
    EXPECT_EQ(project_open_dialog(plan).filter, "planek dyzurow (.pnk)|*.pnk");
    ASSERT_TRUE(otworz_projekt(plan, {month_file("marzec.pnk", 2024, 3)}));
    EXPECT_EQ(project_open_dialog(plan).folder, dir.path().string());
    plan.tr.set("dialogs", "d_ProjectOpen", "Open plan");
    EXPECT_EQ(project_open_dialog(plan).title, "Open plan");
    EXPECT_EQ(backup_open_dialog(plan).folder, plan.paths.backup.string());
}

TEST_F(MonthProject, PendingRestoreSuppressesSaving) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    plan.currentFile = path("m.pnk").string();
    write_file(path("m.pnk.~ak"), "");
    EXPECT_FALSE(a_ProjectSave(plan));
    EXPECT_FALSE(fs::exists(path("m.pnk")));
    fs::remove(path("m.pnk.~ak"));
    write_file(plan.paths.data / "planek.ini.~ak", "");
    EXPECT_FALSE(a_ProjectSave(plan));
    fs::remove(plan.paths.data / "planek.ini.~ak");
    EXPECT_TRUE(a_ProjectSave(plan));
}

TEST_F(MonthProject, SaveAsKeepsTheOldNameWhenCancelled) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    plan.currentFile = path("stary.pnk").string();
    plan.hooks.project.chooseSaveFile = [](const std::string&, const std::string&) {
        return std::optional<std::string>();
    };
    EXPECT_FALSE(mi_SaveAs(plan));
    EXPECT_EQ(plan.currentFile, path("stary.pnk").string());
    plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string&) {
        return std::optional<std::string>(path("nowy.pnk").string());
    };
    EXPECT_TRUE(mi_SaveAs(plan));
    EXPECT_EQ(plan.currentFile, path("nowy.pnk").string());
    EXPECT_EQ(project_caption(plan), "PlanekPro - nowy.pnk");
}

TEST_F(MonthProject, NewPlanIsOneEmptyMonthWithTheWorkersDefaults) {
    ASSERT_TRUE(otworz_projekt(plan, {month_file("a.pnk", 2024, 1), month_file("b.pnk", 2024, 2)}));
    plan.workers[1].partTimeDefault = 50;
    plan.workers[1].ownNormDefault = true;
    plan.workers[1].ownNormValueDefault = 100;
    plan.approvedStatus = 1;
    EXPECT_TRUE(a_ProjectNew(plan));
    EXPECT_EQ(plan.months.size(), 1u);
    EXPECT_TRUE(plan.openFiles.empty());
    EXPECT_TRUE(plan.currentFile.empty());
    EXPECT_EQ(plan.year, 2024);
    EXPECT_EQ(plan.month, 3);
    EXPECT_EQ(plan.approvedStatus, 0);
    EXPECT_EQ(plan.workers[1].months.size(), 1u);
    EXPECT_DOUBLE_EQ(plan.workers[1].months[0].partTime, 50);
    EXPECT_TRUE(plan.workers[1].months[0].ownNorm);
    EXPECT_EQ(plan.workers[1].months[0].ownNormValue, 100);
}

TEST_F(MonthProject, WorkedSundays) {
    EXPECT_EQ(sundays_in_year(2023), 53);  // 1 January 2023 was a Sunday
    EXPECT_EQ(sundays_in_year(2024), 52);
    EXPECT_EQ(sunday_position(2024, 1, 7), 1);
    EXPECT_EQ(sunday_position(2024, 1, 8), 0);
    empty_month("2024_01.pnk");
    ASSERT_TRUE(add_duty(0, 7, 420, 720));
    ASSERT_TRUE(add_duty(0, 21, 420, 720));
    ASSERT_TRUE(add_duty(1, 8, 420, 720));  // a Monday
    ASSERT_TRUE(zapisz_niedziele(plan));
    IniFile ini(sundays_file(plan));
    const std::string v = ini.readString("1", "2024");
    EXPECT_EQ(v.size(), 52u);
    EXPECT_EQ(v.substr(0, 4), "1010");
    EXPECT_FALSE(ini.keyExists("2", "2024"));
    // The duties go: the key is deleted again.
    for (auto& list : month(0).duties) list.clear();
    ASSERT_TRUE(zapisz_niedziele(plan));
    EXPECT_FALSE(IniFile(sundays_file(plan)).keyExists("1", "2024"));
}

}  // namespace
}  // namespace planek::test
