// planek-cli schedule over the demo ward.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/month_files.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class ScheduleCommand : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    fs::path month;

    result run(const std::vector<std::string>& args) { return run_program(dir, PLANEK_CLI, args); }
    result cli(std::vector<std::string> args) {
        // The lines asserted are the Polish ones, whatever the system language.
        args.insert(args.begin(), {"--root", root, "--lang", "polski"});
        return run(args);
    }

    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        root = (dir / "ward").string();
        const result demo = run({"demo", root});
        ASSERT_EQ(demo.code, 0) << demo.err;
        const std::vector<fs::path> months = month_files(dir / "ward" / "dane");
        ASSERT_FALSE(months.empty());
        month = months.back();
    }
};

TEST_F(ScheduleCommand, DiscardIntoAnotherFileLeavesTheMonthAlone) {
    const std::string before = read_file(month);
    const std::string out = (dir / "wynik.pnk").string();
    const result r = cli({"schedule", month.string(), "--seed", "5", "--discard", "-o", out});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(": norma "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("zaplanowano"), std::string::npos);
    EXPECT_NE(r.out.find("Propozycje: wstawiono "), std::string::npos);
    EXPECT_EQ(read_file(month), before);
    EXPECT_TRUE(fs::exists(out));
}

TEST_F(ScheduleCommand, AcceptWritesBackAndTheSameSeedGivesTheSameMonth) {
    const fs::path copy = dir / "kopia.pnk";
    fs::copy_file(month, copy);
    const result a = cli({"schedule", month.string(), "--seed", "11", "--accept", "-o", (dir / "a.pnk").string()});
    ASSERT_EQ(a.code, 0) << a.err;
    // The staff file now holds the moved-on positions; start again from the
    // demo for the second run.
    const result demo = run({"demo", (dir / "ward2").string()});
    ASSERT_EQ(demo.code, 0) << demo.err;
    const fs::path month2 = dir / "ward2" / "dane" / month.filename();
    const result b = run({"--root", (dir / "ward2").string(), "--lang", "polski", "schedule", month2.string(),
                          "--seed", "11", "--accept"});
    ASSERT_EQ(b.code, 0) << b.err;
    EXPECT_EQ(a.out.substr(0, a.out.find("Propozycje")), b.out.substr(0, b.out.find("Propozycje")));
    EXPECT_NE(read_file(month2), read_file(copy));
}

TEST_F(ScheduleCommand, WrongArgumentsAreUsageErrors) {
    EXPECT_EQ(cli({"schedule", month.string()}).code, 2);
    EXPECT_EQ(cli({"schedule", month.string(), "--accept", "--discard"}).code, 2);
    EXPECT_EQ(cli({"schedule", month.string(), "--accept", "--seed", "x"}).code, 2);
    EXPECT_EQ(cli({"schedule", "--accept"}).code, 2);
    EXPECT_EQ(cli({"schedule", month.string(), "--accept", "--group", "99"}).code, 1);
    EXPECT_EQ(cli({"schedule", month.string(), "--accept", "--algorithm", "3"}).code, 2);
    EXPECT_EQ(cli({"schedule", month.string(), "--accept", "--seconds", "0"}).code, 2);
}

TEST_F(ScheduleCommand, TheSecondAlgorithmRunsOnRequestAndRepeatsWithItsSeed) {
    std::string first;
    for (int run = 0; run < 2; ++run) {
        const fs::path out = dir / ("alg2_" + std::to_string(run) + ".pnk");
        const result r = cli({"schedule", month.string(), "--group", "1", "--algorithm", "2", "--seconds", "30",
                                  "--seed", "4", "--discard", "-o", out.string()});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("Algorytm 2: kroków "), std::string::npos) << r.out;
        const std::string roster = r.out.substr(0, r.out.find("Zapisano "));  // the file names differ
        if (run == 0) first = roster;
        else EXPECT_EQ(roster, first);
    }
}

TEST_F(ScheduleCommand, CompareJudgesBothAlgorithmsOnEachWard) {
    // The 200-worker ward takes longer than a test should; the rows of the
    // three smaller ones are enough to hold both aims to their goals.
    const result r =
        run({"schedule", "--compare", (dir / "porownanie").string(), "--seed", "2", "--largest", "60"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find("w200\t"), std::string::npos) << r.out;
    for (const char* row : {"demo\t1\t", "demo\t2\t", "w20\t2\t", "w20\t2n\t", "w60\t1\t", "w60\t2\t"})
        EXPECT_NE(r.out.find(row), std::string::npos) << row << "\n" << r.out;
    // Rules a, b, f and h are never broken by the second algorithm, under
    // either aim, and no worker ends above her norm and allowance over all
    // her groups. Where the first algorithm keeps that too, the second
    // leaves no more of the shifts short; with the norm first it leaves the
    // workers nearer their norms than the first.
    // The hours are written as the run's language writes them: "12,5" in Polish.
    const auto hours = [](std::string cell) {
        for (char& c : cell)
            if (c == ',') c = '.';
        return std::stod(cell);
    };
    std::istringstream lines(r.out);
    int rows = 0;
    std::vector<std::string> first;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream cols(line);
        for (std::string c; std::getline(cols, c, '\t');) cells.push_back(c);
        if (cells.size() < 20) continue;
        if (cells[1] == "1") first = cells;
        if (cells[1] != "2" && cells[1] != "2n") continue;
        rows += cells[1] == "2";
        for (int letter : {0, 1, 5, 7}) EXPECT_EQ(cells[size_t(2 + letter)], "0") << line;
        EXPECT_EQ(cells[19], "0") << line;
        ASSERT_EQ(first.at(0), cells[0]);
        if (first[19] == "0") {
            EXPECT_LE(hours(cells[15]), hours(first[15])) << "shortfall\n" << r.out;
        }
        if (cells[1] == "2n") {
            EXPECT_LE(hours(cells[16]), hours(first[16])) << "norm\n" << r.out;
        }
    }
    EXPECT_EQ(rows, 3);
}

}  // namespace
}  // namespace planek::test
