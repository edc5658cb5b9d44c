// The command line opens a program folder and its months the way the window
// does, so its figures, warnings and printouts are the window's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "cli_runner.h"
#include "support/month_files.h"
#include "support/demo_period.h"
#include "core/cp1250.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli;
using test::TempDir;
using test::write_file;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

size_t lines_with(const std::string& text, const std::string& what) {
    std::istringstream in(text);
    size_t n = 0;
    for (std::string line; std::getline(in, line);) n += has(line, what);
    return n;
}

// A figure printed as "KEY value |" by the test template.
std::string figure(const std::string& text, const std::string& key) {
    const size_t at = text.find(key + " ");
    if (at == std::string::npos) return "?";
    const size_t from = at + key.size() + 1;
    return text.substr(from, text.find(" |", from) - from);
}

// The demo ward (two groups, Monika Olszewska (28) in both, Anna Kowalska
// (1) in the first) with a settlement period of three empty months,
// April to June 2030.
class SessionWard : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    std::vector<std::string> months;

    void SetUp() override {
        test::demo_period ward;
        ASSERT_NO_FATAL_FAILURE(test::make_demo_period(dir, ward));
        root = ward.root;
        months = ward.months;
        test::write_figures_template(ward);
    }
    result cli(const std::vector<std::string>& args) { return test::run_cli_on(dir, root, args); }
    // The printout of the test template over the given months, as text.
    std::string print(std::vector<std::string> args) {
        args.insert(args.begin(), {"print", "figures"});
        args.push_back("-o");
        args.push_back((dir / "out").string());
        const result r = cli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        std::string path = r.out.substr(0, r.out.find('\n'));
        return cp1250_to_utf8(read_file(path));
    }
    // One worker's part of the printout.
    static std::string worker_part(const std::string& text, const std::string& surname) {
        const size_t at = text.find("W " + surname + " |");
        if (at == std::string::npos) return {};
        return text.substr(at, std::min(text.find("\nW ", at), text.find("\nM", at)) - at);
    }
    // The leave left of both years together, in minutes ("urlop H:MM+H:MM").
    int leave_of(int id) {
        const result staff = cli({"--lang", "polski", "staff"});
        std::istringstream in(staff.out);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("Pracownik " + std::to_string(id) + ":", 0) != 0) continue;
            int h1 = 0, m1 = 0, h2 = 0, m2 = 0;
            if (std::sscanf(line.c_str() + line.find("urlop"), "urlop %d:%d+%d:%d", &h1, &m1, &h2, &m2) != 4) break;
            return (h1 + h2) * 60 + m1 + m2;
        }
        return -1;
    }
};

TEST_F(SessionWard, WarningsFollowTheRulesAndThresholdsOfTheConfiguration) {
    ASSERT_EQ(cli({"add-duty", months[0], "1", "10", "D", "--length", "2:00"}).code, 0);
    const size_t flagged = lines_with(cli({"warnings", months[0], "--group", "1"}).out, "Kowalska");
    ASSERT_GT(flagged, 0u);

    ASSERT_EQ(cli({"config", "--set", "warnings", "vDutyTooShort", "1:00"}).code, 0);
    EXPECT_LT(lines_with(cli({"warnings", months[0], "--group", "1"}).out, "Kowalska"), flagged)
        << "a duty of two hours is not short under a threshold of one";
    ASSERT_EQ(cli({"config", "--set", "warnings", "vDutyTooShort", "3:00"}).code, 0);
    ASSERT_EQ(cli({"config", "--set", "warnings", "DutyTooShort", "0"}).code, 0);
    EXPECT_LT(lines_with(cli({"warnings", months[0], "--group", "1"}).out, "Kowalska"), flagged)
        << "a rule switched off says nothing";
}

TEST_F(SessionWard, PartTimeLeaveIsValuedAtTheDailyNormAndGivenBackWhole) {
    const int before = leave_of(1);
    ASSERT_GT(before, 0);
    // Two working days of a full-time worker in April 2030: 2 x 7:35.
    const result added = cli({"--yes", "--lang", "polski", "add-dayoff", months[0], "1", "2", "u", "--to", "3",
                              "--part-time"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_TRUE(has(added.out, "normatyw 15:10")) << added.out;
    EXPECT_EQ(leave_of(1), before - 2 * 455);
    const result summary = cli({"--lang", "polski", "summary", months[0], "--worker", "1"});
    EXPECT_TRUE(has(summary.out, "wolne 15:10")) << summary.out;

    const result removed = cli({"--yes", "remove", months[0], "1", "2", "--dayoff"});
    ASSERT_EQ(removed.code, 0) << removed.err;
    EXPECT_EQ(leave_of(1), before) << "removing the leave gives back what it took";
}

TEST_F(SessionWard, APeriodPrintoutAddsUpEveryMonth) {
    for (const std::string& m : months) ASSERT_EQ(cli({"add-duty", m, "1", "10", "D"}).code, 0);
    // Monika works one duty in each of her groups.
    ASSERT_EQ(cli({"add-duty", months[0], "28", "10", "D", "--group", "1"}).code, 0);
    ASSERT_EQ(cli({"add-duty", months[0], "28", "12", "1", "--group", "2"}).code, 0);

    std::vector<std::string> args = months;
    args.insert(args.end(), {"--group", "1"});
    const std::string text = print(args);
    EXPECT_EQ(figure(worker_part(text, "Kowalska"), "P"), "36:00") << text;
    EXPECT_EQ(figure(worker_part(text, "Kowalska"), "D4"), "1");
    // Counted as the worker summary counts: the duty of the printed group
    // only, where every duty of the month would give 2.
    EXPECT_EQ(figure(worker_part(text, "Olszewska"), "D4"), "1") << text;
}

TEST_F(SessionWard, PrintoutsUseTheSavedLanguageAndItsMonthNames) {
    EXPECT_EQ(figure(print({months[0], "--lang", "english"}), "M4"), "April");
    EXPECT_EQ(figure(print({months[0], "--lang", "polski"}), "M4"), "Kwiecień");
    ASSERT_EQ(cli({"--lang", "polski", "config", "--set", "glowne", "lang", "0"}).code, 0);
    EXPECT_EQ(figure(print({months[0]}), "M4"), "April") << "the language saved in the configuration";
}

// Every command that reads a month, as a user would call it on `file`;
// whatever it writes goes under `out`.
std::vector<std::vector<std::string>> month_commands(const std::string& file, const fs::path& out) {
    return {{"show", file},
            {"summary", file},
            {"day", file, "10"},
            {"warnings", file},
            {"print", "figures", file, "-o", out.string()},
            {"export", "csv", file, "-o", (out / "m.csv").string()},
            {"export", "ics", file, "--worker", "1", "-o", (out / "m.ics").string()},
            {"save-as", file, (out / "copy.pnk").string()},
            {"schedule", file, "--seconds", "1", "--accept"},
            {"add-duty", file, "1", "11", "D"},
            {"add-dayoff", file, "1", "11", "u"},
            {"remove", file, "1", "11"}};
}

TEST_F(SessionWard, BadInputIsRefusedInOneLineAndNothingIsWritten) {
    const fs::path out = dir / "out";
    // Each command on each bad input: exit 1, one line, the month as it was
    // and nothing made.
    auto refused_by_all = [&](const std::vector<std::string>& before, const std::string& file,
                              const std::string& says) {
        const std::string bytes = read_file(file);
        for (std::vector<std::string> args : month_commands(file, out)) {
            const std::string command = args[0];
            args.insert(args.begin(), before.begin(), before.end());
            const result r = run_cli(dir, args);
            EXPECT_EQ(r.code, 1) << command << ": " << r.out << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << command << ": " << r.err;
            EXPECT_TRUE(has(r.err, says)) << command << ": " << r.err;
            EXPECT_EQ(read_file(file), bytes) << command;
            EXPECT_FALSE(fs::exists(out)) << command;
        }
    };
    // A folder without staff.
    const result empty = run_cli(dir, {"--root", (dir / "empty").string(), "summary", months[0]});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(std::count(empty.err.begin(), empty.err.end(), '\n'), 1) << empty.err;
    refused_by_all({"--root", (dir / "empty").string(), "--yes"}, months[0], "");

    // A month whose records all belong to a group this folder does not have.
    const fs::path other = dir / "ward" / "dane" / "2030_07.pnk";
    ASSERT_EQ(cli({"new", other.string(), "2030-07"}).code, 0);
    write_file(other, test::unsealed(read_file(other)) + "\r\n[dyzury]\r\nd1=77\xA4" "1\xA4" "10\xA4" "720\xA4" "1\xA4" "420\xA4" "0\xA4\xA4"
                                         "0\xA4" "0\xA4" "0\xA4" "0\r\n");
    const std::string otherBefore = read_file(other);
    const result foreign = cli({"summary", other.string()});
    EXPECT_EQ(foreign.code, 1);
    EXPECT_TRUE(has(foreign.err, "2030_07.pnk")) << foreign.err;
    EXPECT_EQ(cli({"add-duty", other.string(), "1", "11", "D"}).code, 1);
    EXPECT_EQ(read_file(other), otherBefore);
    refused_by_all({"--root", root, "--yes"}, other.string(), "2030_07.pnk");

    // A month with a line the reader cannot use is not written back.
    write_file(months[1], test::unsealed(read_file(months[1])) + "\r\n[dyzury]\r\nd1=zepsuty\r\n");
    const std::string damaged = read_file(months[1]);
    const result refused = cli({"add-duty", months[1], "1", "10", "D"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(read_file(months[1]), damaged);

    // An unreadable configuration.
    const fs::path config = dir / "ward" / "dane" / "konfiguracja.ini";
    fs::remove(config);
    fs::create_directory(config);
    const result noConfig = cli({"summary", months[0]});
    EXPECT_EQ(noConfig.code, 1);
    EXPECT_TRUE(has(noConfig.err, "konfiguracja.ini")) << noConfig.err;
    EXPECT_EQ(std::count(noConfig.err.begin(), noConfig.err.end(), '\n'), 1) << noConfig.err;
    refused_by_all({"--root", root, "--yes"}, months[0], "konfiguracja.ini");
}

}  // namespace
}  // namespace planek
