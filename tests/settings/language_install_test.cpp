#include "settings/language_install.h"

#include <algorithm>
#include <chrono>

#include "core/file_io.h"
#include "core/sha256.h"
#include "settings_fixture.h"

namespace planek::test {
namespace {

TEST(LanguageInstall, FindsTheShippedFilesAboveABuildFolder) {
    TempDir dir;
    write_file(dir / "src" / "lang" / "polski.lng", "[messages]\r\n");
    write_file(dir / "src" / "lang" / "english.lng", "[messages]\r\nmsg_A=A\r\n");
    write_file(dir / "src" / "lang" / "notes.txt", "x");
    std::filesystem::create_directories(dir / "src" / "build" / "bin");
    EXPECT_EQ(shipped_language_folder(dir / "src" / "build"), dir / "src" / "lang");
    EXPECT_EQ(shipped_language_folder(dir / "src"), dir / "src" / "lang");
    EXPECT_TRUE(shipped_language_folder(dir.path()).empty());

    EXPECT_EQ(install_language_files(dir / "src" / "lang", dir / "root" / "lang"), 2);
    EXPECT_EQ(read_file(dir / "root" / "lang" / "english.lng"), "[messages]\r\nmsg_A=A\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "root" / "lang" / "notes.txt"));
    EXPECT_EQ(install_language_files(dir / "src" / "lang", dir / "root" / "lang"), 0);  // up to date
}

TEST(LanguageInstall, TheRepositoryShipsBothLanguages) {
    std::filesystem::path lang = shipped_language_folder(PLANEK_SOURCE_DIR);
    ASSERT_FALSE(lang.empty());
    EXPECT_TRUE(std::filesystem::exists(lang / "english.lng"));
}

TEST(LanguageInstall, ARootGetsTheFilesShippedBesideTheProgram) {
    // The test program normally runs from a build folder inside the source tree.
    if (shipped_language_folder(running_program_folder()).empty()) GTEST_SKIP() << "built outside the source tree";
    TempDir dir;
    EXPECT_EQ(ensure_language_files(dir / "lang"), 2);
    EXPECT_EQ(read_file(dir / "lang" / "english.lng"),
              read_file(std::filesystem::path(PLANEK_SOURCE_DIR) / "lang" / "english.lng"));
    EXPECT_EQ(ensure_language_files(dir / "lang"), 0);
    // The shipped folder itself (the build folder's share/planek/lang) is left alone.
    EXPECT_EQ(ensure_language_files(shipped_language_folder(running_program_folder())), 0);
}

namespace fs = std::filesystem;

// A folder of shipped files and a program root's lang folder.
struct install_dirs {
    TempDir dir;
    fs::path from = dir / "shipped";
    fs::path to = dir / "root";
    void ship(const std::string& name, const std::string& bytes) { write_file(from / name, bytes); }
    void mine(const std::string& name, const std::string& bytes) { write_file(to / name, bytes); }
    std::string installed(const std::string& name) const { return read_file(to / name); }
};

TEST(LanguageInstall, AFileTheUserEditedKeepsEveryTextAndGainsOnlyTheMissingKeys) {
    install_dirs d;
    d.ship("polski.lng", "[messages]\r\nmsg_A=Nowe A\r\nmsg_B=Nowe B\r\n\r\n[f_Main]\r\nCaption=Planek\r\nNew=Nowy\r\n"
                         "[f_Extra]\r\nx=Dodatek \xb9\r\n");
    d.mine("polski.lng", "; moje\r\n[Messages]\r\nMSG_A=Moje A\r\n; uwaga\r\n\r\n[f_Main]\r\ncaption=M\xf3j plan\r\n");
    // Older than the shipped copy, as after a copy that kept the file's date.
    fs::last_write_time(d.to / "polski.lng", fs::last_write_time(d.from / "polski.lng") - std::chrono::hours(48));
    EXPECT_EQ(install_language_files(d.from, d.to), 1);
    EXPECT_EQ(d.installed("polski.lng"),
              "; moje\r\n[Messages]\r\nMSG_A=Moje A\r\n; uwaga\r\nmsg_B=Nowe B\r\n\r\n[f_Main]\r\ncaption=M\xf3j plan\r\n"
              "New=Nowy\r\n[f_Extra]\r\nx=Dodatek \xb9\r\n");
    EXPECT_EQ(install_language_files(d.from, d.to), 0);  // nothing lacks now

    // Line breaks of the user's own kind; a last line without one is ended first.
    d.mine("polski.lng", "[messages]\nmsg_A=Moje A");
    EXPECT_EQ(install_language_files(d.from, d.to), 1);
    EXPECT_EQ(d.installed("polski.lng").substr(0, 40), "[messages]\nmsg_A=Moje A\nmsg_B=Nowe B\n[f_");
}

TEST(LanguageInstall, OnlyAnUneditedShippedVersionIsReplaced) {
    install_dirs d;
    // This version's English file stands for an older shipped one.
    ASSERT_FALSE(shipped_language_hashes().empty());
    const std::string current = read_file(fs::path(PLANEK_SOURCE_DIR) / "lang" / "english.lng");
    d.ship("english.lng", current + "[f_New]\r\nx=y\r\n");
    d.mine("english.lng", current);  // a shipped version, untouched: replaced
    EXPECT_EQ(install_language_files(d.from, d.to), 1);
    EXPECT_EQ(d.installed("english.lng"), current + "[f_New]\r\nx=y\r\n");

    d.mine("english.lng", current + "; my note\r\n");  // one byte off any shipped version: kept
    EXPECT_EQ(install_language_files(d.from, d.to), 1);
    EXPECT_EQ(d.installed("english.lng"), current + "; my note\r\n[f_New]\r\nx=y\r\n");
}

TEST(LanguageInstall, TheShippedFilesAreAmongTheKnownVersions) {
    // Fails after a language file changes until scripts/language-hashes.sh
    // has been run: without it, users of this version would keep its texts.
    const auto& known = shipped_language_hashes();
    for (const char* name : {"polski.lng", "english.lng"}) {
        const std::string hash = sha256_hex(read_file(fs::path(PLANEK_SOURCE_DIR) / "lang" / name));
        EXPECT_NE(std::find(known.begin(), known.end(), hash), known.end())
            << name << " changed: run scripts/language-hashes.sh";
    }
}

TEST(LanguageInstall, AFileThatCannotBeReadIsLeftAlone) {
    install_dirs d;
    d.ship("polski.lng", "[messages]\r\nmsg_A=A\r\n");
    d.mine("polski.lng", "[messages]\r\nmsg_B=moje\r\n");
    set_read_fault(d.to / "polski.lng");
    const int written = install_language_files(d.from, d.to);
    set_read_fault({});
    EXPECT_EQ(written, 0);
    EXPECT_EQ(d.installed("polski.lng"), "[messages]\r\nmsg_B=moje\r\n");
}

}  // namespace
}  // namespace planek::test
