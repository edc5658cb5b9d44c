#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

#include "cli_runner.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

using test::quote;
using test::result;

// Runs a program with HOME set and XDG_DATA_HOME unset, as a user's first
// start would.
result run_as_user(const TempDir& dir, const fs::path& program, const std::vector<std::string>& args) {
    return test::run_program(dir, program.string(), args,
                             "env -u XDG_DATA_HOME HOME=" + quote((dir / "home").string()) + " ");
}

size_t files_with(const fs::path& folder, const std::string& extension) {
    size_t n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        n += it->path().extension() == extension;
    return n;
}

// The layout `cmake --install` makes: bin/planek-cli beside share/planek.
fs::path install_into(const fs::path& prefix) {
    const fs::path source = PLANEK_SOURCE_DIR;
    fs::create_directories(prefix / "bin");
    fs::copy_file(PLANEK_CLI, prefix / "bin" / "planek-cli");
    fs::create_directories(prefix / "share" / "planek");
    fs::copy(source / "lang", prefix / "share" / "planek" / "lang");
    fs::copy(source / "templates", prefix / "share" / "planek" / "templates");
    return prefix / "bin" / "planek-cli";
}

TEST(Installed, TheFirstStartSeedsTheUsersRootFromTheSharedData) {
    TempDir dir;
    const fs::path program = install_into(dir / "usr");
    const size_t shipped = files_with(fs::path(PLANEK_SOURCE_DIR) / "templates", ".wzr");
    ASSERT_GT(shipped, 0u);

    const result listed = run_as_user(dir, program, {"templates"});
    ASSERT_EQ(listed.code, 0) << listed.err;
    const fs::path root = dir / "home" / ".local" / "share" / "planek";
    EXPECT_TRUE(fs::is_directory(root / "dane"));
    EXPECT_EQ(files_with(root / "templates", ".wzr"), shipped);
    EXPECT_TRUE(fs::exists(root / "lang" / "polski.lng"));
    EXPECT_TRUE(fs::exists(root / "lang" / "english.lng"));
    EXPECT_NE(listed.out.find((root / "templates").string()), std::string::npos) << listed.out;
    // The writable bin/ of an installed program is no portable root.
    EXPECT_FALSE(fs::exists(dir / "usr" / "bin" / "dane"));

    // Later starts leave the user's templates alone: an edited one stays,
    // a deleted one stays gone.
    const fs::path edited = root / "templates" / "grafik_miesieczny.wzr";
    write_file(edited, "moja wersja");
    fs::remove(root / "templates" / "nadgodziny.wzr");
    ASSERT_EQ(run_as_user(dir, program, {"templates"}).code, 0);
    EXPECT_EQ(read_file(edited), "moja wersja");
    EXPECT_FALSE(fs::exists(root / "templates" / "nadgodziny.wzr"));

    // Any new root gets its own copy; --install fills in what one lacks.
    const result other = run_as_user(dir, program, {"--root", (dir / "ward").string(), "demo"});
    ASSERT_EQ(other.code, 0) << other.err;
    EXPECT_EQ(files_with(dir / "ward" / "templates", ".wzr"), shipped);
    ASSERT_EQ(run_as_user(dir, program, {"templates", "--install"}).code, 0);
    EXPECT_TRUE(fs::exists(root / "templates" / "nadgodziny.wzr"));
    EXPECT_EQ(read_file(edited), "moja wersja");
}

// A build folder carries its shipped data in share/planek, so a build made
// anywhere (here: the programs and that folder moved away from the sources)
// gives a demo ward the templates and language files.
TEST(Installed, ABuildFolderAnywhereGivesTheDemoItsTemplatesAndLanguages) {
    const fs::path built = fs::path(PLANEK_CLI).parent_path() / "share" / "planek";
    const size_t shipped = files_with(fs::path(PLANEK_SOURCE_DIR) / "templates", ".wzr");
    ASSERT_EQ(files_with(built / "templates", ".wzr"), shipped);
    ASSERT_TRUE(fs::exists(built / "lang" / "english.lng"));

    TempDir dir;
    const fs::path elsewhere = dir / "build-elsewhere";
    fs::create_directories(elsewhere / "share");
    fs::copy_file(PLANEK_CLI, elsewhere / "planek-cli");
    fs::copy(built, elsewhere / "share" / "planek", fs::copy_options::recursive);
    const result demo = run_as_user(dir, elsewhere / "planek-cli", {"demo", (dir / "ward").string()});
    ASSERT_EQ(demo.code, 0) << demo.err;
    EXPECT_EQ(files_with(dir / "ward" / "templates", ".wzr"), shipped);
    EXPECT_TRUE(fs::exists(dir / "ward" / "lang" / "polski.lng"));
    EXPECT_TRUE(fs::exists(dir / "ward" / "lang" / "english.lng"));

    // A ward whose templates were all removed gets them back at its next start.
    for (const auto& e : fs::directory_iterator(dir / "ward" / "templates")) fs::remove_all(e.path());
    ASSERT_EQ(run_as_user(dir, elsewhere / "planek-cli", {"--root", (dir / "ward").string(), "templates"}).code, 0);
    EXPECT_EQ(files_with(dir / "ward" / "templates", ".wzr"), shipped);
    EXPECT_EQ(files_with(dir / "ward" / "templates" / "english", ".wzr"), shipped);
}

TEST(Installed, APortableCopyKeepsItsOwnFolder) {
    TempDir dir;
    const fs::path program = install_into(dir / "usb");
    fs::create_directories(dir / "usb" / "bin" / "dane");
    ASSERT_EQ(run_as_user(dir, program, {"staff"}).code, 0);
    EXPECT_FALSE(fs::exists(dir / "home" / ".local" / "share" / "planek"));
}

// The desktop entry, the MIME type and the icon name each other.
TEST(Installed, DesktopEntryMimeTypeAndIconAgree) {
    const fs::path data = fs::path(PLANEK_SOURCE_DIR) / "data";
    const std::string desktop = read_file(data / "planek.desktop");
    const std::string mime = read_file(data / "planek-mime.xml");
    EXPECT_EQ(desktop.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(desktop.find("\nExec=planek %f\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nIcon=planek\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(data / "planek.svg"));
    EXPECT_NE(desktop.find("\nMimeType=application/x-planek-month;\n"), std::string::npos);
    EXPECT_NE(mime.find("<mime-type type=\"application/x-planek-month\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.pnk\"/>"), std::string::npos);
    EXPECT_NE(read_file(data / "planek.svg").find("<svg "), std::string::npos);
}

// Every command the program knows has its entry in the manual.
TEST(Installed, TheManualDescribesEveryCommand) {
    TempDir dir;
    const result help = run_as_user(dir, PLANEK_CLI, {"help"});
    ASSERT_EQ(help.code, 0) << help.err;
    const std::string manual = read_file(fs::path(PLANEK_SOURCE_DIR) / "docs" / "planek-cli.1");
    std::istringstream in(help.out.substr(help.out.find("help ")));
    std::set<std::string> commands;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name;
        if (line.size() > 2 && line.rfind("  ", 0) == 0 && line[2] != ' ' && words >> name) commands.insert(name);
    }
    EXPECT_GE(commands.size(), 15u);
    EXPECT_EQ(commands.count("add-duty"), 1u);
    EXPECT_EQ(commands.count("zapisuje"), 0u);  // a summary on a line of its own
    for (const std::string& c : commands) {
        bool entry = manual.find("\n.B " + c + "\n") != std::string::npos || c == "help";
        // The name alone, or quoted with the first of its words ("worker add").
        for (const char* macro : {"\n.BI ", "\n.BR ", "\n.BI \"", "\n.BR \""})
            entry = entry || manual.find(macro + c + " ") != std::string::npos;
        EXPECT_TRUE(entry) << c;
    }
}

TEST(Installed, EachCommandHasItsOwnHelp) {
    TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--lang", "polski", "add-duty", "--help"},
          std::vector<std::string>{"--lang", "polski", "help", "add-duty"}}) {
        const result help = run_as_user(dir, PLANEK_CLI, args);
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out.rfind("użycie: planek-cli add-duty PLIK.pnk PRACOWNIK DZIEŃ ZMIANA", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("dodaje dyżur"), std::string::npos);
    }
    EXPECT_NE(run_as_user(dir, PLANEK_CLI, {"--lang", "polski", "--help"}).out.find("Polecenia:"), std::string::npos);
}

}  // namespace
}  // namespace planek
