#include "dialogs_fixture.h"
#include "support/temp_dir.h"
#include "ui/dialogs/export_files.h"

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

}  // namespace
}  // namespace planek::test
