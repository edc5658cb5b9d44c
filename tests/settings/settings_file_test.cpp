#include "settings/settings_file.h"

#include "core/file_io.h"
#include "settings/net_settings.h"
#include "settings/options_file.h"
#include "settings/startup_settings.h"
#include "settings_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

// Reads of one file fail for as long as the test runs.
struct unreadable {
    explicit unreadable(const fs::path& file) { set_read_fault(file); }
    ~unreadable() { set_read_fault({}); }
};

class UnreadableSettings : public SettingsTest {
protected:
    fs::path config() const { return plan.paths.data / "konfiguracja.ini"; }
    fs::path kept() const { return plan.paths.data / "konfiguracja.ini.bad_2026-03-15"; }
    const std::string original = "[glowne]\r\nautosave=25\r\nfirma=Szpital Miejski\r\n[windows]\r\nwindow_width=900\r\n";
};

TEST_F(UnreadableSettings, AConfigurationThatCannotBeReadIsKeptAsideAndTheDefaultsGoOn) {
    write_file(config(), original);
    put("lang/polski.lng", "[messages]\n");
    put("lang/english.lng", "[messages]\n");
    {
        unreadable fault(config());
        (void)load_startup_settings(plan);
    }
    EXPECT_EQ(plan.options.glowne.autosave, 10);  // the default
    EXPECT_EQ(read_file(kept()), original);
    EXPECT_FALSE(fs::exists(config()));
    ASSERT_EQ(ui->warnings.size(), 1u) << ui->warnings.back();
    EXPECT_NE(ui->warnings[0].find(config().string()), std::string::npos) << ui->warnings[0];
    EXPECT_NE(ui->warnings[0].find(kept().string()), std::string::npos) << ui->warnings[0];

    // What is written at exit starts a new file; the user's old one stays.
    ASSERT_TRUE(write_exit_options(plan));
    EXPECT_EQ(read_file(kept()), original);
    EXPECT_EQ(ui->warnings.size(), 1u);
}

TEST_F(UnreadableSettings, AnEarlierKeptCopyOfTheSameDayIsNotReplaced) {
    write_file(kept(), "earlier");
    write_file(config(), original);
    EXPECT_EQ(unreadable_copy_name(config(), {2026, 3, 15}), plan.paths.data / "konfiguracja.ini.bad_2026-03-15_2");
    {
        unreadable fault(config());
        const result<> written = write_exit_options(plan);
        EXPECT_TRUE(written) << written.error().text;
    }
    EXPECT_EQ(read_file(kept()), "earlier");
    EXPECT_EQ(read_file(plan.paths.data / "konfiguracja.ini.bad_2026-03-15_2"), original);
}

TEST_F(UnreadableSettings, OptionsSaveAndRecentKeysDoNotReplaceTheUnreadableFile) {
    for (auto write : {+[](Plan& p) { return sb_SaveClick(p).ok(); }, +[](Plan& p) { return write_recent_files(p).ok(); }}) {
        fs::remove_all(plan.paths.data);
        ui->warnings.clear();
        write_file(config(), original);
        {
            unreadable fault(config());
            EXPECT_TRUE(write(plan));
        }
        EXPECT_EQ(read_file(kept()), original);
        EXPECT_EQ(ui->warnings.size(), 1u);
        IniFile written(config());
        EXPECT_FALSE(written.keyExists("windows", "window_width"));  // nothing of the unread file
    }
}

TEST_F(UnreadableSettings, ANetFileThatCannotBeReadIsKeptAside) {
    const fs::path net = plan.paths.data / kNetFileName;
    write_file(net, "[net]\r\nServerPath=/srv/planek\r\n");
    {
        unreadable fault(net);
        read_net_options(plan);
    }
    EXPECT_TRUE(plan.options.net.ServerPath.empty());
    EXPECT_EQ(read_file(plan.paths.data / "net.ini.bad_2026-03-15"), "[net]\r\nServerPath=/srv/planek\r\n");
    EXPECT_EQ(ui->warnings.size(), 1u);
}

TEST_F(UnreadableSettings, AServerConfigurationIsReadOnlyNeverMoved) {
    const fs::path server = dir.path() / "serwer" / "dane" / "konfiguracja.ini";
    write_file(server, original);
    plan.paths.config = server.parent_path();
    unreadable fault(server);
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(read_file(server), original);
}

}  // namespace
}  // namespace planek::test
