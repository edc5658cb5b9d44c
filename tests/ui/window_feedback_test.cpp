// What the window tells after an act: the warnings listed beside the
// calendar, printouts that are there to choose, and no save question for a
// plan that was only looked at.
#include <QListWidget>
#include <QPushButton>

#include "scheduler/warnings.h"
#include "ui/dialogs/templates_dialog.h"
#include "ui/warnings_dock.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

class OpenDemoMonth : public DemoWard {
protected:
    void SetUp() override {
        DemoWard::SetUp();
        if (HasFatalFailure()) return;
        const std::vector<std::string> files = demoMonths();
        ASSERT_FALSE(files.empty());
        window->chooseOpenFiles = [files] { return std::vector<std::string>{files.back()}; };
        window->action("a_ProjectOpen")->trigger();
        ASSERT_FALSE(plan.modified);
    }
};

TEST_F(OpenDemoMonth, LookingAtGroupsAndWarningsLeavesThePlanUnmodified) {
    window->groupList()->setCurrentRow(1);
    window->groupList()->setCurrentRow(0);
    EXPECT_FALSE(plan.modified);
    window->action("a_Warnings")->trigger();
    EXPECT_FALSE(plan.modified);
    EXPECT_EQ(*czy_zapis(plan), Answer::No);
    EXPECT_FALSE(doc.modified());
    EXPECT_TRUE(talk->questions.empty()) << talk->questions.front();
}

TEST_F(OpenDemoMonth, TheWarningsListSelectsTheDayAndWorkerOfALine) {
    plan.options.warnings.StaffLess = true;
    plan.options.warnings.vStaffLess = 1;
    window->action("a_Warnings")->trigger();
    ui::WarningsDock* dock = window->warningsDock();
    ASSERT_TRUE(dock->isVisible());
    QListWidget* list = dock->list();
    ASSERT_GT(list->count(), 0);
    ASSERT_EQ(dock->places().size(), size_t(list->count()));

    int staffing = -1, personal = -1;
    for (int r = 0; r < list->count(); ++r) {
        const warning_place& p = dock->places()[size_t(r)];
        if (staffing < 0 && p.day > 0 && p.shift >= 0) staffing = r;
        if (personal < 0 && p.day > 0 && p.worker >= 0) personal = r;
    }
    ASSERT_GE(staffing, 0) << "the demo month is short of staff somewhere";
    const warning_place shortOf = dock->places()[size_t(staffing)];
    list->setCurrentRow(staffing);
    EXPECT_EQ(plan.selectedCellDay, shortOf.day - 1);
    EXPECT_EQ(plan.selectedCellShift, shortOf.shift + 1);
    EXPECT_TRUE(list->item(staffing)->text().contains(QString("%1").arg(shortOf.day, 2, 10, QChar('0'))));
    if (personal >= 0) {
        const warning_place about = dock->places()[size_t(personal)];
        list->setCurrentRow(personal);
        EXPECT_EQ(plan.currentWorker, about.worker);
        EXPECT_EQ(plan.selectedCellDay, about.day - 1);
    }
    EXPECT_FALSE(plan.modified);

    // Without a viewer for the file, the window says where it is.
    dock->openFile = [](const std::filesystem::path&) { return false; };
    dock->findChild<QPushButton*>("sb_OpenWarningsFile")->click();
    ASSERT_EQ(talk->infos.size(), 1u);
    EXPECT_NE(talk->infos[0].find((plan.paths.root / "warnings.txt").string()), std::string::npos) << talk->infos[0];
}

TEST_F(DemoWard, TheDemoFolderOffersTheShippedPrintouts) {
    ui::TemplatesDialog d(doc);
    EXPECT_GE(d.list()->count(), 8);
}

}  // namespace
}  // namespace planek::test
