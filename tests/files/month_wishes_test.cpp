// The workers' wishes in the month file and the second algorithm's aim in
// the group file: both read back as written, and both in a form the older
// readers pass over.
#include <gtest/gtest.h>

#include "core/cp1250.h"
#include "core/text.h"
#include "editing/wishes.h"
#include "files/group_file.h"
#include "files/month_wishes.h"
#include "month_fixture.h"

namespace planek::test {
namespace {

class MonthWishes : public MonthFixture {};

TEST_F(MonthWishes, AreWrittenInTheirOwnSectionAndReadBack) {
    empty_month();
    ASSERT_FALSE(ustaw_zyczenie(plan, 0, 4, {wish_kind::DayOff, 0, 3}).refused());
    ASSERT_FALSE(ustaw_zyczenie(plan, 1, 4, {wish_kind::Shift, 2, 1}).refused());
    ASSERT_FALSE(ustaw_zyczenie(plan, 2, 30, {wish_kind::NotShift, 1, 2}).refused());
    // A month with nothing but wishes is no empty month: it is saved.
    EXPECT_FALSE(czy_puste_dyzury_i_wolne(plan));
    const std::vector<std::string> lines = month_file_lines(plan);
    const auto at = std::find(lines.begin(), lines.end(), "[zyczenia]");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), "z1=1¤5¤w¤0¤3");
    EXPECT_EQ(*(at + 2), "z2=2¤5¤z¤2¤1");
    EXPECT_EQ(*(at + 3), "z3=3¤31¤n¤1¤2");
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());

    plan.workers[0].months[0].wishes = {};
    const std::vector<month_problem> problems = wczytaj_dyzury_i_wolne(plan);
    EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problem_text(problems[0]));
    EXPECT_EQ(month(0).wishes[4], (wish{wish_kind::DayOff, 0, 3}));
    EXPECT_EQ(month(1).wishes[4], (wish{wish_kind::Shift, 2, 1}));
    EXPECT_EQ(month(2).wishes[30], (wish{wish_kind::NotShift, 1, 2}));
    EXPECT_FALSE(month(0).wishes[5].used());
}

TEST_F(MonthWishes, KeepAStrangersWishesAndReportWhatTheyCannotUse) {
    write_file(path("2024_03.pnk"), utf8_to_cp1250_lossy("[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n\r\n[zyczenia]\r\n"
                                    "z1=99¤3¤w¤0¤1\r\n"    // a worker not on the staff
                                    "z2=1¤40¤w¤0¤1\r\n"    // no such day
                                    "z3=1¤3¤x¤1¤1\r\n"     // no such kind
                                    "z4=1¤3¤z¤0¤1\r\n"     // a shift wish without the shift
                                    "z5=1¤3¤z¤2¤4\r\n"     // a weight past 3
                                    "z6=1¤3¤n¤2¤2\r\n"
                                    "z7=1¤3¤w¤0¤1\r\n"));  // a second wish that day
    plan.currentFile = path("2024_03.pnk").string();
    const std::vector<month_problem> problems = wczytaj_dyzury_i_wolne(plan);
    EXPECT_EQ(problems.size(), 5u);
    for (const month_problem& p : problems) EXPECT_EQ(p.section, "zyczenia");
    EXPECT_EQ(month(0).wishes[2], (wish{wish_kind::NotShift, 2, 2}));
    const std::vector<std::string> lines = wish_section_lines(plan);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "z1=1¤3¤n¤2¤2");
    EXPECT_EQ(lines[2], "z2=99¤3¤w¤0¤1");
}

TEST_F(MonthWishes, RefuseADayOffTheMonthAWeightOutsideOneToThreeAndAShiftTheGroupHasNot) {
    empty_month();
    plan.modified = false;
    EXPECT_TRUE(ustaw_zyczenie(plan, 0, 31, {wish_kind::DayOff, 0, 1}).refused());
    EXPECT_TRUE(ustaw_zyczenie(plan, 0, 3, {wish_kind::DayOff, 0, 4}).refused());
    EXPECT_TRUE(ustaw_zyczenie(plan, 0, 3, {wish_kind::Shift, 3, 1}).refused());
    EXPECT_FALSE(plan.modified);
    EXPECT_FALSE(ustaw_zyczenie(plan, 0, 3, {wish_kind::Shift, 2, 1}).refused());
    EXPECT_TRUE(plan.modified);
    EXPECT_FALSE(ustaw_zyczenie(plan, 0, 3, {}).refused());
    EXPECT_FALSE(month(0).wishes[3].used());
}

TEST(GroupAim, IsTheLastFieldOfTheGroupLineAndDefaultsToTheRules) {
    grupa g;
    g.id = 4;
    g.name = "Interna";
    g.aim = 1;
    Translator tr;
    file_problems problems{tr, {}};
    const std::vector<std::string> lines = group_file_lines({g}, problems);
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<std::string> fields = split_fields(lines[0]);
    ASSERT_EQ(fields.size(), 23u);
    EXPECT_EQ(fields[22], "1");
    EXPECT_EQ(read_group_lines(lines, "grupy.ini", problems).at(0).aim, 1);
    // A line of a version before the aim reads as the rules first.
    std::vector<std::string> older{join_fields(std::vector<std::string>(fields.begin(), fields.end() - 1))};
    EXPECT_EQ(read_group_lines(older, "grupy.ini", problems).at(0).aim, 0);
}

}  // namespace
}  // namespace planek::test
