#include <gtest/gtest.h>

#include <chrono>

#include "core/cp1250.h"
#include "print_fixture.h"
#include "printouts/generation.h"
#include "printouts/page_orientation.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

using test::TempDir;

struct ward_root {
    TempDir dir;
    Plan plan = test::make_ward();
    ward_root() { plan.paths = Paths::local(dir.path()); }

    gen_result run(const std::string& templateText, const gen_options& o = {}) {
        std::filesystem::path t = plan.paths.templates / "t.wzr";
        test::write_file(t, utf8_to_cp1250_lossy(templateText));
        return generuj(plan, t, o);
    }
    std::string read(const gen_result& r) { return cp1250_to_utf8(test::read_file(r.file)); }
};

TEST(Generation, PlainBodyBecomesOneRtfDocument) {
    ward_root w;
    gen_result r = w.run("Zażółć @_worker_surname {x}\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.file, w.plan.paths.printouts / "document.rtf");
    std::string rtf = w.read(r);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("Za\\'bf\\'f3\\'b3\\'e6 {\\b Kowalska} \\{x\\}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fs20"), std::string::npos);
    // The page setup is the line before the closing brace.
    EXPECT_NE(rtf.find(std::string(kRtfPageSetup) + "\r\n}\r\n"), std::string::npos);
    EXPECT_EQ(w.plan.options.recentTemplates[0], (w.plan.paths.templates / "t.wzr").string());
    remember_template(w.plan, "/x/autosave.wzr");
    remember_template(w.plan, "/a.wzr");
    remember_template(w.plan, "/b.wzr");
    remember_template(w.plan, "/a.wzr");
    remember_template(w.plan, "/c.wzr");
    remember_template(w.plan, "/d.wzr");
    EXPECT_EQ(w.plan.options.recentTemplates, (std::array<std::string, 4>{"/d.wzr", "/c.wzr", "/a.wzr", "/b.wzr"}));
    EXPECT_TRUE(w.plan.printoutFiles.count(r.file.string()));
}

TEST(Generation, HtmlRosterWithWorkersDaysAndDuties) {
    ward_root w;
    test::add_duty(w.plan, 0, 2, 450, 720, 1);
    test::add_duty(w.plan, 1, 2, 420, 720, 1);
    test::add_duty(w.plan, 1, 4, 1140, 720, 2);
    gen_result r = w.run(
        "<HEADER>\n<TYPE>htm</TYPE>\n<FILE_NAME>grafik @_group_nick</FILE_NAME>\n</HEADER>\n"
        "<table>\n<_prac sort=\"name\"><tr><td>@_prac_nazwisko</td>"
        "<_day><td>@_1n_dzien_symbol|<_duty>[@_duty_from:]</duty></td></day></tr></prac>\n</table>\n"
        "<_duty>never</duty>\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.file.filename(), "grafik PIE.htm");
    std::string html = w.read(r);
    EXPECT_EQ(html.find("never"), std::string::npos);  // a duty outside worker and day
    EXPECT_NE(html.find("[07:30]"), std::string::npos);
    EXPECT_NE(html.find("[19:00]"), std::string::npos);
    // Sorted by surname: Kowalska, Nowak, Wiśniewska, Zając.
    size_t k = html.find("Kowalska"), n = html.find("Nowak"), wi = html.find("Wiśniewska"), z = html.find("Zając");
    ASSERT_NE(z, std::string::npos);
    EXPECT_LT(k, n);
    EXPECT_LT(n, wi);
    EXPECT_LT(wi, z);
}

TEST(Generation, PageHeaderTurnsTheHtmlPrintoutsPageOnly) {
    ward_root w;
    gen_result r = w.run(
        "<HEADER>\n<TYPE>htm</TYPE>\n<PAGE>landscape</PAGE>\n<FILE_NAME>a</FILE_NAME>\n</HEADER>\n"
        "<html><head><style>@page{size:portrait}</style></head><body>@_group_nick</body></html>\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(css_page_orientation(w.read(r)), page_orientation::landscape);
    // Without the header key the printout is left as the template wrote it.
    r = w.run("<HEADER>\n<TYPE>htm</TYPE>\n<FILE_NAME>b</FILE_NAME>\n</HEADER>\n<html><head></head></html>\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(w.read(r), "<html><head></head></html>");
    // A text printout has no page rules to carry it.
    r = w.run("<HEADER>\n<TYPE>txt</TYPE>\n<PAGE>landscape</PAGE>\n<FILE_NAME>c</FILE_NAME>\n</HEADER>\nx\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(w.read(r), "x");
}

TEST(Generation, SortByNameWithAndWithoutQuotesAgree) {
    ward_root a, b;
    gen_result ra = a.run("<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n<_prac sort=\"name\">@_worker_nick </prac>");
    gen_result rb = b.run("<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n<_worker sort=name>@_worker_nick </worker>");
    EXPECT_EQ(a.read(ra), b.read(rb));
}

TEST(Generation, WorkersOfADayByTheirFirstDuty) {
    ward_root w;
    test::add_duty(w.plan, 0, 0, 1140, 720, 2);
    test::add_duty(w.plan, 2, 0, 420, 720, 1);
    test::add_duty(w.plan, 1, 0, 600, 300, 1);
    gen_result r = w.run(
        "<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n@_clear_auto_eols"
        "<_day><_worker sort=duty_from>@_worker_nick </worker>|eol|</day>");
    ASSERT_TRUE(r.ok);
    std::string text = w.read(r);
    EXPECT_EQ(text.substr(0, 11), "CZ BN AK \r\n");
}

TEST(Generation, TextLineBreaksOnlyAtEolMarkers) {
    ward_root w;
    gen_result r = w.run(
        "<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n@_clear_auto_eols\n"
        "<_worker>\n@_worker_nick\n;|eol|\n</worker>\nkoniec\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(w.read(r), "AK;\r\nBN;\r\nCZ;\r\nDW;\r\nkoniec");
}

TEST(Generation, OvertimeListKeepsOnlyDutiesWithOvertime) {
    ward_root w;
    test::add_duty(w.plan, 0, 3, 420, 720, 1);
    test::add_duty(w.plan, 0, 4, 420, 720, 1);
    test::add_duty(w.plan, 0, 5, 420, 720, 1);
    w.plan.workers[0].months[0].duties[3][0].overtime = 60;
    w.plan.workers[0].months[0].duties[5][0].overtime = 30;
    w.plan.workers[0].months[0].duties[5][0].medical = true;
    const std::string head = "<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n@_clear_auto_eols";
    // "|" does not end a name, so the marker follows a blank.
    const std::string body = "<_prac><_dzien><_nadgodz>@_day_no/@_duty_overtime: |eol|</nadgodz></dzien></prac>";
    EXPECT_EQ(w.read(w.run(head + body)), "4/01:00 \r\n6/00:30 \r\n");
    EXPECT_EQ(w.read(w.run(head + "@_without_medical_duty_overtime" + body)), "4/01:00 \r\n");
}

TEST(Generation, OnlyApprovedPlansPrintIntoTheLocalFolder) {
    ward_root w;
    w.plan.paths.printouts = w.dir / "server" / "wydruki";
    w.plan.options.net.PrintoutOnlyAccepted = true;
    EXPECT_EQ(w.run("x").file.parent_path(), w.dir / "wydruki");
    w.plan.approvedStatus = 1;
    EXPECT_EQ(w.run("x").file.parent_path(), w.dir / "server" / "wydruki");
}

TEST(Generation, HostileTemplatesStillGiveADocumentInsideTheFolder) {
    ward_root w;
    for (const char* name : {"..", "../../escape", "a/b:c", "..\\..\\x", "/abs/path", "@_worker_nick/.."}) {
        gen_result r = w.run(std::string("<HEADER>\n<FILE_NAME>") + name + "</FILE_NAME>\n<TYPE>../</TYPE>\n</HEADER>\nx");
        ASSERT_TRUE(r.ok) << name;
        EXPECT_EQ(r.file.parent_path(), w.plan.paths.printouts) << name;
    }
    // Unclosed tags, unknown variables, self-nesting, a bad font size and a
    // condition on text.
    gen_result r = w.run(
        "<HEADER>\n<FONT_SIZE>abc</FONT_SIZE>\n<TYPE>txt</TYPE>\n</HEADER>\n"
        "a @_no_such_var b <_worker>@_worker_nick <_worker>x</worker>\n"
        "<_day>@_day_no <_day>@_day_no</day></day>\n<_shift>@_worker_nick|'t'|'n'|'>x'\n");
    ASSERT_TRUE(r.ok);
    std::string text = w.read(r);
    EXPECT_NE(text.find("a  b"), std::string::npos);
}

TEST(Generation, FiveMegabyteTemplateInBoundedTime) {
    ward_root w;
    std::string body = "<HEADER>\n<TYPE>htm</TYPE>\n</HEADER>\n";
    while (body.size() < (5u << 20)) body += "<p>@_worker_surname @_nope <_x> tekst</p>\n";
    auto start = std::chrono::steady_clock::now();
    gen_result r = w.run(body);
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(r.ok);
    EXPECT_LT(secs, 60.0);
}

TEST(Generation, MissingTemplateWritesNothing) {
    ward_root w;
    gen_result r = generuj(w.plan, w.dir / "none.wzr");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(w.plan.options.recentTemplates[0], "");
    EXPECT_FALSE(std::filesystem::exists(w.plan.paths.printouts));
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

TEST(GenerationTags, DayOffUnderTheSelectedCellAndDayOffKinds) {
    ward_root w;
    test::add_day_off(w.plan, 1, 9, 11, 'u');
    w.plan.currentWorker = 1;
    w.plan.selectedCellDay = 10;
    gen_result r = w.run(
        "<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n@_clear_auto_eols"
        "<_wolne>@_day_no/@_dayoff_type; </wolne>|eol|<_wolne_opis>@_dayoff_desc_symbol/</wolne_opis>");
    ASSERT_TRUE(r.ok);
    std::string text = w.read(r);
    EXPECT_EQ(text.substr(0, 22), "10/u; 11/u; 12/u; \r\n /");
    EXPECT_NE(text.find("/U/A/A/"), std::string::npos);
}

TEST(GenerationTags, StandardDutyRowsAndShiftLists) {
    ward_root w;
    test::add_duty(w.plan, 0, 0, 420, 455, 1);
    test::add_duty(w.plan, 1, 0, 480, 455, 1);
    test::add_duty(w.plan, 2, 1, 420, 455, 1);
    test::add_duty(w.plan, 2, 0, 1140, 720, 2);
    gen_result r = w.run(
        "<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n@_clear_auto_eols"
        "<_dyzur8od>@_shift_duty8_from:-@_shift_duty8_to: <_day>[@_shift_duty_to]</day>|eol|</dyzur8od>"
        "<_zmiana>@_shift_symbol <_day>[@_shift_duty_to]</day>|eol|</zmiana>");
    ASSERT_TRUE(r.ok);
    std::string text = w.read(r);
    EXPECT_EQ(text.rfind("07:00-14:35 [AK][CZ][]", 0), 0u) << text;
    EXPECT_NE(text.find("\r\n08:00-15:35 [BN][]"), std::string::npos);
    EXPECT_NE(text.find("\r\nN [CZ][]"), std::string::npos);
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

TEST(GenerationLimits, RepeatedLargeBodyIsCutAtTheOutputLimit) {
    ward_root w;
    std::string big(60 * 1024, 'x');
    gen_options o;
    o.maxOutputBytes = 1u << 20;
    gen_result r = w.run("<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n<_worker><_day>" + big + "</day></worker>", o);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.truncated);
    EXPECT_LE(std::filesystem::file_size(r.file), o.maxOutputBytes + big.size());
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

// Groups of an RTF text balance and never close more than they opened.
bool rtf_balanced(const std::string& rtf) {
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;  // an escaped character or the first letter of a control word
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}' && --depth < 0) return false;
    }
    return depth == 0;
}

TEST(RtfWriter, EscapesAndBalancesWhateverTheTextHolds) {
    rtf_writer w;
    w.set_font("Times {New} \\Roman;", 0);
    w.text("a{b}c\\d\n€ ż \xE2\x98\x83 \t", false);
    w.text("}}}{", true);
    std::string all;
    for (const std::string& l : w.lines()) all += l + "\n";
    EXPECT_TRUE(rtf_balanced(all)) << all;
    EXPECT_NE(all.find("a\\{b\\}c\\\\d\\par"), std::string::npos);
    EXPECT_NE(all.find("\\'80 \\'bf \\u9731? \\tab "), std::string::npos) << all;
    EXPECT_NE(all.find("{\\b \\}\\}\\}\\{}"), std::string::npos);
    EXPECT_NE(all.find("Times New Roman;"), std::string::npos);
    EXPECT_NE(all.find("\\fs20"), std::string::npos);
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

TEST(GenerationFilters, OnlyWorkersWithWorkedTimeAndDutiesOfTheGroup) {
    ward_root w;
    test::add_day_off(w.plan, 2, 5, 5, 'u');  // the summaries run again before the repetition
    test::add_duty(w.plan, 0, 1, 420, 720, 1);
    test::add_duty(w.plan, 0, 2, 420, 720, 1, 2);  // placed in the other group
    w.plan.workers[0].months[0].duties[1][0].dutyAs = 2;
    gen_options only;
    only.onlyWorked = true;
    const std::string head = "<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n@_clear_auto_eols";
    EXPECT_EQ(w.read(w.run(head + "<_worker>@_worker_nick </worker>", only)), "AK CZ ");
    EXPECT_EQ(w.read(w.run(head + "<_worker>@_worker_nick </worker>")), "AK BN CZ DW ");
    // Duties of another group only with them included; unticked kinds never.
    const std::string duties = head + "<_worker><_day><_duty>@_day_no </duty></day></worker>";
    EXPECT_EQ(w.read(w.run(duties)), "2 ");
    gen_options all;
    all.allGroups = true;
    EXPECT_EQ(w.read(w.run(duties, all)), "2 3 ");
    w.plan.dutyAsFilter[1] = false;
    EXPECT_EQ(w.read(w.run(duties, all)), "3 ");
}

TEST(Generation, StaffingFiguresAreCountedForTheShownGroup) {
    ward_root w;
    test::add_duty(w.plan, 0, 2, 420, 720, 1);
    test::add_duty(w.plan, 1, 2, 420, 720, 1);
    test::add_duty(w.plan, 2, 2, 1140, 720, 2);
    test::add_duty(w.plan, 3, 2, 420, 720, 1, 2);  // another group's
    // Nothing was counted before the printout, as after opening a month in the window.
    const gen_result r = w.run("<_day>@_day_no @_day_duties_count0;</day>");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_NE(w.read(r).find("{\\b 2} {\\b 0};\\par\r\n{\\b 3} {\\b 3};\\par"), std::string::npos) << w.read(r);
}

}  // namespace
}  // namespace planek
