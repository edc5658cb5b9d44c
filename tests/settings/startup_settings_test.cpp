#include "settings/startup_settings.h"

#include "settings/language.h"
#include "settings_fixture.h"

namespace planek::test {
namespace {

using StartupSettings = SettingsTest;

TEST_F(StartupSettings, ReadsEverythingInOrder) {
    std::filesystem::path server = dir.path() / "server";
    write_file(server / "dane" / "konfiguracja.ini", "[wydruki]\r\nnoc_od=21:00\r\n");
    put("dane/net.ini", "[net]\nServerPath=" + server.string() + "\nConfig=1\nTemplate=x\n");
    put("dane/konfiguracja.ini", "[glowne]\nlang=0\n[windows]\nwindow_width=640\n");
    put("lang/english.lng", "[MostUsedValues]\nmuv_Educations=Higher¤\n");
    write_file(plan.options.userSettingsFolder / "user.ini", "[user]\r\nuser_name=Anna\r\n");

    std::vector<std::string> ignored = *load_startup_settings(plan);
    EXPECT_EQ(ignored, std::vector<std::string>{"net.ini: net.Template"});
    EXPECT_EQ(plan.paths.config, server / "dane");
    EXPECT_EQ(plan.options.wydruki.noc_od, 21 * 60);
    EXPECT_EQ(plan.options.windows.window_width, 640);  // the machine's own file
    EXPECT_EQ(plan.options.language, "english");
    EXPECT_EQ(plan.options.autofilling.Educations, "Higher¤");
    EXPECT_EQ(plan.options.user.user_name, "Anna");
    EXPECT_TRUE(plan.options.networkPageVisible);
}

TEST_F(StartupSettings, LanguageGivenForTheRunIsNotSaved) {
    put("dane/konfiguracja.ini", "[glowne]\nlang=1\n");
    put("lang/english.lng", "[messages]\nmsg_X=Hello\n");
    put("lang/polski.lng", "[messages]\n");
    (void)load_startup_settings(plan, std::string("english"));
    EXPECT_EQ(plan.options.language, "english");
    EXPECT_EQ(plan.tr.msg("msg_X", "Cześć"), "Hello");
    EXPECT_EQ(plan.options.glowne.lang, language_index("polski"));
}

// What was wrong: the missing server was said before the language was read,
// in Polish to a planner who runs the program in English.
TEST_F(StartupSettings, AMissingServerIsSaidInTheLanguageOfTheRun) {
    put("dane/net.ini", "[net]\nServerPath=" + (dir.path() / "nowhere").string() + "\nTemplate=1\n");
    put("lang/english.lng", "[messages]\nmsg_CantFindServer=No server here.%sLocal settings.\n");
    const result<std::vector<std::string>> loaded = load_startup_settings(plan, std::string("english"));
    ASSERT_EQ(loaded.notes.size(), 1u);
    EXPECT_EQ(loaded.notes[0].text, "No server here.\nLocal settings.");
    EXPECT_EQ(plan.paths.templates, plan.paths.root / "templates");
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(StartupSettings, NoFilesAtAllGivesDefaults) {
    const result<std::vector<std::string>> loaded = load_startup_settings(plan);
    EXPECT_TRUE(loaded->empty());
    // The missing language file is said once, by whoever shows the result.
    ASSERT_EQ(loaded.notes.size(), 1u);
    EXPECT_NE(loaded.notes[0].file.find(".lng"), std::string::npos) << loaded.notes[0].file;
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_EQ(plan.options.autofilling, autofilling_options{});
    EXPECT_EQ(plan.options.dayOffKinds[1].ownName, "Wypoczynkowy");
}

}  // namespace
}  // namespace planek::test
