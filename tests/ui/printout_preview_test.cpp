#include <QPushButton>

#include "dialogs_fixture.h"
#include "support/temp_dir.h"
#include "ui/dialogs/printout_preview.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

// A month's roster: a row of 31 day columns and the totals is too wide to
// stand upright.
std::string wide_roster() {
    std::string html = "<html><head><style>td,th{white-space:nowrap}</style></head><body><h1>Grafik</h1>"
                       "<table border=1><tr><th>Pracownik</th>";
    for (int d = 1; d <= 31; ++d) html += "<th>" + std::to_string(d) + "<br>\xB6r</th>";  // "śr" in Windows-1250
    html += "<th>Normatyw</th><th>Przepracowano</th></tr><tr><td>W\xF3jcik Katarzyna</td>";
    for (int d = 1; d <= 31; ++d) html += "<td>12:00</td>";
    return html + "<td>151:40</td><td>144:00</td></tr></table></body></html>";
}

using PrintoutPreviewTest = DialogFixture;

TEST_F(PrintoutPreviewTest, PagesTurnAsThePrintoutNeedsOrAsks) {
    TempDir dir;
    write_file(dir / "grafik.htm", wide_roster());
    write_file(dir / "upright.htm", "<style>@page { size: A4 portrait }</style>" + wide_roster());
    write_file(dir / "lista.txt", "Lista dy\xBFur\xF3w\r\n1 Nowak 07:00-19:00\r\n");
    ui::PrintoutPreview wide(plan, dir / "grafik.htm");
    ASSERT_TRUE(wide.loaded());
    EXPECT_EQ(wide.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(wide.pages(), 1);
    ui::PrintoutPreview asked(plan, dir / "upright.htm");
    EXPECT_EQ(asked.orientation(), QPageLayout::Portrait);
    ui::PrintoutPreview text(plan, dir / "lista.txt");
    EXPECT_EQ(text.orientation(), QPageLayout::Portrait);
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(PrintoutPreviewTest, SavesAPdfOpensTheBrowserAndSaysWhatDidNotOpen) {
    TempDir dir;
    write_file(dir / "grafik.htm", wide_roster());
    ui::PrintoutPreview p(plan, dir / "grafik.htm");
    fs::path proposed;
    p.choosePdf = [&](const fs::path& f) -> std::optional<fs::path> {
        proposed = f;
        return std::nullopt;
    };
    EXPECT_FALSE(p.saveAsPdf());  // cancelled: nothing written
    EXPECT_EQ(proposed, dir / "grafik.pdf");
    EXPECT_FALSE(fs::exists(proposed));
    p.choosePdf = [&](const fs::path&) -> std::optional<fs::path> { return dir / "kopia.pdf"; };
    ASSERT_TRUE(p.saveAsPdf());
    EXPECT_EQ(read_file(dir / "kopia.pdf").substr(0, 5), "%PDF-");
    p.choosePdf = [&](const fs::path&) -> std::optional<fs::path> { return dir / "nie_ma" / "a.pdf"; };
    EXPECT_FALSE(p.saveAsPdf());
    ASSERT_EQ(ui->warnings.size(), 1u);
    EXPECT_NE(ui->warnings[0].find("a.pdf"), std::string::npos) << ui->warnings[0];

    fs::path opened;
    p.openExternally = [&](const fs::path& f) {
        opened = f;
        return true;
    };
    p.findChild<QPushButton*>("b_OpenBrowser")->click();
    EXPECT_EQ(opened, dir / "grafik.htm");
    EXPECT_TRUE(ui->infos.empty());
    p.openExternally = [](const fs::path&) { return false; };
    p.openInBrowser();
    ASSERT_EQ(ui->infos.size(), 1u);
    EXPECT_NE(ui->infos[0].find((dir / "grafik.htm").string()), std::string::npos) << ui->infos[0];
}

TEST_F(PrintoutPreviewTest, AnUnreadablePrintoutIsSaidAndNothingCanBePressed) {
    TempDir dir;
    ui::PrintoutPreview p(plan, dir / "nie_ma.htm");
    EXPECT_FALSE(p.loaded());
    ASSERT_EQ(ui->warnings.size(), 1u);
    EXPECT_NE(ui->warnings[0].find("nie_ma.htm"), std::string::npos) << ui->warnings[0];
    EXPECT_FALSE(p.findChild<QPushButton*>("b_SavePdf")->isEnabled());
}

}  // namespace
}  // namespace planek::test
