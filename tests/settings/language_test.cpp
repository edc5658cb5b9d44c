#include "settings/language.h"

#include <cstdlib>

#include "core/text.h"
#include "settings/message_format.h"
#include "settings/options_file.h"
#include "settings_fixture.h"

namespace planek::test {
namespace {

using Language = SettingsTest;

// Sets an environment variable for the life of a test.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) old_ = v, had_ = true;
    }
    ~EnvGuard() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }
    void set(const char* v) { setenv(name_, v, 1); }
    void unset() { unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST_F(Language, LookupFallsBackAndIgnoresCase) {
    Translator tr;
    load_language_text(tr,
                       "[Messages]\r\nMSG_Hello=Hello %s\r\n  msg_Spaced  =  two words  \r\n"
                       "msg_Quoted=\"in quotes\"\r\nmsg_Hello=second copy\r\n[f_MainForm]\r\nf_MainForm=Planner\r\n"
                       "[main]\r\ncharset=238\r\n");
    EXPECT_EQ(tr.msg("msg_hello", "Cześć %s"), "Hello %s");
    EXPECT_EQ(tr.msg("msg_spaced", "x"), "two words");
    EXPECT_EQ(tr.msg("msg_Quoted", "x"), "in quotes");
    EXPECT_EQ(tr.msg("msg_Missing", "Brak"), "Brak");
    EXPECT_EQ(tr.tr("F_MAINFORM", "f_mainform", ""), "Planner");
    EXPECT_EQ(tr.tr("f_DutyAdd", "f_DutyAdd", "Dyżur"), "Dyżur");
    EXPECT_EQ(tr.trInt("main", "charset", 1), 238);
    EXPECT_EQ(tr.trInt("main", "missing", 1), 1);
    EXPECT_EQ(tr.trInt("messages", "msg_hello", 7), 7);
}

TEST_F(Language, BrokenFileKeepsTheGoodLines) {
    Translator tr;
    std::string text = "msg_before=no section\n[messages\nmsg_a=in a broken section\n[messages]\n";
    text += "=no key\nno equals sign\n" + std::string(2 * 1024 * 1024, 'q') + "\n\x01\x02\xff\n";
    text += "msg_good=Good\n[]\nmsg_empty=empty section name\n[h]\nsb_Ok=Confirm\nmsg_trunc=cut";
    load_language_text(tr, text);
    EXPECT_EQ(tr.msg("msg_good", "x"), "Good");
    EXPECT_EQ(tr.tr("h", "sb_Ok", ""), "Confirm");
    EXPECT_EQ(tr.tr("h", "msg_trunc", ""), "cut");
    EXPECT_EQ(tr.msg("msg_a", "default"), "default");
    EXPECT_EQ(tr.msg("msg_before", "default"), "default");
    EXPECT_EQ(tr.msg("msg_empty", "default"), "default");

    Translator none;
    EXPECT_FALSE(load_language_file(none, dir.path() / "missing.lng"));
}

TEST_F(Language, FirstStartFollowsTheSystemLanguage) {
    EnvGuard all("LC_ALL"), messages("LC_MESSAGES"), lang("LANG");
    all.unset();
    messages.unset();
    lang.set("pl_PL.UTF-8");
    EXPECT_EQ(system_language(), "polski");
    lang.set("pl");
    EXPECT_EQ(system_language(), "polski");
    lang.set("plt_XX");
    EXPECT_EQ(system_language(), "english");
    lang.set("de_DE.UTF-8");
    EXPECT_EQ(system_language(), "english");
    all.set("pl_PL");
    EXPECT_EQ(system_language(), "polski");  // LC_ALL wins
    all.unset();
    lang.unset();
    EXPECT_EQ(system_language(), "english");

    lang.set("pl_PL.UTF-8");
    put("lang/polski.lng", "[messages]\nmsg_X=x\n");
    EXPECT_TRUE(cb_LanguageChange(plan));
    EXPECT_EQ(plan.options.language, "polski");
    EXPECT_EQ(plan.options.appTitle, "PlanekPro");
    EXPECT_EQ(plan.options.glowne.lang, language_index("polski"));
}

TEST_F(Language, EnglishFileSwitchesTextsAndBack) {
    put("lang/english.lng",
        "[messages]\nmsg_LangFileMissing=Language file missing: %s%s\nmsg_CantFindServer=No server.%s\n"
        "[MostUsedValues]\nmuv_DayOffNames=No duty¤Annual¤Maternity\nmuv_DutyAsName=Job¤Contract¤Order¤Other\n"
        "muv_DutyAsSymbol=J¤C¤O¤X\nmuv_Educations=Higher¤Secondary¤\n");
    put("lang/polski.lng", "[messages]\n");
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    EXPECT_EQ(plan.options.appTitle, "ShiftloomPro");
    EXPECT_EQ(plan.tr.msg("msg_CantFindServer", "Serwer"), "No server.%s");
    auto& kinds = plan.options.dayOffKinds;
    EXPECT_EQ(kinds[0].name, "No duty");
    EXPECT_EQ(kinds[2].name, "Maternity");
    EXPECT_EQ(kinds[2].ownName, "Maternity");  // the language options were re-read
    EXPECT_EQ(kinds[3].name, "Wychowawczy");    // a short list keeps the rest
    EXPECT_EQ(plan.options.autofilling.Educations, "Higher¤Secondary¤");
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.dutyAs[1].name, "Contract");
    EXPECT_EQ(plan.dutyAs[3].symbol, 'X');

    ASSERT_TRUE(cb_LanguageChange(plan, language_index("polski")));
    EXPECT_EQ(plan.options.appTitle, "PlanekPro");
    EXPECT_EQ(plan.tr.msg("msg_CantFindServer", "Serwer"), "Serwer");
    EXPECT_EQ(kinds[0].name, "Dzień bez dyżuru");
}

TEST_F(Language, MissingFileWarnsAndKeepsTheTexts) {
    put("lang/english.lng", "[messages]\nmsg_LangFileMissing=Missing language file: %s%s\n");
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    const result<> missing = cb_LanguageChange(plan, language_index("polski"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text, "Missing language file: \n" + (plan.paths.lang / "polski.lng").string());
    EXPECT_EQ(missing.error().file, (plan.paths.lang / "polski.lng").string());
    // The library says nothing itself: the front end tells the user.
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_EQ(plan.options.language, "english");
    EXPECT_EQ(plan.tr.msg("msg_LangFileMissing", "x"), "Missing language file: %s%s");
}

TEST_F(Language, DayOffNamesNeedOneToTwentyFourEntries) {
    std::string names;
    for (int i = 0; i < 25; ++i) names += "N" + std::to_string(i) + "¤";
    put("lang/english.lng", "[MostUsedValues]\nmuv_DayOffNames=" + names + "\n");
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    EXPECT_EQ(plan.options.dayOffKinds[0].name, "Dzień bez dyżuru");
    EXPECT_EQ(plan.options.dayOffKinds[20].name, "");

    names.resize(names.size() - std::string("N24¤").size());  // 24 entries
    put("lang/english.lng", "[MostUsedValues]\nmuv_DayOffNames=" + names + "\n");
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    EXPECT_EQ(plan.options.dayOffKinds[0].name, "N0");
    EXPECT_EQ(plan.options.dayOffKinds[23].name, "N23");
}

TEST_F(Language, DutyAsListsCountOnlyWithFourEntries) {
    plan.tr.set("MostUsedValues", "muv_DutyAsName", "A¤B¤C");
    plan.tr.set("MostUsedValues", "muv_DutyAsSymbol", "A¤B¤C¤D¤E");
    std::vector<dutyas_> d = default_duty_as(plan.tr);
    EXPECT_EQ(d[0].name, "Etat");
    EXPECT_EQ(d[0].symbol, 'E');
}

TEST_F(Language, ValueEncodings) {
    std::vector<std::string> items = {"a", "b", "c"};
    apply_items(items, "A\nB");
    EXPECT_EQ(items, (std::vector<std::string>{"A", "B", "c"}));
    apply_items(items, "1\n2\n3\n4");
    apply_items(items, "");
    EXPECT_EQ(items[0], "1");
    EXPECT_EQ(items, (std::vector<std::string>{"1", "2", "3"}));

    std::string caption = "Pokaż:";
    std::vector<std::string> radio = {"wszystkich", "wybranego"};
    EXPECT_FALSE(apply_radio(caption, radio, "Show:"));
    EXPECT_EQ(caption, "Pokaż:");
    EXPECT_EQ(radio[0], "wszystkich");
    EXPECT_TRUE(apply_radio(caption, radio, "Show:\rall\nselected"));
    EXPECT_EQ(caption, "Show:");
    EXPECT_EQ(radio, (std::vector<std::string>{"all", "selected"}));

    std::vector<std::vector<std::string>> grid = {{"Lp.", "Nazwa"}, {"1", "x"}};
    apply_grid(grid, "No.\nName");
    EXPECT_EQ(grid[0], (std::vector<std::string>{"No.", "Name"}));
    EXPECT_EQ(grid[1], (std::vector<std::string>{"1", "x"}));

    // The file form: backslash sequences, quotes keeping blanks at the ends.
    EXPECT_EQ(decode_language_value("  Show: \\rall\\nselected  "), "Show: \rall\nselected");
    EXPECT_EQ(decode_language_value("\" :: Calendar \""), " :: Calendar ");
    EXPECT_EQ(decode_language_value("C:\\temp\\x"), "C:\\temp\\x");
    EXPECT_EQ(decode_language_value("\"one\" and \"two"), "\"one\" and \"two");

    EXPECT_EQ(multi_line("a¤b¤", "¤", "\n"), "a\nb\n");
    EXPECT_EQ(muv_entries("a¤b¤"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(fill_message("%s%s: %d%%", {"\n", "x", "5"}), "\nx: 5%");
    EXPECT_EQ(fill_message("%s and %s", {"one"}), "one and %s");
}

}  // namespace
}  // namespace planek::test
