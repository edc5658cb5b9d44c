#include "settings/user_settings.h"

#include "settings_fixture.h"

namespace planek::test {
namespace {

using UserSettings = SettingsTest;

TEST_F(UserSettings, RoundTripInTheGivenFolder) {
    EXPECT_TRUE(read_user_settings(plan));
    EXPECT_EQ(plan.options.user, user_options{});
    set_password(plan, "tajne");
    plan.options.user.user_name = "Józef Kowalski";
    plan.options.user.tab_adress_visible = false;
    plan.options.user.db_url = "host=db.szpital.local dbname=planek user=oddzial";
    ASSERT_TRUE(write_user_settings(plan));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "user" / "user.ini"));

    Plan reader;
    reader.options.userSettingsFolder = plan.options.userSettingsFolder;
    ASSERT_TRUE(read_user_settings(reader));
    EXPECT_EQ(reader.options.user, plan.options.user);
    EXPECT_FALSE(reader.options.user.tab_other_visible.has_value());
    EXPECT_TRUE(check_password(reader, "tajne"));
    EXPECT_FALSE(check_password(reader, "Tajne"));
    EXPECT_FALSE(check_password(reader, ""));

    set_password(reader, "");  // an empty password removes it
    reader.options.user.db_url.clear();  // back to the folder: the key goes, not an empty value
    ASSERT_TRUE(write_user_settings(reader));
    ASSERT_TRUE(read_user_settings(plan));
    EXPECT_TRUE(plan.options.user.pwd.empty());
    EXPECT_TRUE(plan.options.user.db_url.empty());
    EXPECT_EQ(read_file(dir.path() / "user" / "user.ini").find("db_url"), std::string::npos);
    EXPECT_TRUE(check_password(plan, "anything"));
    EXPECT_EQ(plan.options.user.user_name, "Józef Kowalski");
}

TEST_F(UserSettings, NoFolderMeansNoFile) {
    plan.options.userSettingsFolder.clear();
    plan.options.user.user_name = "x";
    EXPECT_TRUE(write_user_settings(plan));
    EXPECT_TRUE(read_user_settings(plan));
    EXPECT_EQ(plan.options.user.user_name, "");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "user"));
}

TEST_F(UserSettings, DefaultFolderFollowsTheEnvironment) {
    std::string oldXdg = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(default_user_settings_folder(), std::filesystem::path("/tmp/xdg-test/planek"));
    unsetenv("XDG_CONFIG_HOME");
    std::string home = getenv("HOME") ? getenv("HOME") : "";
    if (!home.empty()) {
        EXPECT_EQ(default_user_settings_folder(), std::filesystem::path(home) / ".config" / "planek");
    }
    if (!oldXdg.empty()) setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
}

TEST_F(UserSettings, LoginHashIsStableAndSpreads) {
    EXPECT_EQ(GGLoginHash("haslo"), GGLoginHash("haslo"));
    EXPECT_NE(GGLoginHash("haslo"), GGLoginHash("hasla"));
    EXPECT_NE(GGLoginHash("ab"), GGLoginHash("ba"));
    EXPECT_EQ(GGLoginHash(""), 1u);  // the seed alone
    // Polish letters hash as their single Windows-1250 byte.
    EXPECT_NE(GGLoginHash("zółw"), GGLoginHash("zolw"));
    EXPECT_EQ(GGLoginHash("ż"), GGLoginHash("\xC5\xBC"));
}

}  // namespace
}  // namespace planek::test
