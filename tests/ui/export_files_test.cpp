#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "calendar/calendar_grid.h"
#include "dialogs_fixture.h"
#include "support/temp_dir.h"
#include "ui/dialogs/export_files.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

using ExportFilesTest = DialogFixture;

TEST_F(ExportFilesTest, TheMonthGoesToTheFormatItsNameAsks) {
    TempDir dir;
    ASSERT_TRUE(ui::export_month_file(doc, dir / "grafik.CSV"));
    const std::string csv = read_file(dir / "grafik.CSV");
    EXPECT_NE(csv.find("Nowak"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Kowalska"), std::string::npos) << csv;
    EXPECT_NE(csv.find(';'), std::string::npos);
    ASSERT_TRUE(ui::export_month_file(doc, dir / "grafik.xlsx"));
    EXPECT_EQ(read_file(dir / "grafik.xlsx").rfind("PK", 0), 0u);  // a zip, as every workbook
}

TEST_F(ExportFilesTest, AWorkersCalendarIsWrittenAndAnUnwritableFolderLeavesNothing) {
    TempDir dir;
    ASSERT_TRUE(ui::export_worker_calendar_file(doc, 0, dir / "nowak.ics"));
    EXPECT_EQ(read_file(dir / "nowak.ics").rfind("BEGIN:VCALENDAR", 0), 0u);
    const fs::path missing = dir / "brak" / "nowak.ics";
    EXPECT_FALSE(ui::export_worker_calendar_file(doc, 0, missing));
    EXPECT_FALSE(ui::export_month_file(doc, dir / "brak" / "grafik.xlsx"));
    EXPECT_FALSE(fs::exists(missing));
}

// What the file dialog of an export proposes, and the file written after
// `typed` (empty: the proposal as it stands, "csv": the proposal with the
// CSV kind chosen) is entered with the keyboard.
struct export_run {
    QString proposed, folder;
    std::filesystem::path written;
};

export_run runExport(const std::function<void()>& open, const QString& typed) {
    export_run run;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        auto* name = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        run.proposed = name->text();
        run.folder = d->directory().absolutePath();
        if (typed == "csv") {
            auto* kinds = d->findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(kinds, nullptr);
            kinds->setCurrentIndex(1);
            emit kinds->activated(1);
            emit kinds->textActivated(kinds->itemText(1));
        } else if (!typed.isEmpty()) {
            name->selectAll();
            QTest::keyClicks(name, typed);
        }
        QTest::keyClick(name, Qt::Key_Return);
    });
    open();
    return run;
}

TEST_F(DemoWard, TheExportProposesANameAndAddsTheExtensionOfTheChosenKind) {
    const export_run named = runExport([&] { window->action("a_Export")->trigger(); }, "grafik_styczen");
    const std::string month = month_name(plan, plan.month) + " " + std::to_string(plan.year);
    EXPECT_EQ(named.proposed.toStdString(), "Grafik Oddział Chirurgii " + month + ".xlsx");
    EXPECT_EQ(std::filesystem::path(named.folder.toStdString()), plan.paths.printouts);
    const std::filesystem::path xlsx = plan.paths.printouts / "grafik_styczen.xlsx";
    ASSERT_TRUE(std::filesystem::exists(xlsx)) << "written without its extension";
    EXPECT_EQ(read_file(xlsx).rfind("PK", 0), 0u);

    runExport([&] { window->action("a_Export")->trigger(); }, "csv");
    const std::filesystem::path csv = plan.paths.printouts / ("Grafik Oddział Chirurgii " + month + ".csv");
    ASSERT_TRUE(std::filesystem::exists(csv));
    EXPECT_NE(read_file(csv).find(';'), std::string::npos);

    const int w = firstListedWorker();
    const prac& p = plan.workers[size_t(w)];
    const export_run calendar = runExport([&] { ui::export_worker_calendar(doc, w, window.get()); }, "");
    EXPECT_EQ(calendar.proposed.toStdString(), "Kalendarz " + p.surname + " " + p.firstName + " " + month + ".ics");
    const std::filesystem::path ics = plan.paths.printouts / calendar.proposed.toStdString();
    ASSERT_TRUE(std::filesystem::exists(ics));
    EXPECT_EQ(read_file(ics).rfind("BEGIN:VCALENDAR", 0), 0u);
}

}  // namespace
}  // namespace planek::test
