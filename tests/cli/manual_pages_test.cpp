// The manual pages and the README against the program and the scripts they
// describe: a new option or package that nobody wrote down fails here.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;

const fs::path kSource = PLANEK_SOURCE_DIR;

// An option as roff writes it: every hyphen escaped ("\-\-all\-groups").
std::string roff(const std::string& option) {
    std::string out;
    for (char c : option) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

TEST(ManualPages, EveryOptionOfEveryCommandIsExplained) {
    const std::string manual = read_file(kSource / "docs" / "planek-cli.1");
    const std::regex option(R"((^|[\s\[(|])(--?[a-z][a-z0-9-]*))");
    int options = 0;
    for (const cli::command& c : cli::all_commands()) {
        // The usage, and the summary where it names more options (the worker's fields).
        const std::string usage = std::string(c.usage) + " " + c.summary;
        for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it) {
            const std::string name = (*it)[2].str();
            ++options;
            EXPECT_NE(manual.find(roff(name)), std::string::npos) << c.name << " " << name;
        }
    }
    EXPECT_GT(options, 40);
    // Every command has an entry of its own, its name heading a tag line.
    for (const cli::command& c : cli::all_commands()) {
        const std::string name = c.name;
        bool found = false;
        for (const std::string& written : {name, roff(name)})
            for (const char* lead : {".TP\n.B ", ".TP\n.BI ", ".TP\n.BR ", ".TP\n.B \"", ".TP\n.BI \""})
                for (const char* after : {" ", "\n", "\""})
                    found = found || manual.find(lead + written + after) != std::string::npos;
        EXPECT_TRUE(found) << "no entry for " << name;
    }
    // Both pages point at each other.
    EXPECT_NE(manual.find(".BR planek (1)"), std::string::npos);
    EXPECT_NE(read_file(kSource / "docs" / "planek.1").find(".BR planek-cli (1)"), std::string::npos);
}

// The packages of the "packages=( ... )" list of the install script, its
// comments left out.
std::set<std::string> script_packages() {
    const std::string script = read_file(kSource / "scripts" / "install-deps.sh");
    const size_t from = script.find("packages=(");
    const size_t to = script.find(')', from);
    std::set<std::string> names;
    std::istringstream in(script.substr(from + 10, to - from - 10));
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        for (std::string w; words >> w;) names.insert(w);
    }
    return names;
}

TEST(ManualPages, TheReadmeNamesEveryPackageTheInstallScriptInstalls) {
    const std::set<std::string> packages = script_packages();
    EXPECT_GT(packages.size(), 15u);
    EXPECT_EQ(packages.count("mandoc"), 1u);
    const std::string readme = read_file(kSource / "README.md");
    for (const std::string& p : packages) EXPECT_NE(readme.find("`" + p + "`"), std::string::npos) << p;
}

}  // namespace
}  // namespace planek
