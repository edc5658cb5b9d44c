#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/cp1250.h"
#include "cli_runner.h"

namespace planek {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

using config_result = test::result;

config_result run_config_cli(const TempDir& dir, const std::vector<std::string>& args) {
    return test::run_program(dir, PLANEK_CLI, args, "LANG=pl_PL.UTF-8 LC_ALL= ");
}

TEST(ConfigCommand, OptionsPrintsEveryEffectiveValue) {
    TempDir dir;
    std::string root = (dir / "root").string();
    ASSERT_EQ(run_config_cli(dir, {"init", root}).code, 0);
    config_result r = run_config_cli(dir, {"--root", root, "options"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("wydruki.ng_od=19:00\n"), std::string::npos);
    EXPECT_NE(r.out.find("glowne.autosave=10\n"), std::string::npos);
    EXPECT_NE(r.out.find("urlop_normatyw.u=ţ\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "root" / "dane" / "konfiguracja.ini"));
}

TEST(ConfigCommand, SetChecksTheValueAndGetReadsItBack) {
    TempDir dir;
    std::string root = (dir / "root").string();
    ASSERT_EQ(run_config_cli(dir, {"init", root}).code, 0);
    EXPECT_EQ(run_config_cli(dir, {"--root", root, "config", "--set", "wydruki", "ng_od", "99:99"}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "root" / "dane" / "konfiguracja.ini"));
    ASSERT_EQ(run_config_cli(dir, {"--root", root, "config", "--set", "glowne", "miejscowosc", "Łódź"}).code, 0);
    EXPECT_EQ(read_file(dir / "root" / "dane" / "konfiguracja.ini"), "[glowne]\r\nmiejscowosc=\xA3\xF3\x64\x9F\r\n");
    config_result r = run_config_cli(dir, {"--root", root, "config", "--get", "GLOWNE", "Miejscowosc"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Łódź\n");
    EXPECT_EQ(run_config_cli(dir, {"--root", root, "config", "--get", "glowne", "nothing"}).code, 1);
    // A key the program does not read is never written; the one meant is named.
    const std::string before = read_file(dir / "root" / "dane" / "konfiguracja.ini");
    const config_result unknown = run_config_cli(dir, {"--root", root, "config", "--set", "glowne", "autosav", "5"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("nie ma opcji glowne.autosav; czy chodziło o „glowne.autosave”?"), std::string::npos)
        << unknown.err;
    EXPECT_EQ(read_file(dir / "root" / "dane" / "konfiguracja.ini"), before);
    EXPECT_EQ(run_config_cli(dir, {"--root", root, "config", "--get", "glowne"}).code, 2);
}

TEST(ConfigCommand, ServerConfigurationIsNotChanged) {
    TempDir dir;
    std::string root = (dir / "root").string();
    ASSERT_EQ(run_config_cli(dir, {"init", root}).code, 0);
    write_file(dir / "server" / "dane" / "konfiguracja.ini", "[wydruki]\r\nng_od=18:00\r\n");
    write_file(dir / "root" / "dane" / "net.ini",
               "[net]\r\nServerPath=" + (dir / "server").string() + "\r\nConfig=1\r\n");
    EXPECT_EQ(run_config_cli(dir, {"--root", root, "config", "--get", "wydruki", "ng_od"}).out, "18:00\n");
    EXPECT_EQ(run_config_cli(dir, {"--root", root, "config", "--set", "wydruki", "ng_od", "17:00"}).code, 1);
    EXPECT_EQ(read_file(dir / "server" / "dane" / "konfiguracja.ini"), "[wydruki]\r\nng_od=18:00\r\n");
}

TEST(ConfigCommand, LangSwitchesTheLanguageOfTheRun) {
    TempDir dir;
    std::string root = (dir / "root").string();
    ASSERT_EQ(run_config_cli(dir, {"init", root}).code, 0);
    write_file(dir / "root" / "lang" / "english.lng",
               utf8_to_cp1250_lossy("[MostUsedValues]\r\nmuv_DutyAsName=Job¤Contract¤Order¤Other\r\n"));
    config_result r = run_config_cli(dir, {"--root", root, "--lang", "english", "config", "--get", "dyzur_jako", "2"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 8), "Contract");
    EXPECT_EQ(run_config_cli(dir, {"--root", root, "--lang", "klingon", "options"}).code, 2);
}

}  // namespace
}  // namespace planek
