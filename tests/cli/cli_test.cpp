#include <gtest/gtest.h>

#include <cstdlib>
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
using test::run_cli;

int count_lines_starting(const std::string& text, const std::string& head) {
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        if (line.rfind(head, 0) == 0) ++n;
    return n;
}

TEST(Cli, DemoThenStaffListsTheWard) {
    TempDir dir;
    const std::string root = (dir / "ward").string();
    result demo = run_cli(dir, {"demo", root});
    ASSERT_EQ(demo.code, 0) << demo.err;
    EXPECT_TRUE(fs::is_directory(dir / "ward" / "templates"));
    EXPECT_TRUE(fs::is_directory(dir / "ward" / "wydruki"));
    EXPECT_TRUE(fs::is_directory(dir / "ward" / "lang"));
    EXPECT_TRUE(fs::exists(dir / "ward" / "dane" / "grupy.ini"));
    EXPECT_TRUE(fs::exists(dir / "ward" / "dane" / "kadra.inr"));
    EXPECT_FALSE(fs::exists(dir / "ward" / "dane" / "kadra.ini"));

    result staff = run_cli(dir, {"--root", root, "--lang", "polski", "staff"});
    ASSERT_EQ(staff.code, 0) << staff.err;
    EXPECT_EQ(staff.err, "");
    EXPECT_EQ(count_lines_starting(staff.out, "Grupa "), 2);
    EXPECT_EQ(count_lines_starting(staff.out, "  Zmiana "), 5);
    EXPECT_GE(count_lines_starting(staff.out, "Pracownik "), 25);
    EXPECT_NE(staff.out.find("Grupa 1: Oddział Chirurgii"), std::string::npos) << staff.out;
    EXPECT_NE(staff.out.find("Zmiana 3: N 22:00-6:00 (8:00)"), std::string::npos) << staff.out;
    EXPECT_NE(staff.out.find("Wiśniewska Małgorzata"), std::string::npos);
    EXPECT_NE(staff.out.find("etat 87,5%"), std::string::npos);
    EXPECT_NE(staff.out.find("8 h"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "ward" / "dane" / "kadra.ini"));

    // The root may also come after the command.
    EXPECT_EQ(run_cli(dir, {"staff", "--root", root, "--lang", "polski"}).out, staff.out);
}

TEST(Cli, DemoDoesNotOverwriteDataUnlessTold) {
    TempDir dir;
    const std::string root = (dir / "ward").string();
    ASSERT_EQ(run_cli(dir, {"demo", root}).code, 0);
    write_file(dir / "ward" / "dane" / "grupy.ini", "g\xA4" "9\r\n");
    result again = run_cli(dir, {"--lang", "polski", "demo", root});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("zawiera już dane"), std::string::npos) << again.err;
    EXPECT_EQ(read_file(dir / "ward" / "dane" / "grupy.ini"), "g\xA4" "9\r\n");
    EXPECT_EQ(run_cli(dir, {"--no", "demo", root}).code, 1);
    EXPECT_EQ(run_cli(dir, {"--yes", "demo", root}).code, 0);
    EXPECT_NE(read_file(dir / "ward" / "dane" / "grupy.ini"), "g\xA4" "9\r\n");
}

TEST(Cli, UsageErrorsExitWithTwo) {
    TempDir dir;
    EXPECT_EQ(run_cli(dir, {}).code, 2);
    result unknown = run_cli(dir, {"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
    EXPECT_EQ(run_cli(dir, {"demo"}).code, 2);
    EXPECT_EQ(run_cli(dir, {"demo", "a", "b"}).code, 2);
    EXPECT_EQ(run_cli(dir, {"staff", "--root"}).code, 2);
    EXPECT_EQ(run_cli(dir, {"--root", (dir / "r").string(), "staff", "extra"}).code, 2);
    result help = run_cli(dir, {"help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("demo DIR"), std::string::npos);
    EXPECT_NE(help.out.find("staff"), std::string::npos);
}

TEST(Cli, StaffOnAnEmptyOrBrokenRoot) {
    TempDir dir;
    // A folder that is not there is no ward: refused, not made.
    EXPECT_EQ(run_cli(dir, {"--root", (dir / "new").string(), "staff"}).code, 1);
    EXPECT_FALSE(fs::exists(dir / "new"));
    ASSERT_EQ(run_cli(dir, {"init", (dir / "new").string()}).code, 0);
    result empty = run_cli(dir, {"--root", (dir / "new").string(), "staff"});
    EXPECT_EQ(empty.code, 0) << empty.err;
    EXPECT_EQ(empty.out, "");
    EXPECT_TRUE(fs::is_directory(dir / "new" / "dane"));

    write_file(dir / "bad" / "dane" / "kadra.inr", "not an archive");
    result broken = run_cli(dir, {"--root", (dir / "bad").string(), "staff"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find("kadra.inr"), std::string::npos) << broken.err;
    EXPECT_EQ(read_file(dir / "bad" / "dane" / "kadra.inr"), "not an archive");

    write_file(dir / "file", "x");
    result not_a_folder = run_cli(dir, {"--root", (dir / "file").string(), "staff"});
    EXPECT_EQ(not_a_folder.code, 1);
    EXPECT_NE(not_a_folder.err.find("dane"), std::string::npos) << not_a_folder.err;
}

}  // namespace
}  // namespace planek
