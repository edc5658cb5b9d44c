// The user's texts in HTML documents: escaped where they enter, while the
// template's markup and the markup the program builds stay as they are.
#include <gtest/gtest.h>

#include "core/cp1250.h"
#include "print_fixture.h"
#include "printouts/generation.h"
#include "printouts/html_text.h"
#include "printouts/roster_fragments.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

struct hostile_ward {
    test::TempDir dir;
    Plan plan = test::make_ward();
    hostile_ward() {
        plan.paths = Paths::local(dir.path());
        prac& w = plan.workers[0];
        w.surname = "Kowal&<b>ska</b>";
        w.firstName = "An\"na";
        w.nick = "A&K";
        w.occupation = "<i>pielęgniarka</i>";
        plan.groups[0].name = "Interna & <Chirurgia>";
        plan.groups[0].nick = "<G>";
        plan.groups[0].shifts[0].name = "Dzień <rano>";
        plan.groups[0].shifts[0].symbol = "D&";
        plan.months[0].days[2].note = "wizyta \"NFZ\" & <kontrola>";
        plan.options.glowne.firma = "Szpital <Św. Łukasza> & s-ka";
        test::add_duty(plan, 0, 2, 420, 720, 1);  // shift D: its symbol
        test::add_duty(plan, 0, 3, 450, 200, 1);  // off the shift: a time with markup
        plan.workers[0].months[0].duties[2][0].note = "<script>alert(1)</script>";
    }
    std::string run(const std::string& type, const std::string& body) {
        std::filesystem::path t = plan.paths.templates / "t.wzr";
        test::write_file(t, utf8_to_cp1250_lossy("<HEADER>\n<TYPE>" + type + "</TYPE>\n</HEADER>\n" + body));
        gen_result r = generuj(plan, t);
        EXPECT_TRUE(r.ok) << r.error;
        return cp1250_to_utf8(test::read_file(r.file));
    }
};

const char* kBody =
    "@_clear_auto_eols<p class=\"firma\">@_company</p><h1>@_group_name (@_group_nick)</h1>"
    "<_worker><td>@_worker_surname @_worker_name/@_worker_nick/@_worker_occupation</td>"
    "<_day><td>@_n1_day_symbol</td></day>|eol|</worker>"
    "<_zmiana>[@_shift_name/@_shift_symbol]</zmiana>|eol|"
    "<_worker><_day><_duty>[@_duty_note]</duty>"
    "[@_if_worker_has_duty|'@_worker_surname'|'']</day></worker>|eol|"
    "<_day>@_day_note</day>";

TEST(HtmlEscape, EveryFamilyEscapesTheUsersTextsInAnHtmlDocument) {
    hostile_ward w;
    w.plan.selectedCellDay = 2;
    const std::string html = w.run("htm", kBody);
    for (const char* raw : {"<b>ska", "<script>", "<Chirurgia>", "<G>", "<rano>", "\"NFZ\"", "<Św.", "An\"na",
                            "<i>piel", "A&K", "D&<", "D&/"})
        EXPECT_EQ(html.find(raw), std::string::npos) << raw << "\n" << html;
    for (const char* escaped :
         {"Kowal&amp;&lt;b&gt;ska&lt;/b&gt; An&quot;na/A&amp;K/&lt;i&gt;pielęgniarka&lt;/i&gt;",
          "<h1>Interna &amp; &lt;Chirurgia&gt; (&lt;G&gt;)</h1>", "<p class=\"firma\">Szpital &lt;Św. Łukasza&gt; &amp; s-ka</p>",
          "[Dzień &lt;rano&gt;/D&amp;]", "[&lt;script&gt;alert(1)&lt;/script&gt;]",
          "wizyta &quot;NFZ&quot; &amp; &lt;kontrola&gt;", "<td>D&amp;</td>"})
        EXPECT_NE(html.find(escaped), std::string::npos) << escaped << "\n" << html;
    // A yes/no text expanded on its own is escaped all the same.
    EXPECT_NE(html.find("[Kowal&amp;&lt;b&gt;ska&lt;/b&gt;]"), std::string::npos) << html;
    // A time the program writes keeps its own markup.
    EXPECT_NE(html.find("<td>7<sup>30</sup>-10<sup>50</sup></td>"), std::string::npos) << html;
}

TEST(HtmlEscape, TextDocumentsKeepTheTextsAsTyped) {
    hostile_ward w;
    const std::string text = w.run("txt", "@_clear_auto_eols<_worker>@_worker_surname/@_worker_nick;</worker>"
                                          "@_group_name<_worker><_day><_duty>[@_duty_note]</duty></day></worker>");
    EXPECT_NE(text.find("Kowal&<b>ska</b>/A&K;"), std::string::npos) << text;
    EXPECT_NE(text.find("Interna & <Chirurgia>"), std::string::npos) << text;
    EXPECT_NE(text.find("[<script>alert(1)</script>]"), std::string::npos) << text;
}

TEST(HtmlEscape, WhoWorksFragmentsEscapeNamesButKeepTheirMarkup) {
    Plan p = test::make_ward();
    p.workers[0].nick = "A&<K>";
    test::add_duty(p, 0, 2, 840, 300, 1);  // a top-up at 14:00: a span and a break
    test::add_duty(p, 0, 3, 420, 720, 1);  // shift D
    przygotuj_rozklad(p, false, true);
    EXPECT_EQ(p.days[2].whoList[0].lists[kKtoTopUp], "<span class=maly>14-19</span><br>A&amp;&lt;K&gt;");
    EXPECT_EQ(p.days[3].whoList[0].shifts[0], "A&amp;&lt;K&gt;");
    przygotuj_rozklad(p, false, false);
    EXPECT_EQ(p.days[3].whoList[0].shifts[0], "A&<K>");
    EXPECT_EQ(html_text("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d'");
}

}  // namespace
}  // namespace planek
