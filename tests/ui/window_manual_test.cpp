// The window program's manual page against the options it takes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace planek {
namespace {

std::string output_of(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    std::array<char, 4096> buf;
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) out.append(buf.data(), n);
    pclose(p);
    return out;
}

TEST(WindowManual, EveryOptionOfTheHelpHasItsEntry) {
    const std::string help = output_of(std::string("QT_QPA_PLATFORM=offscreen \"") + PLANEK_WINDOW + "\" --help 2>&1");
    std::set<std::string> options;
    const std::regex option(R"(^\s+(?:-\w, )?--([a-z-]+))");
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);)
        if (std::smatch m; std::regex_search(line, m, option)) options.insert(m[1]);
    EXPECT_EQ(options.count("root"), 1u) << help;
    EXPECT_EQ(options.count("lang"), 1u) << help;

    std::ifstream in(std::string(PLANEK_SOURCE_DIR) + "/docs/planek.1");
    // The page's "\-" as the reader sees it.
    const std::string manual = std::regex_replace(
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), std::regex(R"(\\-)"), "-");
    ASSERT_FALSE(manual.empty());
    for (const std::string& o : options) EXPECT_NE(manual.find("--" + o), std::string::npos) << o;
    // The month file the desktop opens it with.
    EXPECT_NE(help.find("plik.pnk"), std::string::npos) << help;
    EXPECT_NE(manual.find(".I FILE.pnk"), std::string::npos);
}

}  // namespace
}  // namespace planek
