#include <gtest/gtest.h>

#include "core/plan.h"
#include "files/program_root.h"
#include "files/root_seed.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::write_file;

TEST(ProgramRoot, DefaultIsTheProgramFolderElseTheUserDataFolder) {
    TempDir dir;
    fs::create_directories(dir / "bin");
    EXPECT_EQ(default_program_root(dir / "bin", "/xdg", "/home/u"), dir / "bin");
    // A folder that cannot be used falls to the user's data folder.
    EXPECT_EQ(default_program_root(dir / "missing", "/xdg", "/home/u"), fs::path("/xdg/planek"));
    EXPECT_EQ(default_program_root(dir / "missing", "relative", "/home/u"), fs::path("/home/u/.local/share/planek"));
    EXPECT_EQ(default_program_root(dir / "missing", nullptr, "/home/u"), fs::path("/home/u/.local/share/planek"));
    EXPECT_EQ(default_program_root({}, "", "/home/u"), fs::path("/home/u/.local/share/planek"));
}

TEST(ProgramRoot, OpeningARootCreatesItsDataFolder) {
    TempDir dir;
    Plan plan;
    ASSERT_TRUE(open_program_root(plan, dir / "a" / "b"));
    EXPECT_EQ(plan.paths.root, dir / "a" / "b");
    EXPECT_EQ(plan.paths.data, dir / "a" / "b" / "dane");
    EXPECT_EQ(plan.paths.templates, dir / "a" / "b" / "templates");
    EXPECT_TRUE(fs::is_directory(dir / "a" / "b" / "dane"));

    write_file(dir / "plain", "x");
    io_result r = open_program_root(plan, dir / "plain");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("dane"), std::string::npos);
}

TEST(ProgramRoot, AMonthFileBelongsToTheFolderAboveTheDataFolderItLiesIn) {
    TempDir dir;
    const fs::path ward = fs::canonical(dir.path()) / "oddzial";
    fs::create_directories(ward / "dane" / "backup");
    EXPECT_EQ(root_of_month_file(ward / "dane" / "2026_12.pnk"), ward);
    // A link to the file (a desktop shortcut) belongs where the file is.
    fs::create_symlink(ward / "dane", dir / "skrot");
    EXPECT_EQ(root_of_month_file(dir / "skrot" / "2026_12.pnk"), ward);
    // Nowhere else: not beside dane/, not below it, not in a folder named like it.
    EXPECT_EQ(root_of_month_file(ward / "2026_12.pnk"), std::nullopt);
    EXPECT_EQ(root_of_month_file(ward / "dane" / "backup" / "2026_12.pnk"), std::nullopt);
    EXPECT_EQ(root_of_month_file(ward / "Dane2" / "2026_12.pnk"), std::nullopt);
}

// A build folder keeps its shipped data as an installation does, under
// share/planek beside the programs; a root then starts with templates, and
// an emptied templates folder is filled again while a pruned one is kept.
TEST(ProgramRoot, ABuildFolderSeedsTemplatesAndLanguages) {
    TempDir dir;
    const fs::path build = dir / "out" / "of" / "tree";
    write_file(build / "share" / "planek" / "lang" / "polski.lng", "[x]\n");
    write_file(build / "share" / "planek" / "templates" / "a.wzr", "A\n");
    write_file(build / "share" / "planek" / "templates" / "b.wzr", "B\n");
    EXPECT_EQ(shipped_data_folder(build), build / "share" / "planek");
    EXPECT_EQ(shipped_data_folder(dir / "elsewhere"), fs::path());
    EXPECT_EQ(shipped_data_folder({}), fs::path());

    const Paths root = Paths::local(dir / "root");
    EXPECT_EQ(seed_program_root(root, build), 3);
    EXPECT_TRUE(fs::exists(root.lang / "polski.lng"));
    EXPECT_TRUE(fs::exists(root.templates / "b.wzr"));

    fs::remove(root.templates / "a.wzr");
    EXPECT_EQ(ensure_templates(root, build), 0);
    EXPECT_FALSE(fs::exists(root.templates / "a.wzr"));
    fs::remove(root.templates / "b.wzr");
    EXPECT_EQ(ensure_templates(root, build), 2);
    EXPECT_TRUE(fs::exists(root.templates / "a.wzr"));
}

// The templates of a language sit in a folder of their own and come to a
// root on their own: a root that has only the Polish ones gets them too.
TEST(ProgramRoot, ALanguagesTemplatesComeInTheirOwnFolder) {
    TempDir dir;
    const fs::path build = dir / "build";
    write_file(build / "share" / "planek" / "templates" / "a.wzr", "A\n");
    write_file(build / "share" / "planek" / "templates" / "english" / "e.wzr", "E\n");
    const Paths root = Paths::local(dir / "root");
    EXPECT_EQ(seed_program_root(root, build), 2);
    EXPECT_TRUE(fs::exists(root.templates / "english" / "e.wzr"));

    fs::remove_all(root.templates / "english");
    EXPECT_EQ(ensure_templates(root, build), 1);
    EXPECT_TRUE(fs::exists(root.templates / "english" / "e.wzr"));
    EXPECT_EQ(ensure_templates(root, build), 0);
}

}  // namespace
}  // namespace planek
