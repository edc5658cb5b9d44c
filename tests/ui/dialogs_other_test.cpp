#include <QGuiApplication>
#include <QListWidget>
#include <QRadioButton>

#include "support/temp_dir.h"
#include "ui/dialogs/remove_dialogs.h"
#include "ui/dialogs/templates_dialog.h"
#include "ui/dialogs_fixture.h"

namespace planek::test {
namespace {

using OtherDialogsTest = DialogFixture;

// A duty as a month file brings it: with its own number in the month.
dyzur night(const Plan& plan, int worker, int day) {
    static word number = 500;
    dyzur d;
    d.id = ++number;
    d.workerId = plan.workers[worker].id;
    d.groupId = 1;
    d.day = word(day);
    d.dayIndex = word(day - 1);
    d.shift = 2;
    d.start = 1140;
    d.length = 720;
    d.loaded = true;
    return d;
}

TEST_F(OtherDialogsTest, RemoveDutiesOfTheCurrentWorker) {
    plan.workers[0].months[0].duties[4].push_back(night(plan, 0, 5));
    plan.workers[1].months[0].duties[4].push_back(night(plan, 1, 5));
    ui::RemoveDialog d(doc, "mi_DutiesRemove_duties");
    EXPECT_TRUE(child<QCheckBox>(d, "cb_Duties")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(d, "cb_DaysOff")->isChecked());
    EXPECT_EQ(child<QRadioButton>(d, "rg_RemoveFor0")->text(), QString::fromUtf8("tylko dla: Nowak Anna"));
    ui->answers = {Answer::Yes};
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(plan.workers[0].months[0].duties[4].empty());
    EXPECT_EQ(plan.workers[1].months[0].duties[4].size(), 1u);
}

TEST_F(OtherDialogsTest, SplitANightAfterMidnight) {
    plan.workers[0].months[0].duties[4].push_back(night(plan, 0, 5));
    ui::SplitDialog d(doc, "p0_4_0");
    ASSERT_TRUE(d.ready());
    EXPECT_EQ(child<QLineEdit>(d, "me_SplitHour")->text(), "19:00");
    type(d, "me_SplitHour", "1.00");
    pressOk(d);
    EXPECT_EQ(d.outcome().outcome, split_outcome::Split);
    EXPECT_EQ(plan.workers[0].months[0].duties[4][0].length, 360);
    ASSERT_EQ(plan.workers[0].months[0].duties[5].size(), 1u);
    EXPECT_EQ(plan.workers[0].months[0].duties[5][0].start, 60);

    ui::SplitDialog none(doc, "p1_4_0");
    EXPECT_FALSE(none.ready());
}

// A narrow dialog is kept wide enough for its title bar to show the title
// and the program name after it.
TEST_F(OtherDialogsTest, TitlesOfNarrowDialogsFit) {
    ui::AboutDialog about(plan);
    ui::SplitDialog split(doc, "p0_0_0");
    for (QDialog* d : {static_cast<QDialog*>(&about), static_cast<QDialog*>(&split)}) {
        QFont bold = d->font();
        bold.setBold(true);
        d->show();
        EXPECT_GT(d->width(), QFontMetrics(bold).horizontalAdvance(d->windowTitle() + " — " +
                                                                  QGuiApplication::applicationDisplayName()))
            << d->windowTitle().toStdString();
    }
}

TEST_F(OtherDialogsTest, AboutBoxCloses) {
    ui::AboutDialog d(plan);
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(OtherDialogsTest, TemplatesSearchAndMake) {
    TempDir root;
    write_file(root / "templates" / "grafik.wzr", "Grafik\n");
    write_file(root / "templates" / "lista urlopow.wzr", "Lista\n");
    std::filesystem::create_directories(root / "wydruki");
    plan.paths = Paths::local(root.path());
    ui::TemplatesDialog d(doc);
    ASSERT_EQ(d.list()->count(), 2);
    EXPECT_TRUE(child<QPushButton>(d, "sb_Edit")->isEnabled());
    type(d, "e_Search", "LISTA");
    ASSERT_EQ(d.list()->count(), 1);
    EXPECT_EQ(d.list()->item(0)->text(), "lista urlopow.wzr");
    std::filesystem::path opened;
    d.openDocument = [&](const std::filesystem::path& f) {
        opened = f;
        return true;
    };
    child<QCheckBox>(d, "cb_ReadAllGroups")->setChecked(true);
    ASSERT_TRUE(d.make());
    EXPECT_TRUE(std::filesystem::exists(opened));
    EXPECT_TRUE(ui->infos.empty());
    // Where no program opens documents, the user is told where the file is.
    d.openDocument = [](const std::filesystem::path&) { return false; };
    ASSERT_TRUE(d.make());
    ASSERT_EQ(ui->infos.size(), 1u);
    const std::string told = ui->infos[0];
    ASSERT_EQ(told.rfind("Utworzono dokument:\n", 0), 0u) << told;
    EXPECT_TRUE(std::filesystem::exists(told.substr(told.find('\n') + 1))) << told;
    EXPECT_TRUE(plan.options.wydruki.ReadAllGroup);
    std::filesystem::path edited;
    d.openEditor = [&](const std::filesystem::path& f) { edited = f; };
    ui->answers = {Answer::No, Answer::Yes};
    d.edit();
    EXPECT_TRUE(edited.empty());
    d.edit();
    EXPECT_EQ(edited.filename(), "lista urlopow.wzr");
    EXPECT_EQ(ui->questions[0].substr(0, 45), "Do edycji wybrano wzorzec: lista urlopow.wzr\n");
}

}  // namespace
}  // namespace planek::test
