#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace planek {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

using cli_result = test::result;

cli_result run_info(const TempDir& dir, const std::vector<std::string>& args) {
    // The texts asserted are the Polish ones, whatever the system language.
    test::run_cli(dir, {"init", (dir / "root").string()});
    std::vector<std::string> all{"--root", (dir / "root").string(), "--lang", "polski", "info"};
    all.insert(all.end(), args.begin(), args.end());
    return test::run_cli(dir, all);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(InfoCommand, MissingFileIsTheEmptyMonthOfItsName) {
    TempDir dir;
    const cli_result r = run_info(dir, {(dir / "2026_05.pnk").string(), "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.out, "\"year\": 2026")) << r.out;
    EXPECT_TRUE(has(r.out, "\"month\": 5"));
    EXPECT_TRUE(has(r.out, "\"weekMode\": false"));
    EXPECT_TRUE(has(r.out, "\"workingDays\": 20"));
    // 1 May: a Friday and a holiday; 3 May a Sunday; 31 days in all.
    EXPECT_TRUE(has(r.out, "{\"dayNumber\": 1, \"dayOfWeek\": 6, \"holiday\": true, \"dayClass\": \"sw\""));
    EXPECT_TRUE(has(r.out, "{\"dayNumber\": 2, \"dayOfWeek\": 7, \"holiday\": false, \"dayClass\": \"so\""));
    EXPECT_TRUE(has(r.out, "{\"dayNumber\": 31, \"dayOfWeek\": 1"));
    EXPECT_FALSE(has(r.out, "\"dayNumber\": 32"));
}

TEST(InfoCommand, CalendarSectionsOfAMonthFile) {
    TempDir dir;
    // Windows-1250 on disk: "¤" is byte 0xA4.
    write_file(dir / "listopad.pnk",
               "[okres]\r\nFromYear=2025\r\nFromMonth=11\r\n\r\n[kalendarz_wlasny]\r\n4=1\r\n\r\n"
               "[kalendarz_ostre_dyzury]\r\n5=1\r\n\r\n[kalendarz_notatki]\r\n5=remont\xA4sali\r\n");
    const cli_result r = run_info(dir, {(dir / "listopad.pnk").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.out, "Rok: 2025")) << r.out;
    EXPECT_TRUE(has(r.out, "Miesiąc: 11 (Listopad)"));
    EXPECT_TRUE(has(r.out, "Dni robocze: 18"));  // 20 weekdays less 11 November and the own holiday
    EXPECT_TRUE(has(r.out, "\n5\t4\t1\tsw\t0\t\n"));
    EXPECT_TRUE(has(r.out, "\n6\t5\t0\tod\t1\tremont / sali\n"));
    // Looking leaves the files around the month alone.
    EXPECT_FALSE(std::filesystem::exists(dir / "listopad.pnk.bak"));
    EXPECT_FALSE(std::filesystem::exists(dir / "listopad.pnk.err"));
}

TEST(InfoCommand, BadArguments) {
    TempDir dir;
    EXPECT_EQ(run_info(dir, {}).code, 2);
    EXPECT_EQ(run_info(dir, {"a.pnk", "--bogus"}).code, 2);
    EXPECT_EQ(run_info(dir, {"a.pnk", "--group", "x"}).code, 2);
    const cli_result r = run_info(dir, {(dir / "2026_05.pnk").string(), "--group", "77"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(has(r.err, "77"));
    // A name that gives no month is no month to show.
    const cli_result none = run_info(dir, {(dir / "nosuch.pnk").string()});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(has(none.err, "Nie ma pliku")) << none.err;
}

}  // namespace
}  // namespace planek
