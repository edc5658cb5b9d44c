#include <gtest/gtest.h>

#include "core/cp1250.h"
#include "core/plan.h"
#include "files/staff_group_files.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::ScriptedInteraction;
using test::TempDir;
using test::write_file;

struct LegacyImport : ::testing::Test {
    TempDir dir;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    LegacyImport() {
        plan.paths = Paths::local(dir.path());
        plan.ui = ui;
        fs::create_directories(plan.paths.data);
    }
    void write_ini(const std::string& utf8) {
        write_file(plan.paths.data / "planek.ini", utf8_to_cp1250_lossy(utf8));
    }
};

TEST_F(LegacyImport, EmptySectionsTakeEveryDefault) {
    write_ini("[main]\r\ngc=1\r\nkc=1\r\n[g0]\r\n[k0]\r\n");
    ASSERT_TRUE(wczytaj(plan).ok());
    ASSERT_EQ(plan.groups.size(), 1u);
    const grupa& g = plan.groups[0];
    EXPECT_EQ(g.id, 1);
    EXPECT_EQ(g.name, "grupa_1");
    EXPECT_EQ(g.autoStaffN, 2);
    EXPECT_EQ(g.autoStaffH, 2);
    EXPECT_EQ(g.dailyNorm, 455);
    EXPECT_FALSE(g.saturdayHoliday);
    EXPECT_TRUE(g.dayOffForSaturdayHoliday);  // groups without shifts get these
    ASSERT_EQ(g.shifts.size(), 2u);
    EXPECT_EQ(g.shifts[0].symbol, "R");
    EXPECT_EQ(g.shifts[0].start, 420);
    EXPECT_EQ(g.shifts[0].length, 720);
    EXPECT_EQ(g.shifts[0].color, rgb(255, 255, 255));
    EXPECT_EQ(g.shifts[1].symbol, "N");
    EXPECT_EQ(g.shifts[1].start, 1140);
    EXPECT_EQ(g.shifts[1].color, rgb(221, 221, 221));
    EXPECT_EQ(g.dailyNormDefault, 455);

    ASSERT_EQ(plan.workers.size(), 1u);
    const prac& w = plan.workers[0];
    EXPECT_EQ(w.id, 1);
    EXPECT_EQ(w.groupId, 1);
    EXPECT_EQ(w.groups, "1|");
    EXPECT_EQ(w.surname, "Błąd danych");
    EXPECT_EQ(w.nick, "Err");
    EXPECT_EQ(w.color, rgb(255, 255, 0));
    // Leave is taken over as stored, not converted.
    EXPECT_EQ(w.holidayCurrentYear, 26);
    EXPECT_EQ(w.holidayPreviousYear, 26);
    EXPECT_EQ(w.careDays, 2);
    EXPECT_EQ(w.rehaDays, 10);
    EXPECT_DOUBLE_EQ(w.months[0].partTime, 100);
    EXPECT_DOUBLE_EQ(w.partTimeDefault, 100);
    EXPECT_EQ(w.prefDayNight, 5);
    EXPECT_EQ(w.prefNormalHoliday, 5);
    EXPECT_TRUE(w.prefWithoutAuto);
    EXPECT_FALSE(w.prefAuto8);
    EXPECT_EQ(w.systemPattern8, "1");
    EXPECT_EQ(w.systemStartFrom, 1);
    EXPECT_EQ(w.systemStartFrom8, 1);
    EXPECT_EQ(w.systemPattern, "1200");
    EXPECT_EQ(w.automatDays, "1111100");
    EXPECT_EQ(plan.workerIds, (std::vector<std::string>{"1"}));
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(LegacyImport, ValuesAreReadAndBadOnesReported) {
    write_ini("[g0]\r\nid=4\r\nnazwa=Położnictwo\r\nsob_swieto=1\r\nday8=480\r\n"
              "zod0=360\r\nzile0=480\r\nzkolor0=$00DDDDDD\r\nzsymbol0=R\r\nzobsada0=3\r\n"
              "zod1=840\r\nzkolor1=purple?\r\n"
              "[g1]\r\nid=4\r\n"
              "[k0]\r\nid=9\r\ngrupa=4\r\nnazwisko=Żak\r\nimie=Ewa\r\netat=87,5\r\npseudo=ŻakE\r\n"
              "urlop=2x\r\nkolor=clRed\r\n"
              "[k2]\r\nnazwisko=Not read: k1 is missing\r\n");
    const files_report read = wczytaj(plan);
    ASSERT_EQ(plan.groups.size(), 2u);
    const grupa& g = plan.groups[0];
    EXPECT_EQ(g.id, 4);
    EXPECT_EQ(g.name, "Położnictwo");
    EXPECT_TRUE(g.saturdayHoliday);
    EXPECT_EQ(g.dailyNorm, 480);
    ASSERT_EQ(g.shifts.size(), 2u);
    EXPECT_EQ(g.shifts[0].color, rgb(0xDD, 0xDD, 0xDD));
    EXPECT_EQ(g.shifts[0].staffMin, 3);
    EXPECT_EQ(g.shifts[1].length, 720);
    EXPECT_EQ(g.shifts[1].symbol, "2");
    EXPECT_EQ(g.shifts[1].color, rgb(255, 255, 255));
    EXPECT_EQ(plan.groups[1].id, 5);  // the duplicate got a free id

    ASSERT_EQ(plan.workers.size(), 1u);
    const prac& w = plan.workers[0];
    EXPECT_EQ(w.surname, "Żak");
    EXPECT_EQ(w.nick, "Żak");
    EXPECT_EQ(w.groups, "4|");
    EXPECT_DOUBLE_EQ(w.months[0].partTime, 87.5);
    EXPECT_EQ(w.holidayCurrentYear, 26);
    EXPECT_EQ(w.color, rgb(255, 0, 0));
    // One summary for the front end to show; the reader tells no one.
    EXPECT_TRUE(ui->warnings.empty());
    const std::string& said = read.said.text;
    EXPECT_NE(said.find("planek.ini, [g0] zkolor1"), std::string::npos) << said;
    EXPECT_NE(said.find("planek.ini, [k0] urlop: błędna wartość „2x”"), std::string::npos);
    EXPECT_NE(said.find("planek.ini, [g1]"), std::string::npos);
}

TEST_F(LegacyImport, WhileTheOldFileExistsTheNewFilesAreNotRead) {
    write_ini("[g0]\r\nnazwa=Stara\r\n[k0]\r\nnazwisko=Stary\r\n");
    ASSERT_TRUE(wczytaj(plan).ok());
    plan.groups[0].name = "Nowa";
    plan.workers[0].surname = "Nowy";
    ASSERT_TRUE(zapisz(plan).ok());
    EXPECT_TRUE(fs::exists(plan.paths.data / "grupy.ini"));
    EXPECT_TRUE(fs::exists(plan.paths.data / "kadra.inr"));
    const std::string before = read_file(plan.paths.data / "planek.ini");

    Plan again;
    again.paths = plan.paths;
    ASSERT_TRUE(wczytaj(again).ok());
    ASSERT_EQ(again.groups.size(), 1u);
    EXPECT_EQ(again.groups[0].name, "Stara");
    EXPECT_EQ(again.workers[0].surname, "Stary");
    EXPECT_EQ(read_file(plan.paths.data / "planek.ini"), before);
    EXPECT_TRUE(fs::exists(plan.paths.data / "planek.ini.bak"));

    // Once it is gone, the saved files are what loads.
    fs::remove(plan.paths.data / "planek.ini");
    ASSERT_TRUE(wczytaj(again).ok());
    EXPECT_EQ(again.groups[0].name, "Nowa");
    EXPECT_EQ(again.workers[0].surname, "Nowy");
    EXPECT_EQ(again.workers[0].groups, "1|");
}

}  // namespace
}  // namespace planek
