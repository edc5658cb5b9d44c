// planek-cli warnings over the demo ward.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cp1250.h"
#include "support/temp_dir.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

struct cli_output {
    int code = -1;
    std::string out, err;
};

std::string shell_quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class WarningsCommand : public ::testing::Test {
protected:
    TempDir dir;
    fs::path root;
    fs::path month;

    cli_output run(const std::vector<std::string>& args) {
        std::string cmd = shell_quote(PLANEK_CLI);
        for (const auto& a : args) cmd += " " + shell_quote(a);
        cmd += " >" + shell_quote((dir / "stdout").string()) + " 2>" + shell_quote((dir / "stderr").string()) +
               " </dev/null";
        const int status = std::system(cmd.c_str());
        cli_output r;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = read_file(dir / "stdout");
        r.err = read_file(dir / "stderr");
        return r;
    }
    cli_output warnings(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", root.string(), "warnings"});
        return run(args);
    }

    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        root = dir / "ward";
        const cli_output demo = run({"demo", root.string()});
        ASSERT_EQ(demo.code, 0) << demo.err;
        std::vector<fs::path> months;
        for (const auto& e : fs::directory_iterator(root / "dane"))
            if (e.path().extension() == ".pnk") months.push_back(e.path());
        ASSERT_FALSE(months.empty());
        std::sort(months.begin(), months.end());
        month = months.front();
    }
};

std::vector<std::string> split_lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size())
        lines.push_back(text.substr(from, at - from));
    return lines;
}

TEST_F(WarningsCommand, PrintsTheLinesOfTheFileItWrites) {
    const cli_output r = warnings({month.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> printed = split_lines(r.out, "\n");
    ASSERT_FALSE(printed.empty());
    const std::vector<std::string> stored = split_lines(cp1250_to_utf8(read_file(root / "warnings.txt")), "\r\n");
    EXPECT_EQ(printed, stored);
    for (size_t i = 1; i < printed.size(); ++i) EXPECT_LE(printed[i - 1][0], printed[i][0]) << printed[i];
    EXPECT_TRUE(fs::exists(root / "dane" / "sundays.ini"));
}

TEST_F(WarningsCommand, UnknownGroupsAndMissingFilesFail) {
    EXPECT_EQ(warnings({month.string(), "--group", "999"}).code, 1);
    EXPECT_EQ(warnings({(root / "brak.pnk").string()}).code, 1);
    EXPECT_EQ(warnings({}).code, 2);
    EXPECT_EQ(warnings({month.string(), "--group"}).code, 2);
    EXPECT_FALSE(fs::exists(root / "warnings.txt"));
}

}  // namespace
}  // namespace planek::test
