#include <gtest/gtest.h>

#include <chrono>

#include "core/cp1250.h"
#include "core/plan.h"
#include "printouts/tag_tree.h"
#include "printouts/template_file.h"
#include "printouts/template_text.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

using test::TempDir;
using test::write_file;

const std::string L = "\xE2\x80\xB9";  // ‹
const std::string R = "\xE2\x80\xBA";  // ›

void write_template(const std::filesystem::path& f, const std::string& utf8) {
    write_file(f, utf8_to_cp1250_lossy(utf8));
}

TEST(TemplateHeader, NoHeaderGivesFileNameTitleAndDocument) {
    TempDir dir;
    Plan plan;
    write_template(dir / "lista.wzr", "Tekst bez nagłówka\n");
    szablon t = info_plik(plan, dir / "lista.wzr");
    EXPECT_EQ(t.title, "lista.wzr");
    EXPECT_EQ(t.outputName, "document");
    EXPECT_EQ(t.type, "rtf");
    EXPECT_EQ(t.headerLines, 0);
    szablon missing = info_plik(plan, dir / "brak.wzr");
    EXPECT_EQ(missing.title, "brak.wzr");
}

TEST(TemplateHeader, KeysCommentsAndClosingLine) {
    TempDir dir;
    Plan plan;
    write_template(dir / "a.wzr",
                   "<HEADER>\n"
                   "<TITLE>Grafik oddziału</TITLE>\n"
                   "// <TITLE>ignored</TITLE>\n"
                   "<TYPE>HTML</TYPE>\n"
                   "<FONT_SIZE>12</FONT_SIZE>\n"
                   "<FONT_NAME>Times New Roman</FONT_NAME>\n"
                   "<FILE_NAME>a/b:c</FILE_NAME>\n"
                   "</HEADER>\n"
                   "body\n");
    szablon t = info_plik(plan, dir / "a.wzr");
    EXPECT_EQ(t.title, "Grafik oddziału");
    EXPECT_EQ(t.type, "htm");
    EXPECT_EQ(t.fontSize, 12);
    EXPECT_EQ(t.fontName, "Times New Roman");
    EXPECT_EQ(t.outputName, "a_b_c");
    EXPECT_EQ(t.headerLines, 8);
}

TEST(TemplateHeader, ThreeLineValueAndUnclosedHeader) {
    std::vector<std::string> lines = {"<HEADER>", "<TITLE>Pierwsza ", "druga ", "trzecia</TITLE> reszta",
                                      "</HEADER>"};
    szablon t;
    parse_header(lines, t, nullptr);
    EXPECT_EQ(t.title, "Pierwsza druga trzecia");
    EXPECT_EQ(t.headerLines, 5);

    szablon u;
    parse_header({"<HEADER>", "<TITLE>X</TITLE>", "body"}, u, nullptr);
    EXPECT_EQ(u.title, "X");
    EXPECT_EQ(u.headerLines, 0);  // never closed: nothing is taken off the body
}

TEST(TemplateHeader, BadFontSizeAndHostileFileNames) {
    szablon t;
    parse_header({"<HEADER>", "<FONT_SIZE>duży</FONT_SIZE>", "</HEADER>"}, t, nullptr);
    EXPECT_EQ(t.fontSize, kDefaultFontSize);
    EXPECT_EQ(czysc_nazwe_pliku(".."), "document");
    EXPECT_EQ(czysc_nazwe_pliku("../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(czysc_nazwe_pliku("..\\x"), ".._x");
    EXPECT_EQ(czysc_nazwe_pliku("a\nb"), "ab");
    EXPECT_EQ(czysc_nazwe_pliku("   "), "document");
}

TEST(TemplateDiscovery, ListsTemplatesRecursivelyInNameOrder) {
    TempDir dir;
    Plan plan;
    write_template(dir / "b.wzr", "<HEADER>\n<TITLE>Bee</TITLE>\n</HEADER>\n");
    write_template(dir / "a.wzr", "x");
    write_template(dir / "notes.txt", "x");
    write_template(dir / "sub.wzr" / "c.wzr", "x");
    write_template(dir / "plain" / "d.wzr", "x");  // folder not matching the mask
    auto list = ZnajdzPliki(plan, dir.path());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].title, "a.wzr");
    EXPECT_EQ(list[1].title, "Bee");
    EXPECT_EQ(list[2].title, "c.wzr");
}

TEST(TagConversion, AsciiBracketsBecomeAngleQuotesAndSplitLines) {
    auto out = konwertuj_tagi({"<tr><_day><td>@_day_no</td></day></tr>"}, "htm");
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], "<tr>");
    EXPECT_EQ(out[1], L + "_day" + R + "<td>@_day_no</td>" + L + "/day" + R);
    EXPECT_EQ(out[2], "</tr>");  // an unseen closing name stays HTML
    auto txt = konwertuj_tagi({"a", "", "b"}, "txt");
    EXPECT_EQ(txt.size(), 3u);
    auto htm = konwertuj_tagi({"a", "  ", "b"}, "htm");
    EXPECT_EQ(htm.size(), 2u);
}

TEST(TagExtraction, PartsNamesAndAttributes) {
    tag_parts p = wyciagnij_tag("  przed " + L + "_PRAC sort=\"name\"" + R + "ciało" + L + "/prac" + R + "po");
    EXPECT_TRUE(p.found);
    EXPECT_EQ(p.before, "przed");
    EXPECT_EQ(p.name, "worker");
    EXPECT_EQ(p.attrs, "sort=\"name\"");
    EXPECT_EQ(p.body, "ciało");
    EXPECT_EQ(p.after, "po");
    EXPECT_EQ(sort_attribute(p.attrs), "name");
    EXPECT_EQ(sort_attribute("sort=name"), "name");

    tag_parts none = wyciagnij_tag("no tags here");
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.before, "no tags here");
}

TEST(NameExtraction, DelimitersQuotesAndCase) {
    size_t len = 0;
    EXPECT_EQ(wyciagnij_nazwe("@_Worker_Surname, x", 2, &len), "worker_surname");
    EXPECT_EQ(len, 14u);
    EXPECT_EQ(wyciagnij_nazwe("@_duty_from:</td>", 2), "duty_from:");
    EXPECT_EQ(wyciagnij_nazwe("@_a|'tak, ok'|'nie'|'>=10' rest", 2), "a|'tak, ok'|'nie'|'>=10'");
    // Only the name before the first "|" loses its case.
    EXPECT_EQ(wyciagnij_nazwe("@_Prac_Suma_N|'T'|'N'|'>=5'", 2), "prac_suma_n|'T'|'N'|'>=5'");
    // Without a "|" a quote does not protect a blank.
    EXPECT_EQ(wyciagnij_nazwe("@_a'b c'", 2), "a'b");
    // "¤" keeps the case.
    EXPECT_EQ(wyciagnij_nazwe("@_Ab\xC2\xA4" "C", 2), "Ab\xC2\xA4" "C");
    // The angle quotes end a name as whole characters.
    EXPECT_EQ(wyciagnij_nazwe("@_day" + R + "x", 2), "day");
    EXPECT_EQ(wyciagnij_nazwe("@_day\xE2\x80\x9Dx", 2), "day");
}

TEST(NameExtraction, NamesFromTheLoweredLineMatchThoseLoweredOneByOne) {
    const std::string line = "<TD>@_Worker_Surname, @_If_X|'<TR>ŁÓDŹ @_Day_No'|''</TD> @_Ab\xC2\xA4" "C @_Zł";
    const std::string lowered = lower_text(line);
    for (size_t at = line.find("@_"); at != std::string::npos; at = line.find("@_", at + 2)) {
        size_t len = 0;
        const std::string one = wyciagnij_nazwe(line, at + 2, &len);
        EXPECT_EQ(name_length(line, at + 2), len);
        EXPECT_EQ(name_from_lowered(line, lowered, at + 2, len), one) << at;
        // Without a lowered line of the same length each name is lowered alone.
        EXPECT_EQ(name_from_lowered(line, "", at + 2, len), one) << at;
    }
}

TEST(NameExtraction, VariableSitesAreTheNamesAScanFindsInOrder) {
    const std::string line = "<TD>@_Worker_Surname, @_If_X|'<TR>ŁÓDŹ @_Day_No'|''</TD> @_Ab\xC2\xA4" "C @_Zł@_";
    const std::vector<var_site> sites = variable_sites(line, lower_text(line));
    std::vector<var_site> scanned;
    for (size_t at = line.find("@_"); at != std::string::npos;) {
        size_t len = 0;
        std::string name = wyciagnij_nazwe(line, at + 2, &len);
        scanned.push_back({at, len, name});
        // A variable's own text is not searched again: the day number in
        // the quoted text belongs to the condition.
        at = line.find("@_", at + 2 + len);
    }
    ASSERT_EQ(sites.size(), scanned.size());
    ASSERT_EQ(sites.size(), 5u);
    for (size_t i = 0; i < sites.size(); ++i) {
        EXPECT_EQ(sites[i].at, scanned[i].at) << i;
        EXPECT_EQ(sites[i].length, scanned[i].length) << i;
        EXPECT_EQ(sites[i].name, scanned[i].name) << i;
    }
    // The last "@_" names nothing; without the lowered line the names come out the same.
    EXPECT_EQ(sites.back().length, 0u);
    const std::vector<var_site> alone = variable_sites(line, "");
    ASSERT_EQ(alone.size(), sites.size());
    for (size_t i = 0; i < sites.size(); ++i) EXPECT_EQ(alone[i].name, sites[i].name) << i;
    EXPECT_TRUE(variable_sites("no variables here", "").empty());
}

std::string dump(const tag_tree& t, int parent = -1) {
    std::string s;
    for (int id : t.siblings(parent)) {
        const tag_node& n = t.nodes[id];
        s += "[" + n.caption + ":" + n.text;
        if (!n.children.empty()) s += "{" + dump(t, id) + "}";
        s += "]";
    }
    return s;
}

TEST(TagTree, NestingTextNodesAndSiblings) {
    tag_tree t;
    drzewo_kreator(t, "A" + L + "_worker" + R + "w" + L + "_day" + R + "d" + L + "/day" + R + "x" + L + "/worker" +
                          R + "B" + L + "_group" + R + "g" + L + "/group" + R + "C");
    EXPECT_EQ(dump(t), "[:A][worker:w{[day:d][0:x]}][:B][group:g][0:C]");
}

TEST(TagTree, SelfNestingAndUnclosedTagsStayBounded) {
    tag_tree t;
    drzewo_kreator(t, L + "_day" + R + "a" + L + "_day" + R + "b" + L + "/day" + R + "c" + L + "/day" + R);
    // The body runs to the first closing tag; the inner opening tag has no
    // closing tag of its own left.
    ASSERT_FALSE(t.roots.empty());
    EXPECT_EQ(t.nodes[t.roots[0]].caption, "day");
    EXPECT_EQ(t.nodes[t.roots[0]].text, "a");

    tag_tree u;
    drzewo_kreator(u, "x" + L + "_worker" + R + "rest of the text");
    EXPECT_EQ(dump(u), "[:x][0:rest of the text]");

    tag_tree v;
    drzewo_kreator(v, "x " + L + "_broken without end");
    EXPECT_EQ(dump(v), "[0:x " + L + "_broken without end]");
}

TEST(TagTree, DeepNestingIsCut) {
    std::string text, closing;
    for (int i = 0; i < 200; ++i) {
        text += L + "_t" + std::to_string(i) + R + "x";
        closing = L + "/t" + std::to_string(i) + R + closing;
    }
    tag_tree t;
    drzewo_kreator(t, text + closing);
    int maxDepth = 0;
    for (const tag_node& n : t.nodes) maxDepth = std::max(maxDepth, n.depth);
    EXPECT_LT(maxDepth, kMaxTagDepth);
}

TEST(TagTree, FiveMegabyteTemplateInBoundedTime) {
    std::string text;
    while (text.size() < 5u << 20) text += L + "_x" + R + "abc " + L + "_day" + R + "@_day_no" + L + "/day" + R + "\n";
    auto start = std::chrono::steady_clock::now();
    tag_tree t;
    drzewo_kreator(t, text);
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(t.nodes.size(), 100000u);
    EXPECT_LT(secs, 20.0);
}

TEST(BodyPreparation, HeaderCommentsAndEmptyTag) {
    szablon t;
    t.headerLines = 2;
    t.type = "txt";
    std::string body = przygotuj_tresc({"<HEADER>", "</HEADER>", "// comment", "plain text"}, t);
    EXPECT_EQ(body, "plain text" + L + "_" + R);
    tag_tree tree;
    drzewo_kreator(tree, body);
    EXPECT_EQ(dump(tree), "[:plain text][0:]");
}

}  // namespace
}  // namespace planek

#include "printouts/templates_dialog.h"

namespace planek {
namespace {

TEST(TemplatesDialog, SearchEditQuestionAndOptions) {
    std::vector<szablon> list(3);
    list[0].title = "Grafik miesięczny";
    list[1].title = "Karta pracy";
    list[2].title = "GRAFIK tekstowy";
    EXPECT_EQ(e_SearchChange(list, "grafik"), (std::vector<int>{0, 2}));
    EXPECT_EQ(e_SearchChange(list, "MIESIĘCZNY"), (std::vector<int>{0}));
    EXPECT_EQ(e_SearchChange(list, ""), (std::vector<int>{0, 1, 2}));

    Plan plan;
    EXPECT_EQ(template_edit_question(plan, "Grafik"),
              "Do edycji wybrano wzorzec: Grafik\n\nWprowadzone zmiany będą miały wpływ \nna wygląd generowanych "
              "dokumentów. \nCzy napewno przejść do edycji wzorca?");
    plan.tr.set("messages", "msg_DocumentTemplateEditQuestion", "Edit %s? %s %s %s");
    EXPECT_EQ(template_edit_question(plan, "X"), "Edit X\n\n? \n \n %s");

    plan.options.wydruki.ReadAllGroup = true;
    gen_options o = gen_options_from_settings(plan);
    EXPECT_TRUE(o.allGroups);
    EXPECT_FALSE(o.onlyWorked);
}

}  // namespace
}  // namespace planek
