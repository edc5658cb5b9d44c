#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli_runner.h"
#include "support/month_files.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

using test::quote;
using test::result;
using test::run_cli;

using test::lines;

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

class CliMonth : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    std::vector<fs::path> months;

    void SetUp() override {
        root = (dir / "ward").string();
        const result demo = run_cli(dir, {"demo", root});
        ASSERT_EQ(demo.code, 0) << demo.err;
        months = test::month_files(dir / "ward" / "dane");
        ASSERT_EQ(months.size(), 2u);
    }
    // The messages asserted below are the Polish ones, whatever the system language.
    result cli(const std::vector<std::string>& args) { return test::run_cli_on(dir, root, args, "polski"); }
};

TEST_F(CliMonth, DemoMonthsReadCleanlyAndShowARoster) {
    for (const fs::path& m : months) {
        const result check = cli({"check", m.string()});
        EXPECT_EQ(check.code, 0) << check.out << check.err;
    }
    const std::string approved = read_file(months[0]);
    EXPECT_NE(approved.find("status=1"), std::string::npos);
    EXPECT_NE(read_file(months[1]).find("status=0"), std::string::npos);

    const std::string config = read_file(dir / "ward" / "dane" / "konfiguracja.ini");
    const result show = cli({"show", months[1].string()});
    ASSERT_EQ(show.code, 0) << show.err;
    // Looking changes nothing around the month: no safety copy, same recent list.
    EXPECT_FALSE(fs::exists(months[1].string() + ".bak"));
    EXPECT_EQ(read_file(dir / "ward" / "dane" / "konfiguracja.ini"), config);
    EXPECT_NE(config.find("plik1=" + months[0].string() + "\xA4" + months[1].string()), std::string::npos) << config;
    const auto rows = lines(show.out);
    ASSERT_GE(rows.size(), 10u);
    EXPECT_NE(rows[0].find("Oddział Chirurgii"), std::string::npos);
    EXPECT_NE(rows[1].find("norma"), std::string::npos);
    EXPECT_EQ(rows.size(), 2u + 15u);  // the surgical ward: 14 of its own and one shared
    EXPECT_GT(count(show.out, " D "), 20u);
    EXPECT_GT(count(show.out, " N "), 20u);

    const result group2 = cli({"show", months[1].string(), "--group", "2"});
    EXPECT_NE(group2.out.find("Blok Porodowy"), std::string::npos);
    EXPECT_EQ(cli({"show", months[1].string(), "--group", "9"}).code, 1);
    EXPECT_EQ(cli({"show"}).code, 2);
}

TEST_F(CliMonth, SummaryAsTextAndJson) {
    const result one = cli({"summary", months[1].string(), "--worker", "3"});
    ASSERT_EQ(one.code, 0) << one.err;
    ASSERT_EQ(lines(one.out).size(), 1u);
    EXPECT_EQ(one.out.rfind("3 Wójcik Katarzyna: norma ", 0), 0u) << one.out;

    const result json = cli({"summary", months[1].string(), "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_EQ(count(json.out, "\"id\":"), 28u);  // every current worker
    for (const char* key : {"surname", "firstName", "workerNorm", "dayMinutes", "nightMinutes", "holidayMinutes",
                            "workedMinutes", "creditedMinutes", "overtime100", "overtime50", "medicalOvertime100",
                            "medicalOvertime50", "extraOvertime100", "extraOvertime50", "normOpen", "dutyCount",
                            "days", "credited", "symbol"})
        EXPECT_NE(json.out.find("\"" + std::string(key) + "\":"), std::string::npos) << key;
    EXPECT_NE(json.out.find("\"surname\":\"Wiśniewska\""), std::string::npos);
    EXPECT_EQ(cli({"summary", months[1].string(), "--worker", "999"}).code, 1);
}

TEST_F(CliMonth, CheckReportsEveryUnusableLineAndChangesNothing) {
    std::string text = test::unsealed(read_file(months[0]));
    text += "\r\n[dyzury]\r\nd900=1\xA4" "3\xA4" "40\xA4" "720\xA4" "1\xA4" "420\xA4" "0\r\nsmieci\r\n";
    const fs::path bad = dir / "zly.pnk";
    write_file(bad, text);
    const result check = cli({"check", bad.string()});
    EXPECT_EQ(check.code, 1);
    const auto out = lines(check.out);
    ASSERT_EQ(out.size(), 2u) << check.out;
    EXPECT_NE(out[0].find("d900"), std::string::npos);
    EXPECT_NE(out[0].find("40"), std::string::npos);
    EXPECT_NE(out[1].find("smieci"), std::string::npos);
    EXPECT_EQ(read_file(bad), text);
    EXPECT_FALSE(fs::exists(bad.string() + ".bak"));
    EXPECT_EQ(cli({"check", (dir / "nie_ma.pnk").string()}).code, 1);
}

TEST_F(CliMonth, SaveAsWritesBackEverythingAndNewMakesAnEmptyMonth) {
    const fs::path copy = dir / "kopia.pnk";
    const result saved = cli({"save-as", months[0].string(), copy.string()});
    ASSERT_EQ(saved.code, 0) << saved.err;
    EXPECT_EQ(read_file(copy), read_file(months[0]));
    EXPECT_EQ(cli({"save-as", months[0].string(), copy.string()}).code, 1);  // exists: not without --yes
    EXPECT_EQ(cli({"--yes", "save-as", months[0].string(), copy.string()}).code, 0);

    const fs::path fresh = dir / "luty.pnk";
    const result made = cli({"new", fresh.string(), "2024-02"});
    ASSERT_EQ(made.code, 0) << made.err;
    const std::string text = read_file(fresh);
    EXPECT_NE(text.find("FromYear=2024\r\nFromMonth=2\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("[dyzury]"), std::string::npos);
    const result show = cli({"show", fresh.string()});
    EXPECT_NE(lines(show.out).at(1).find(" 29 |"), std::string::npos) << show.out;
    EXPECT_EQ(cli({"new", (dir / "x.pnk").string(), "2024-13"}).code, 2);
    // Without a month the name gives it.
    ASSERT_EQ(cli({"new", (dir / "2023_11.pnk").string()}).code, 0);
    EXPECT_NE(read_file(dir / "2023_11.pnk").find("FromYear=2023\r\nFromMonth=11\r\n"), std::string::npos);
}

TEST_F(CliMonth, DayPrintsTheDayBoxAndRefusesADayOutsideTheMonth) {
    const result day = cli({"day", months[1].string(), "10"});
    ASSERT_EQ(day.code, 0) << day.err;
    const auto rows = lines(day.out);
    ASSERT_GE(rows.size(), 4u) << day.out;
    EXPECT_EQ(rows[0].rfind("Dzień 10, ", 0), 0u) << day.out;
    EXPECT_NE(rows[1].find(" z "), std::string::npos) << day.out;
    EXPECT_EQ(count(day.out, "Najwięcej na dyżurze: "), 1u);
    EXPECT_EQ(count(day.out, "Najmniej na dyżurze: "), 1u);
    const result other = cli({"day", months[1].string(), "10", "--group", "2"});
    ASSERT_EQ(other.code, 0) << other.err;
    EXPECT_NE(other.out, day.out);  // another group's shifts
    const result outside = cli({"day", months[1].string(), "32"});
    EXPECT_EQ(outside.code, 1);
    EXPECT_NE(outside.err.find("Nie ma dnia 32"), std::string::npos) << outside.err;
    EXPECT_EQ(cli({"day", months[1].string()}).code, 2);
}

// Weeks 52 of 2022 to 2 of 2023: every command numbers the three columns
// 52, 53, 54, the numbers the file stores their duties and days off under.
// A month that is nothing but its header reads as cut, so the file has one
// empty section as every written month does.
TEST_F(CliMonth, WeekModeNumbersItsColumnsAlikeAcrossAYearsEnd) {
    const std::string weeks = (dir / "ward" / "dane" / "tygodnie.pnk").string();
    write_file(weeks, "[okres]\r\nFromYear=2022\r\nFromMonth=12\r\nWeekMode=1\r\nWeekModeFrom=52\r\n"
                      "WeekModeCount=3\r\n\r\n[urlop_normatyw]\r\n");
    const result info = cli({"info", weeks, "--json"});
    ASSERT_EQ(info.code, 0) << info.err;
    for (const char* number : {"52", "53", "54"})
        EXPECT_EQ(count(info.out, std::string("\"dayNumber\": ") + number + ","), 1u) << number << info.out;
    EXPECT_EQ(count(info.out, "\"dayNumber\": 1,"), 0u) << info.out;

    const result duty = cli({"add-duty", weeks, "1", "53", "D"});
    ASSERT_EQ(duty.code, 0) << duty.err;
    EXPECT_NE(duty.out.find("dzień 53"), std::string::npos) << duty.out;
    const result leave = cli({"add-dayoff", weeks, "1", "54", "u"});
    ASSERT_EQ(leave.code, 0) << leave.err;
    EXPECT_NE(leave.out.find("dni 54-54, normatyw 07:35"), std::string::npos) << leave.out;
    const result refused = cli({"add-duty", weeks, "1", "1", "D"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("Dnia 1 nie ma"), std::string::npos) << refused.err;

    const result shown = cli({"show", weeks});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find(" 52 53 54 |"), std::string::npos) << shown.out;
    const result day = cli({"day", weeks, "53"});
    ASSERT_EQ(day.code, 0) << day.err;
    EXPECT_EQ(day.out.rfind("Dzień 53, Wtorek", 0), 0u) << day.out;
    EXPECT_EQ(cli({"day", weeks, "1"}).code, 1);
    // The leave is credited what it stored: one column of 7:35.
    const result summary = cli({"summary", weeks, "--worker", "1"});
    ASSERT_EQ(summary.code, 0) << summary.err;
    EXPECT_NE(summary.out.find("wolne 7:35"), std::string::npos) << summary.out;
}

}  // namespace
}  // namespace planek
