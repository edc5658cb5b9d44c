#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli_runner.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;

using test::quote;
using test::result;
using test::run_cli;

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

size_t lines_starting(const std::string& text, const std::string& head) {
    std::istringstream in(text);
    size_t n = 0;
    for (std::string line; std::getline(in, line);) n += line.rfind(head, 0) == 0;
    return n;
}

class Generate : public ::testing::Test {
protected:
    TempDir dir;

    result generate(const std::string& name, const std::string& seed) {
        return run_cli(dir, {"--lang", "polski", "generate", (dir / name).string(), "--workers", "60",
                             "--months", "2", "--seed", seed, "--from", "2030-03"});
    }
    result cli(const std::string& name, std::vector<std::string> args) {
        // The lines asserted are the Polish ones, whatever the system language.
        args.insert(args.begin(), {"--root", (dir / name).string(), "--lang", "polski"});
        return run_cli(dir, args);
    }
    std::string month(const std::string& name, const char* file) { return (dir / name / "dane" / file).string(); }
    // Every group's roster of both months, as `show` prints them.
    std::string rosters(const std::string& name) {
        std::string all;
        for (const char* file : {"2030_03.pnk", "2030_04.pnk"})
            for (const char* group : {"1", "2"}) {
                const result shown = cli(name, {"show", month(name, file), "--group", group});
                EXPECT_EQ(shown.code, 0) << shown.err;
                all += shown.out;
            }
        return all;
    }
};

TEST_F(Generate, SixtyWorkersOverTwoMonthsReadBackWhole) {
    const result made = generate("ward", "7");
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_NE(made.out.find("pracowników 60, plików miesięcy 2"), std::string::npos) << made.out;

    const result staff = cli("ward", {"staff"});
    ASSERT_EQ(staff.code, 0) << staff.err;
    EXPECT_EQ(staff.err, "");
    EXPECT_EQ(lines_starting(staff.out, "Pracownik "), 60u);
    EXPECT_EQ(lines_starting(staff.out, "Grupa "), 2u);
    // Both layouts of the first two wards, with targets for every shift.
    EXPECT_EQ(lines_starting(staff.out, "  Zmiana "), 5u);
    EXPECT_EQ(count(staff.out, "obsada 0/"), 0u) << staff.out;
    // Mixed part time, patterns, the 8-hour mode and planning by hand.
    EXPECT_GT(count(staff.out, "etat 100%"), 20u);
    EXPECT_GT(count(staff.out, "wzór "), 30u);
    EXPECT_GT(count(staff.out, ", 8 h,"), 0u);
    EXPECT_GE(count(staff.out, "bez automatu"), 2u);
    EXPECT_LT(count(staff.out, "etat 100%"), 60u);

    for (const char* file : {"2030_03.pnk", "2030_04.pnk"}) {
        const result check = cli("ward", {"check", month("ward", file)});
        EXPECT_EQ(check.code, 0) << file << "\n" << check.out << check.err;
    }
    EXPECT_NE(read_file(month("ward", "2030_03.pnk")).find("status=1"), std::string::npos);
    EXPECT_NE(read_file(month("ward", "2030_04.pnk")).find("status=0"), std::string::npos);

    const std::string all = rosters("ward");
    EXPECT_EQ(lines_starting(all, "2030-03 "), 2u);
    // Each group's roster lists its own workers (a few help out on both).
    EXPECT_GE(lines_starting(all, "     1 "), 4u);
    EXPECT_GT(count(all, " D "), 100u);
    EXPECT_GT(count(all, " N "), 100u);
    EXPECT_GT(count(all, " R "), 50u);
    EXPECT_GT(count(all, " 8 "), 20u);

    // Leave, overtime and notes of the hand-made edits.
    const result summary = cli("ward", {"summary", month("ward", "2030_04.pnk"), "--json"});
    ASSERT_EQ(summary.code, 0) << summary.err;
    EXPECT_EQ(count(summary.out, "\"id\":"), 60u);
    EXPECT_LT(count(summary.out, "\"creditedMinutes\":0,"), 60u);
    EXPECT_EQ(count(summary.out, "\"overtime100\":"), 60u);
    EXPECT_LT(count(summary.out, "\"overtime100\":0,"), 60u);
    const result info = cli("ward", {"info", month("ward", "2030_04.pnk")});
    ASSERT_EQ(info.code, 0) << info.err;
    size_t notes = 0;
    for (const char* note : {"Zebranie", "Szkolenie BHP", "Audyt", "Przegląd", "Szczepienia"})
        notes += count(info.out, note);
    EXPECT_GE(notes, 1u) << info.out;
}

TEST_F(Generate, TheSeedDecides) {
    ASSERT_EQ(generate("a", "11").code, 0);
    ASSERT_EQ(generate("b", "11").code, 0);
    ASSERT_EQ(generate("c", "12").code, 0);
    EXPECT_EQ(cli("a", {"staff"}).out, cli("b", {"staff"}).out);
    EXPECT_EQ(rosters("a"), rosters("b"));
    EXPECT_NE(rosters("a"), rosters("c"));
}

TEST_F(Generate, ArgumentsAndExistingData) {
    EXPECT_EQ(run_cli(dir, {"generate", (dir / "x").string()}).code, 2);  // --workers is required
    EXPECT_EQ(run_cli(dir, {"generate", (dir / "x").string(), "--workers", "0"}).code, 2);
    EXPECT_EQ(run_cli(dir, {"generate", (dir / "x").string(), "--workers", "5", "--from", "2030-13"}).code, 2);
    EXPECT_FALSE(fs::exists(dir / "x" / "dane" / "kadra.inr"));

    // More groups than workers: one each at most.
    const result tiny = run_cli(dir, {"generate", (dir / "x").string(), "--workers", "3", "--groups", "5",
                                      "--from", "2030-01"});
    ASSERT_EQ(tiny.code, 0) << tiny.err;
    EXPECT_EQ(lines_starting(cli("x", {"staff"}).out, "Grupa "), 3u);

    // A root with data, even month files alone, is replaced only when told.
    test::write_file(dir / "y" / "dane" / "2030_01.pnk", "[okres]\r\n");
    EXPECT_EQ(run_cli(dir, {"generate", (dir / "y").string(), "--workers", "4", "--from", "2030-01"}).code, 1);
    EXPECT_EQ(read_file(dir / "y" / "dane" / "2030_01.pnk"), "[okres]\r\n");

    const std::string staff = cli("x", {"staff"}).out;
    EXPECT_EQ(run_cli(dir, {"generate", (dir / "x").string(), "--workers", "9"}).code, 1);
    EXPECT_EQ(cli("x", {"staff"}).out, staff);
    EXPECT_EQ(run_cli(dir, {"--yes", "generate", (dir / "x").string(), "--workers", "9", "--from", "2030-01"}).code,
              0);
    EXPECT_EQ(lines_starting(cli("x", {"staff"}).out, "Pracownik "), 9u);
}

}  // namespace
}  // namespace planek
