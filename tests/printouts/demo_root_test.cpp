#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <regex>

#include "core/cp1250.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;

// Runs planek-cli and returns its standard output; rc receives the exit code.
std::string run_cli(const std::string& args, int* rc) {
    std::string cmd = std::string("\"") + PLANEK_CLI + "\" " + args + " 2>/dev/null";
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    std::array<char, 4096> buf;
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) out.append(buf.data(), n);
    int status = pclose(p);
    *rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

std::string q(const fs::path& p) { return "\"" + p.string() + "\""; }

// Every shipped template on the demo ward of the command line, for both
// groups and the whole settlement period.
TEST(DemoRoot, EveryShippedTemplatePrintsWithoutEmptyCells) {
    if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
    test::TempDir dir;
    int rc = -1;
    run_cli("demo " + q(dir.path()), &rc);
    ASSERT_EQ(rc, 0);
    std::vector<fs::path> months;
    for (const auto& e : fs::directory_iterator(dir / "dane"))
        if (e.path().extension() == ".pnk") months.push_back(e.path());
    ASSERT_FALSE(months.empty());
    std::sort(months.begin(), months.end());
    std::string monthArgs;
    for (const fs::path& m : months) monthArgs += " " + q(m);
    // Each language lists the templates of its own folder, and every one of
    // them prints whole.
    for (const auto& [language, folder] : {std::pair{"polski", dir / "templates"},
                                           std::pair{"english", dir / "templates" / "english"}}) {
        const std::string lang = std::string(" --lang ") + language;
        std::string list = run_cli("--root " + q(dir.path()) + lang + " templates --install", &rc);
        ASSERT_EQ(rc, 0);
        std::vector<fs::path> templates;
        for (const auto& e : fs::directory_iterator(folder))
            if (e.is_regular_file()) templates.push_back(e.path());
        ASSERT_GE(templates.size(), 8u) << language;
        for (const char* group : {"1", "2"}) {
            for (const fs::path& t : templates) {
                EXPECT_NE(list.find(t.string()), std::string::npos) << t;
                std::string out = run_cli("--root " + q(dir.path()) + lang + " print " + q(t) + monthArgs +
                                              " --group " + group,
                                          &rc);
                ASSERT_EQ(rc, 0) << t;
                fs::path file = out.substr(0, out.find('\n'));
                EXPECT_EQ(file.parent_path(), dir / "wydruki") << t;
                std::string text = cp1250_to_utf8(test::read_file(file));
                EXPECT_FALSE(std::regex_search(text, std::regex("<td[^>]*>\\s*</td>"))) << file;
                EXPECT_EQ(text.find("@_"), std::string::npos) << file;
                EXPECT_GT(text.size(), 300u) << file;
            }
        }
    }
    // One worker, and a folder of one's own.
    std::string out = run_cli("--root " + q(dir.path()) + " --lang polski print karta_pracownika" + monthArgs +
                                  " --group 1 --worker 1 -o " + q(dir / "out"),
                              &rc);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(fs::path(out.substr(0, out.find('\n'))).parent_path(), dir / "out");
    run_cli("--root " + q(dir.path()) + " print no_such_template" + monthArgs, &rc);
    EXPECT_NE(rc, 0);
}

}  // namespace
}  // namespace planek
