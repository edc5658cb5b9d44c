// planek-cli warnings over the demo ward.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cp1250.h"
#include "cli/cli_runner.h"
#include "support/month_files.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class WarningsCommand : public ::testing::Test {
protected:
    TempDir dir;
    fs::path root;
    fs::path month;

    result run(const std::vector<std::string>& args) { return run_program(dir, PLANEK_CLI, args); }
    result warnings(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", root.string(), "warnings"});
        return run(args);
    }

    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        root = dir / "ward";
        const result demo = run({"demo", root.string()});
        ASSERT_EQ(demo.code, 0) << demo.err;
        const std::vector<fs::path> months = month_files(root / "dane");
        ASSERT_FALSE(months.empty());
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
    const result r = warnings({month.string()});
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
