// A ward manager's year: the demo ward planned month after month from
// January 2027 into January 2028, the figures checked as one checks them by
// hand against the Polish working-time rules.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <tuple>

#include "cli_runner.h"
#include "core/cp1250.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli;
using test::TempDir;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

class WardYear : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;

    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(run_cli(dir, {"demo", root}).code, 0);
    }
    result cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", root, "--lang", "polski"});
        return run_cli(dir, args);
    }
    // An empty month file of the year, made as the manager makes the next month.
    std::string month(int year, int m) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d_%02d", year, m);
        const std::string path = (dir / "ward" / "dane" / (std::string(name) + ".pnk")).string();
        if (!fs::exists(path)) {
            char ym[16];
            std::snprintf(ym, sizeof ym, "%04d-%02d", year, m);
            const result made = cli({"new", path, ym});
            EXPECT_EQ(made.code, 0) << made.err;
        }
        return path;
    }
    // A printout of the months as its text: tags dropped, in UTF-8.
    std::string printed(const std::string& templ, const std::vector<std::string>& months,
                        const std::vector<std::string>& more = {}) {
        std::vector<std::string> args{"print", templ};
        args.insert(args.end(), months.begin(), months.end());
        args.insert(args.end(), more.begin(), more.end());
        args.insert(args.end(), {"-o", (dir / "out").string()});
        const result r = cli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        std::istringstream lines(r.out);
        std::string path;
        std::getline(lines, path);
        const std::string text = std::regex_replace(cp1250_to_utf8(read_file(path)), std::regex("<[^>]*>"), " ");
        return std::regex_replace(text, std::regex("\\s+"), " ");
    }
};

TEST_F(WardYear, PeriodSummaryHeadsEachMonthWithItsOwnNorm) {
    // 7:35 a working day: January 19 days, February 20, March 22 (Easter
    // Monday on the 29th), May 18 (1 May a Saturday, given back as a day off).
    const std::string text =
        printed("podsumowanie_okresu", {month(2027, 1), month(2027, 2), month(2027, 3)}, {"--group", "1"});
    EXPECT_TRUE(has(text, "normatyw okresu: 462:35")) << text;
    EXPECT_TRUE(has(text, "(norma 144:05)")) << text;
    EXPECT_TRUE(has(text, "(norma 151:40)")) << text;
    EXPECT_TRUE(has(text, "(norma 166:50)")) << text;

    // A period across the year's end, opened in any order, and the group
    // whose worker list is not the shown one's.
    const std::string winter =
        printed("podsumowanie_okresu", {month(2028, 1), month(2027, 11), month(2027, 12)}, {"--group", "2"});
    EXPECT_TRUE(has(winter, "01.11.2027 - 31.01.2028")) << winter;
    EXPECT_TRUE(has(winter, "normatyw okresu: 455:00")) << winter;
    EXPECT_TRUE(has(winter, "November 2027 (norma 151:40)") || has(winter, "Listopad 2027 (norma 151:40)")) << winter;
    EXPECT_TRUE(has(winter, "(norma 159:15)")) << winter;
    EXPECT_TRUE(has(winter, "(norma 144:05)")) << winter;
}

TEST_F(WardYear, PeriodSummaryOfAllGroupsCountsEveryMonthInBothWards) {
    // Monika Olszewska (28) works on the surgical ward and helps out in the
    // delivery suite; printed over all groups, each month holds both.
    const std::string jan = month(2027, 1), feb = month(2027, 2), mar = month(2027, 3);
    for (const auto& [file, day, shift, group] :
         std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
             {jan, "4", "D", "1"}, {jan, "5", "R", "2"}, {feb, "2", "R", "2"}, {mar, "2", "D", "1"}}) {
        const result added = cli({"--no", "add-duty", file, "28", day, shift, "--group", group});
        ASSERT_EQ(added.code, 0) << added.err;
    }
    const std::string text = printed("podsumowanie_okresu", {jan, feb, mar}, {"--group", "1", "--all-groups"});
    EXPECT_TRUE(has(text, "Olszewska Monika 20:00 08:00 12:00 462:35 40:00")) << text;
    // Without it, only the surgical ward's duties.
    const std::string own = printed("podsumowanie_okresu", {jan, feb, mar}, {"--group", "1"});
    EXPECT_TRUE(has(own, "Olszewska Monika 12:00 0 12:00 462:35 24:00")) << own;
}

}  // namespace
}  // namespace planek
