#include <QComboBox>
#include <QSpinBox>
#include <QTableWidget>

#include "settings/options_file.h"
#include "settings/user_settings.h"
#include "support/temp_dir.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs_fixture.h"

namespace planek::test {
namespace {

using OptionsDialogTest = DialogFixture;

// A plan without a program folder: OK applies, there is nowhere to write.
TEST_F(OptionsDialogTest, FillPagesAndOkAppliesWithoutWriting) {
    ui::OptionsDialog d(doc);
    EXPECT_EQ(child<QLineEdit>(d, "me_OvertimeFrom")->text(), "19:00");
    EXPECT_EQ(child<QSpinBox>(d, "se_AutomatSeconds")->value(), 5);
    child<QSpinBox>(d, "se_AutoSave")->setValue(15);
    child<QSpinBox>(d, "se_AutomatSeconds")->setValue(40);
    type(d, "me_NightFrom", "2130");
    type(d, "e_Symb_8", "O");
    child<QCheckBox>(d, "cb_2Nigths")->setChecked(false);
    child<QSpinBox>(d, "se_vStaffLess")->setValue(3);

    // the glyph toggles on a configurable kind, never on a locked one
    QTableWidget* days = d.dayOffGrid();
    ASSERT_EQ(days->rowCount(), 24);
    int settable = -1, locked = -1;
    for (int r = 0; r < 24; ++r) (plan.options.dayOffKinds[r].settable ? settable : locked) = r;
    ASSERT_GE(settable, 0);
    ASSERT_GE(locked, 0);
    emit days->cellDoubleClicked(settable, 3);
    emit days->cellDoubleClicked(locked, 3);
    EXPECT_EQ(days->item(locked, 3)->text(), "");
    // shown as a check box, never as the stored symbol-font glyph
    EXPECT_EQ(days->item(settable, 3)->text(), "");
    EXPECT_EQ(days->item(settable, 3)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(days->item(locked, 3)->flags() & Qt::ItemIsUserCheckable);
    days->item(settable, 1)->setText(QString::fromUtf8("Urlop mój"));

    // a user duty symbol: "-" is any, times shown again as h:mm
    child<QPushButton>(d, "b_SymbolAdd")->click();
    QTableWidget* symbols = d.symbolGrid();
    ASSERT_EQ(symbols->rowCount(), 1);
    symbols->item(0, 1)->setText("700");
    EXPECT_EQ(symbols->item(0, 1)->text(), "07:00");
    symbols->item(0, 2)->setText("12");
    symbols->item(0, 4)->setText("DD");

    d.dutyAsGrid()->item(0, 1)->setText("Etat pełny");
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(plan.options.glowne.autosave, 15);
    EXPECT_EQ(plan.options.glowne.automatSeconds, 40);
    EXPECT_EQ(plan.options.wydruki.noc_od, 21 * 60 + 30);
    EXPECT_EQ(plan.options.glowne.symbol_8, "O");
    EXPECT_FALSE(plan.options.warnings.Nights2);
    EXPECT_EQ(plan.options.warnings.vStaffLess, 3);
    EXPECT_EQ(plan.options.dayOffKinds[settable].normatyw, kNormatywOff);
    EXPECT_EQ(plan.options.dayOffKinds[settable].ownName, "Urlop mój");
    EXPECT_EQ(plan.options.dayOffKinds[locked].normatyw, "");
    ASSERT_EQ(plan.dutySymbols.size(), 1u);
    EXPECT_EQ(plan.dutySymbols[0].start, 420);
    EXPECT_EQ(plan.dutySymbols[0].length, 720);
    EXPECT_EQ(plan.dutySymbols[0].overtime, -1);
    EXPECT_EQ(plan.dutySymbols[0].symbol, "DD");
    EXPECT_EQ(plan.dutyAs[0].name, "Etat pełny");
}

// Limiting printouts to approved plans only means something while they go
// to the server's folder.
TEST_F(OptionsDialogTest, OnlyApprovedPrintoutsNeedTheServerFolder) {
    ui::OptionsDialog d(doc);
    QCheckBox* server = child<QCheckBox>(d, "cb_Printout");
    QCheckBox* approved = child<QCheckBox>(d, "cb_PrintoutOnlyAccepted");
    EXPECT_FALSE(server->isChecked());
    EXPECT_FALSE(approved->isEnabled());
    server->setChecked(true);
    EXPECT_TRUE(approved->isEnabled());
    server->setChecked(false);
    EXPECT_FALSE(approved->isEnabled());
}

TEST_F(OptionsDialogTest, TheLanguageSpokenIsShownEvenWhenNoneWasChosen) {
    plan.options.glowne.lang = -1;  // from the locale, or for this run only
    plan.options.language = "english";
    ui::OptionsDialog d(doc);
    EXPECT_EQ(child<QComboBox>(d, "cb_Language")->currentText(), "english");
}

TEST_F(OptionsDialogTest, ABadTimeOrCharacterChangesNothing) {
    ui::OptionsDialog d(doc);
    type(d, "me_OvertimeFrom", "25:00");
    child<QSpinBox>(d, "se_AutoSave")->setValue(15);
    pressOk(d);
    EXPECT_NE(d.result(), QDialog::Accepted);
    ASSERT_EQ(ui->warnings.size(), 1u);
    EXPECT_EQ(plan.options.glowne.autosave, 10);
    type(d, "me_OvertimeFrom", "19:00");
    d.dutyAsGrid()->item(1, 1)->setText(QString::fromUtf8("Umowa ☃"));
    pressOk(d);
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(ui->warnings.size(), 2u);
    EXPECT_EQ(plan.options.glowne.autosave, 10);
}

TEST_F(OptionsDialogTest, SaveWritesTheConfigurationAndThePasswordLinkSetsThePassword) {
    TempDir root;
    std::filesystem::create_directories(root / "dane");
    plan.paths = Paths::local(root.path());
    plan.options.userSettingsFolder = root / "user";
    ui::OptionsDialog d(doc);
    d.askPassword = [] { return std::optional<std::string>("tajne"); };
    child<QPushButton>(d, "l_ChangePassword")->click();
    EXPECT_TRUE(check_password(plan, "tajne"));
    EXPECT_FALSE(check_password(plan, "inne"));
    child<QSpinBox>(d, "se_AutoArchiving")->setValue(30);
    ASSERT_TRUE(d.save());
    EXPECT_EQ(plan.options.glowne.autoarchiving, 30);
    EXPECT_NE(read_file(root / "dane" / "konfiguracja.ini").find("autoarchiving=30"), std::string::npos);
    EXPECT_TRUE(check_password(plan, "tajne"));  // saving keeps the new password
}

// What OK applied is what the next start reads: the language and what the
// calendar shows are not gone because "Zapisz" was not pressed.
TEST_F(OptionsDialogTest, OkKeepsTheOptionsForTheNextStart) {
    TempDir root;
    std::filesystem::create_directories(root / "dane");
    plan.paths = Paths::local(root.path());
    plan.options.userSettingsFolder = root / "user";
    ui::OptionsDialog d(doc);
    child<QComboBox>(d, "cb_CalendarDisplay")->setCurrentIndex(1);
    child<QSpinBox>(d, "se_AutoSave")->setValue(25);
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(plan.options.glowne.CalendarDisplay, 1);

    Plan next;
    next.ui = ui;
    next.paths = plan.paths;
    czytaj_opcje(next, "opcje");
    EXPECT_EQ(next.options.glowne.CalendarDisplay, 1);
    EXPECT_EQ(next.options.glowne.autosave, 25);
    EXPECT_TRUE(ui->infos.empty());

    // A configuration from a server is not this computer's to write: OK says so.
    plan.options.net.Config = true;
    std::filesystem::create_directories(root / "server" / "dane");
    plan.options.net.ServerPath = (root / "server").string();
    ui::OptionsDialog remote(doc);
    pressOk(remote);
    EXPECT_EQ(remote.result(), QDialog::Accepted);
    ASSERT_EQ(ui->infos.size(), 1u);
}

}  // namespace
}  // namespace planek::test
