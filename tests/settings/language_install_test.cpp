#include "settings/language_install.h"

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

}  // namespace
}  // namespace planek::test
