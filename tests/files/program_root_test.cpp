#include <gtest/gtest.h>

#include "core/plan.h"
#include "files/program_root.h"
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

}  // namespace
}  // namespace planek
