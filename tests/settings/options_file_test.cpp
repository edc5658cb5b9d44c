#include "settings/options_file.h"

#include <algorithm>
#include <optional>
#include <set>

#include "core/text.h"
#include "settings/language.h"
#include "settings/net_settings.h"
#include "settings/option_values.h"
#include "settings_fixture.h"

namespace planek::test {
namespace {

using OptionsFile = SettingsTest;

// What the options' save did, or nothing when it was refused.
std::optional<SaveOptionsResult> saved_kind(Plan& plan) {
    const result<SaveOptionsResult> saved = sb_SaveClick(plan);
    if (!saved) return std::nullopt;
    return *saved;
}

bool has(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

TEST_F(OptionsFile, MissingFileGivesTheDefaults) {
    EXPECT_TRUE(czytaj_opcje(plan, "opcje").empty());
    const Options& o = plan.options;
    EXPECT_EQ(o.wydruki.ng_od, 19 * 60);
    EXPECT_EQ(o.wydruki.ng_do, 7 * 60);
    EXPECT_EQ(o.wydruki.ng_powyzej, 120);
    EXPECT_EQ(o.wydruki.noc_od, 22 * 60);
    EXPECT_EQ(o.wydruki.noc_do, 8 * 60);
    EXPECT_EQ(o.wydruki.doba_od, 0);
    EXPECT_TRUE(o.wydruki.ng_swieto);
    EXPECT_FALSE(o.wydruki.ng_wolne_za_swieto);
    EXPECT_EQ(o.glowne.autosave, 10);
    EXPECT_EQ(o.glowne.autoarchiving, 90);
    EXPECT_EQ(o.glowne.last_backup, (civil_date{2026, 3, 15}));
    EXPECT_EQ(o.glowne.dyz8, 455);
    EXPECT_EQ(o.glowne.dyz12, 720);
    EXPECT_EQ(o.warnings, warnings_options{});
    EXPECT_TRUE(plan.dutySymbols.empty());
    ASSERT_EQ(plan.dutyAs.size(), 4u);
    EXPECT_EQ(plan.dutyAs[0].name, "Etat");
    EXPECT_EQ(plan.dutyAs[2].symbol, 'Z');
    EXPECT_EQ(plan.dutyAs[3].color, rgb(0, 128, 0));

    ASSERT_EQ(o.dayOffKinds.size(), 24u);
    EXPECT_EQ(o.dayOffKinds[0].code, "ż");
    int settable = 0;
    for (const day_off_kind& k : o.dayOffKinds) {
        settable += k.settable;
        EXPECT_EQ(k.countsTowardNorm(), k.settable) << k.code;
    }
    EXPECT_EQ(settable, 18);
    EXPECT_EQ(o.dayOffKinds[size_t(o.dayOffKindIndex("a"))].symbol, "Q");
    EXPECT_EQ(o.dayOffKinds[size_t(o.dayOffKindIndex("k"))].symbol, "O");
}

TEST_F(OptionsFile, BadValuesFallBackAndAreNamed) {
    putConfig(
        "[glowne]\nsymbol_width=15\nsymbol_height=161\nsymbol_font_height=99\nautosave=ten\n"
        "last_backup=yesterday\nCalendarDisplay=7\nautobackup=yes\ndyz8=-5\nAutomatSeconds=0\n"
        "[wydruki]\nng_od=99:99\nng_do=25:00\nnoc_od=7\nng_powyzej=03:30\n"
        "[warnings]\nvStaffBiggerPercent=50\nvWorkSundaysMaxCount=11\nvDutyTooLong=x\nStaffLess=0\n");
    std::vector<std::string> ignored = czytaj_opcje(plan, "opcje");
    const Options& o = plan.options;
    EXPECT_EQ(o.glowne.symbol_width, 16);
    EXPECT_EQ(o.glowne.symbol_height, 16);
    EXPECT_EQ(o.glowne.symbol_font_height, 8);
    EXPECT_EQ(o.glowne.autosave, 10);
    EXPECT_EQ(o.glowne.last_backup, (civil_date{2026, 3, 15}));
    EXPECT_EQ(o.glowne.CalendarDisplay, 0);
    EXPECT_FALSE(o.glowne.autobackup);  // only "1" is on
    EXPECT_EQ(o.glowne.dyz8, 455);
    EXPECT_EQ(o.glowne.automatSeconds, 5);
    EXPECT_EQ(o.wydruki.ng_od, 19 * 60);
    EXPECT_EQ(o.wydruki.ng_do, 7 * 60);
    EXPECT_EQ(o.wydruki.noc_od, 22 * 60);
    EXPECT_EQ(o.wydruki.ng_powyzej, 210);  // a good value among bad ones is taken
    EXPECT_EQ(o.warnings.vStaffBiggerPercent, 200);
    EXPECT_EQ(o.warnings.vWorkSundaysMaxCount, 3);
    EXPECT_EQ(o.warnings.vDutyTooLong, 720);
    EXPECT_FALSE(o.warnings.StaffLess);
    for (const char* key : {"glowne.symbol_width", "glowne.symbol_height", "glowne.autosave", "glowne.last_backup",
                            "glowne.CalendarDisplay", "glowne.autobackup", "glowne.AutomatSeconds", "wydruki.ng_od", "wydruki.ng_do",
                            "wydruki.noc_od", "warnings.vStaffBiggerPercent", "warnings.vDutyTooLong"})
        EXPECT_TRUE(has(ignored, key)) << key;
    EXPECT_FALSE(has(ignored, "wydruki.ng_powyzej"));
    EXPECT_FALSE(has(ignored, "warnings.StaffLess"));
}

TEST_F(OptionsFile, FlagsAreOnOnlyForOne) {
    // Sunday overtime at 100 % and the day-off-for-holiday rule are on by
    // default; a value that is not "1" turns them off, it never keeps them on.
    putConfig("[wydruki]\nng_swieto=tak\nng_dyzur0=2\nng_wolne_za_swieto= 1 \n"
              "[warnings]\n2Nigths=true\nStaffLess=1\n[glowne]\nautobackup=0\nDeletePrintoutsFilesAfterClose=-1\n");
    std::vector<std::string> ignored = czytaj_opcje(plan, "opcje");
    const Options& o = plan.options;
    EXPECT_FALSE(o.wydruki.ng_swieto);
    EXPECT_FALSE(o.wydruki.ng_dyzur0);
    EXPECT_TRUE(o.wydruki.ng_wolne_za_swieto);
    EXPECT_FALSE(o.warnings.Nights2);
    EXPECT_TRUE(o.warnings.StaffLess);
    EXPECT_FALSE(o.glowne.autobackup);
    EXPECT_FALSE(o.glowne.DeletePrintoutsFilesAfterClose);
    for (const char* key : {"wydruki.ng_swieto", "wydruki.ng_dyzur0", "warnings.2Nigths",
                            "glowne.DeletePrintoutsFilesAfterClose"})
        EXPECT_TRUE(has(ignored, key)) << key;

    plan.options.net.HideNetworkTab = false;
    put("dane/net.ini", "[net]\nTemplate=2\nConfig=tak\nHideNetworkTab=1\n");
    plan.options.net.Template = plan.options.net.Config = true;
    read_net_options(plan);
    EXPECT_FALSE(plan.options.net.Template);
    EXPECT_FALSE(plan.options.net.Config);
    EXPECT_TRUE(plan.options.net.HideNetworkTab);
}

TEST_F(OptionsFile, SavedOptionsTakeEffectWithoutARestart) {
    int applied = 0;
    plan.hooks.options.applied = [&](const Plan& p) {
        ++applied;
        EXPECT_EQ(p.options.glowne.autosave, 4);
    };
    plan.options.glowne.autosave = 4;
    // A client of a server, whose administrator hides the network page.
    std::filesystem::create_directories(dir.path() / "serwer");
    plan.options.net.ServerPath = (dir.path() / "serwer").string();
    plan.options.networkPageVisible = true;
    plan.options.net.HideNetworkTab = true;
    ASSERT_EQ(saved_kind(plan), SaveOptionsResult::Saved);
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(plan.options.networkPageVisible);  // hidden from now on, not from the next start
}

TEST_F(OptionsFile, SymbolSizesAtTheLimitsAreKept) {
    putConfig("[glowne]\nsymbol_width=160\nsymbol_height=16\n");
    EXPECT_TRUE(czytaj_opcje(plan, "opcje").empty());
    EXPECT_EQ(plan.options.glowne.symbol_width, 160);
    EXPECT_EQ(plan.options.glowne.symbol_height, 16);
}

TEST_F(OptionsFile, LastBackupDateForms) {
    EXPECT_EQ(parse_option_date("2025-12-01"), (civil_date{2025, 12, 1}));
    EXPECT_EQ(parse_option_date("01.12.2025"), (civil_date{2025, 12, 1}));
    EXPECT_EQ(parse_option_date("29-02-2024"), (civil_date{2024, 2, 29}));
    EXPECT_FALSE(parse_option_date("29-02-2025"));
    EXPECT_FALSE(parse_option_date("2025-13-01"));
    EXPECT_FALSE(parse_option_date(""));
    EXPECT_FALSE(parse_option_date("2025-1-1-1"));
    putConfig("[glowne]\nlast_backup=2025-12-01\n");
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.options.glowne.last_backup, (civil_date{2025, 12, 1}));
}

TEST_F(OptionsFile, TimeValues) {
    EXPECT_EQ(parse_option_time("07:00"), 420);
    EXPECT_EQ(parse_option_time("7:05"), 425);
    EXPECT_EQ(parse_option_time("35:00"), 2100);
    EXPECT_FALSE(parse_option_time("12:60"));
    EXPECT_FALSE(parse_option_time("24:00", 24 * 60 - 1));
    EXPECT_FALSE(parse_option_time("-1:00"));
    EXPECT_FALSE(parse_option_time("100:00"));
    EXPECT_FALSE(parse_option_time("12"));
    EXPECT_FALSE(parse_option_time("12:3"));
    EXPECT_EQ(option_time_text(120), "02:00");
    EXPECT_EQ(option_time_text(2100), "35:00");
}

TEST_F(OptionsFile, UserDutySymbols) {
    putConfig(
        "[symbole_dyz_uzytk]\n"
        "1=-1¤-1¤-1¤X\n"     // any start, any length: never loaded
        "2=420¤-1¤-1¤R\n"    // every duty starting at 7:00
        "3=¤-1¤0¤E\n"        // empty start with any length: skipped
        "4=480¤¤-1¤L\n"      // empty length: any length with an empty field, skipped
        "5=abc¤60¤0¤G\n"     // not a number: ignored and named
        "6=0¤720¤60¤N\n"
        "8=0¤60¤0¤after a gap\n");  // reading stops at the missing 7
    std::vector<std::string> ignored = czytaj_opcje(plan, "opcje");
    const auto& s = plan.dutySymbols;
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].start, 420);
    EXPECT_EQ(s[0].length, -1);
    EXPECT_EQ(s[0].symbol, "R");
    EXPECT_EQ(s[1].length, 720);
    EXPECT_EQ(s[1].overtime, 60);
    EXPECT_EQ(s[1].symbol, "N");
    EXPECT_TRUE(has(ignored, "symbole_dyz_uzytk.5"));
}

TEST_F(OptionsFile, DutyAsEntriesKeepDefaultsForMissingFields) {
    putConfig("[dyzur_jako]\n1=Umowa o pracę\n2=Kontrakt B2B¤B¤$000000FF\n3=¤¤clRed\n4=Inna¤Ż¤notacolour\n");
    std::vector<std::string> ignored = czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.dutyAs[0].name, "Umowa o pracę");
    EXPECT_EQ(plan.dutyAs[0].symbol, 'E');
    EXPECT_EQ(plan.dutyAs[0].color, rgb(255, 255, 255));
    EXPECT_EQ(plan.dutyAs[1].symbol, 'B');
    EXPECT_EQ(plan.dutyAs[1].color, rgb(255, 0, 0));
    EXPECT_EQ(plan.dutyAs[2].name, "Umowa-zlecenie");
    EXPECT_EQ(plan.dutyAs[2].color, rgb(255, 0, 0));
    EXPECT_EQ(plan.dutyAs[3].symbol, 'I');  // one byte holds no "Ż"
    EXPECT_EQ(plan.dutyAs[3].color, rgb(0, 128, 0));
    EXPECT_TRUE(has(ignored, "dyzur_jako.4"));
}

TEST_F(OptionsFile, OnlyTheTickGlyphCountsAndFixedKindsAreNotRead) {
    putConfig("[urlop_normatyw]\nu=1\nm=¨\nw=ţ\nn=ţ\n9=ţ\ns=\n[urlop_symbol]\nu=UW\nż=X\n1= \n");
    czytaj_opcje(plan, "opcje");
    auto kind = [&](const char* code) { return plan.options.dayOffKinds[size_t(plan.options.dayOffKindIndex(code))]; };
    EXPECT_EQ(kind("u").normatyw, "1");  // shown as stored...
    EXPECT_FALSE(kind("u").countsTowardNorm());  // ...but it is not the tick
    EXPECT_FALSE(kind("m").countsTowardNorm());
    EXPECT_TRUE(kind("w").countsTowardNorm());
    EXPECT_FALSE(kind("n").countsTowardNorm());
    EXPECT_EQ(kind("n").normatyw, "");
    EXPECT_FALSE(kind("9").countsTowardNorm());
    EXPECT_FALSE(kind("s").countsTowardNorm());
    EXPECT_TRUE(kind("z").countsTowardNorm());  // missing: default on
    EXPECT_EQ(kind("u").symbol, "UW");
    EXPECT_EQ(kind("1").symbol, " ");
    EXPECT_EQ(kind("ż").symbol, "X");
}

TEST_F(OptionsFile, RereadingRestoresDefaultsOfRemovedKeys) {
    putConfig("[wydruki]\nng_od=18:00\n[symbole_dyz_uzytk]\n1=420¤-1¤-1¤R\n");
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.options.wydruki.ng_od, 18 * 60);
    putConfig("[glowne]\n");
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.options.wydruki.ng_od, 19 * 60);
    EXPECT_TRUE(plan.dutySymbols.empty());
}

TEST_F(OptionsFile, GarbageFileReadsWithoutHarm) {
    std::string junk = "[glowne\nautosave\n=5\n[wydruki]\nng_od=12:3";  // truncated last line
    junk += "\n[glowne]\nfirma=" + std::string(2 * 1024 * 1024, 'x') + "\n";
    junk += "\x01\x02\xff\xfe\r\r\n[warnings]\nvStaffLess=5\n";
    write_file(plan.paths.data / "konfiguracja.ini", junk);
    std::vector<std::string> ignored = czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.options.glowne.autosave, 10);
    EXPECT_EQ(plan.options.wydruki.ng_od, 19 * 60);
    EXPECT_TRUE(has(ignored, "wydruki.ng_od"));
    EXPECT_EQ(plan.options.glowne.firma.size(), 2u * 1024 * 1024);
    EXPECT_EQ(plan.options.warnings.vStaffLess, 5);
}

// Every written value differs from its default, so a key that is not
// written or not read shows up.
void change_everything(Plan& plan) {
    Options& o = plan.options;
    glowne_options& g = o.glowne;
    g.autosave = 3;
    g.automatSeconds = 40;
    g.autoarchiving = 0;
    g.autobackup = false;
    g.DeletePrintoutsFilesAfterClose = true;
    g.miejscowosc = "Łódź";
    g.kod = "90-001";
    g.adres = "ul. Żeromskiego 1";
    g.vat_no = "123-456-78-90";
    g.firma = "Szpital Miejski\nOddział Wewnętrzny";
    g.symbol_8 = "8h";
    g.symbol_d = "Dd";
    g.symbol_other = "In";
    g.symbol_medical_duty = "Med";
    g.symbol_duty_as_overtime = "Ng";
    g.lang = 0;
    g.CalendarDisplay = 2;
    g.symbol_width = 40;
    g.symbol_height = 30;
    g.symbol_font_height = 12;
    wydruki_options& w = o.wydruki;
    w.ng_powyzej = 90;
    w.ng_od = 20 * 60;
    w.ng_do = 6 * 60;
    w.ng_swieto = false;
    w.ng_wolne_za_swieto = true;
    w.ng_dyzur0 = false;
    w.noc_od = 21 * 60;
    w.noc_do = 9 * 60;
    w.doba_od = 7 * 60;
    warnings_options& x = o.warnings;
    x.Nights2 = x.DutyNexttoDuty = x.DutyTooLong = x.DutyTooShort = x.NormativeExceeded = false;
    x.LacksDuties = x.WeekIntervalTooShort = x.WorkSundaysMaxCount = x.StaffLess = x.StaffBigger = false;
    x.StaffLessPercent = x.StaffBiggerPercent = x.DiscontinuosStaff = x.WeekWorkTime = false;
    x.vDutyNexttoDuty = 11 * 60;
    x.vDutyTooLong = 13 * 60;
    x.vDutyTooShort = 2 * 60;
    x.vNormativeExceeded = 5 * 60;
    x.vLacksDuties = 6 * 60;
    x.vWeekIntervalTooShort = 36 * 60;
    x.vWorkSundaysMaxCount = 4;
    x.vStaffLess = 2;
    x.vStaffBigger = 3;
    x.vStaffLessPercent = 50;
    x.vStaffBiggerPercent = 300;
    x.vWeekWorkTime = 20;
    o.autofilling.Occupations = "Ratownik¤Lekarz";
    o.autofilling.Educations = "Podstawowe";
    for (day_off_kind& k : o.dayOffKinds) {
        k.symbol = "S" + k.code;
        k.ownName = "Własna " + k.code;
        if (k.settable) k.normatyw = kNormatywOff;
    }
    plan.dutyAs[1] = dutyas_{"Kontrakt lekarski", 'L', rgb(1, 2, 3)};
    plan.dutySymbols = {dyz_symb_{420, -1, -1, "R"}, dyz_symb_{0, 720, 60, "N+"}};
}

TEST_F(OptionsFile, SaveThenReadKeepsEveryValue) {
    Plan reader;
    reader.paths = plan.paths;
    reader.clock = plan.clock;
    czytaj_opcje(plan, "opcje");
    czytaj_opcje(plan, "lang");
    change_everything(plan);
    ASSERT_EQ(saved_kind(plan), SaveOptionsResult::Saved);

    EXPECT_EQ(read_saved_language(reader), 0);
    EXPECT_TRUE(czytaj_opcje(reader, "opcje").empty());
    EXPECT_TRUE(czytaj_opcje(reader, "lang").empty());
    EXPECT_EQ(reader.options.glowne, plan.options.glowne);
    EXPECT_EQ(reader.options.wydruki, plan.options.wydruki);
    EXPECT_EQ(reader.options.warnings, plan.options.warnings);
    EXPECT_EQ(reader.options.autofilling, plan.options.autofilling);
    EXPECT_EQ(reader.options.dayOffKinds, plan.options.dayOffKinds);
    ASSERT_EQ(reader.dutyAs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reader.dutyAs[i].name, plan.dutyAs[i].name);
        EXPECT_EQ(reader.dutyAs[i].symbol, plan.dutyAs[i].symbol);
        EXPECT_EQ(reader.dutyAs[i].color, plan.dutyAs[i].color);
    }
    ASSERT_EQ(reader.dutySymbols.size(), 2u);
    EXPECT_EQ(reader.dutySymbols[1].length, 720);
    EXPECT_EQ(reader.dutySymbols[1].overtime, 60);
    EXPECT_EQ(reader.dutySymbols[1].symbol, "N+");
    // The memo keeps its line break without breaking the file's lines.
    EXPECT_NE(readUtf8(plan.paths.data / "konfiguracja.ini").find("firma=Szpital Miejski¤Oddział"),
              std::string::npos);
}

TEST_F(OptionsFile, TextTheFileCannotHoldIsRefusedWithTheOldFileKept) {
    putConfig("[glowne]\nfirma=Stara\n");
    plan.options.glowne.firma = "Klinika ☃";
    const result<SaveOptionsResult> saved = sb_SaveClick(plan);
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().text.find("☃"), std::string::npos);
    EXPECT_EQ(readUtf8(plan.paths.data / "konfiguracja.ini"), "[glowne]\nfirma=Stara\n");
}

TEST_F(OptionsFile, SavingReplacesTheUserSymbolsWhole) {
    putConfig("[symbole_dyz_uzytk]\n1=420¤-1¤-1¤R\n2=0¤60¤0¤A\n3=0¤120¤0¤B\n");
    czytaj_opcje(plan, "opcje");
    plan.dutySymbols.erase(plan.dutySymbols.begin());
    ASSERT_EQ(saved_kind(plan), SaveOptionsResult::Saved);
    czytaj_opcje(plan, "opcje");
    ASSERT_EQ(plan.dutySymbols.size(), 2u);
    EXPECT_EQ(plan.dutySymbols[0].symbol, "A");
    EXPECT_EQ(plan.dutySymbols[1].symbol, "B");
}

// Keys of a written file in order, as "section.key".
std::vector<std::string> written_keys(const std::string& text) {
    std::vector<std::string> keys;
    std::string section;
    for (std::string line : split_fields(text, "\n")) {
        line = trim(line);
        if (line.empty()) continue;
        if (line[0] == '[')
            section = line.substr(1, line.find(']') - 1);
        else
            keys.push_back(section + "." + line.substr(0, line.find('=')));
    }
    return keys;
}

TEST_F(OptionsFile, WrittenKeyOrder) {
    czytaj_opcje(plan, "opcje");
    plan.dutySymbols = {dyz_symb_{420, -1, -1, "R"}};
    ASSERT_EQ(saved_kind(plan), SaveOptionsResult::Saved);
    std::vector<std::string> keys = written_keys(readUtf8(plan.paths.data / "konfiguracja.ini"));

    std::vector<std::string> expected = {"normatyw.test"};
    for (const char* k : {"autosave", "autoarchiving", "autobackup", "DeletePrintoutsFilesAfterClose",
                          "miejscowosc", "kod", "adres", "vat_no", "firma", "symbol_8", "symbol_d", "symbol_other",
                          "symbol_medical_duty", "symbol_duty_as_overtime", "lang", "CalendarDisplay",
                          "symbol_width", "symbol_height", "symbol_font_height", "AutomatSeconds"})
        expected.push_back(std::string("glowne.") + k);
    expected.push_back("autofilling_polski.Occupations");
    expected.push_back("autofilling_polski.Educations");
    for (const char* k : {"ng_powyzej", "ng_od", "ng_do", "ng_swieto", "ng_wolne_za_swieto", "ng_dyzur0", "noc_od",
                          "noc_do", "doba_od"})
        expected.push_back(std::string("wydruki.") + k);
    for (int i = 1; i <= 4; ++i) expected.push_back("dyzur_jako." + std::to_string(i));
    for (const char* section : {"urlop_normatyw", "urlop_symbol", "urlop_nazwa"})
        for (const day_off_kind& k : default_day_off_kinds()) expected.push_back(std::string(section) + "." + k.code);
    for (const char* k : {"2Nigths", "DutyNexttoDuty", "vDutyNexttoDuty", "DutyTooLong", "vDutyTooLong",
                          "DutyTooShort", "vDutyTooShort", "NormativeExceeded", "vNormativeExceeded", "LacksDuties",
                          "vLacksDuties", "WeekIntervalTooShort", "vWeekIntervalTooShort", "WorkSundaysMaxCount",
                          "vWorkSundaysMaxCount", "StaffLess", "vStaffLess", "StaffBigger", "vStaffBigger",
                          "StaffLessPercent", "vStaffLessPercent", "StaffBiggerPercent", "vStaffBiggerPercent",
                          "DiscontinuosStaff", "WeekWorkTime", "vWeekWorkTime"})
        expected.push_back(std::string("warnings.") + k);
    expected.push_back("symbole_dyz_uzytk.1");
    EXPECT_EQ(keys, expected);

    std::string text = readUtf8(plan.paths.data / "konfiguracja.ini");
    EXPECT_NE(text.find("ng_powyzej=02:00"), std::string::npos);
    EXPECT_NE(text.find("u=ţ"), std::string::npos);
    EXPECT_NE(text.find("vWeekIntervalTooShort=35:00"), std::string::npos);
    EXPECT_EQ(text.find("dyz8"), std::string::npos);  // never written
}

TEST_F(OptionsFile, ServerConfigurationIsNeverWritten) {
    std::filesystem::path server = dir.path() / "server";
    write_file(server / "dane" / "konfiguracja.ini", "[wydruki]\r\nng_od=18:00\r\n");
    plan.options.net.ServerPath = server.string() + "\\";
    plan.options.net.Config = true;
    (void)PathsUpdate(plan);
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.options.wydruki.ng_od, 18 * 60);
    plan.options.wydruki.ng_od = 17 * 60;
    EXPECT_EQ(saved_kind(plan), SaveOptionsResult::ServerConfig);
    EXPECT_EQ(read_file(server / "dane" / "konfiguracja.ini"), "[wydruki]\r\nng_od=18:00\r\n");
    EXPECT_FALSE(std::filesystem::exists(plan.paths.data / "konfiguracja.ini"));
    // The network choice itself is the data folder's and is kept.
    EXPECT_TRUE(std::filesystem::exists(plan.paths.data / "net.ini"));
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(OptionsFile, MachineKeysComeFromTheDataFolder) {
    std::filesystem::path server = dir.path() / "server";
    write_file(server / "dane" / "konfiguracja.ini", "[windows]\r\nwindow_width=999\r\n[glowne]\r\nlast_backup=2020-01-01\r\n");
    plan.options.glowne.last_backup = {2026, 1, 2};
    plan.options.windows = windows_options{10, 20, 800, 600, false};
    plan.options.glowne.AutoCalcShifts = false;
    plan.options.wydruki.ReadAllGroup = true;
    ASSERT_TRUE(write_exit_options(plan));
    plan.options.recentProjects[0] = "/a/b.pnk¤/a/c.pnk";
    plan.options.programPath = "/a";
    ASSERT_TRUE(write_recent_files(plan));

    Plan reader;
    reader.paths = plan.paths;
    reader.clock = plan.clock;
    reader.options.net.ServerPath = server.string();
    reader.options.net.Config = true;
    (void)PathsUpdate(reader);
    ASSERT_FALSE(same_folder(reader.paths.config, reader.paths.data));
    czytaj_opcje(reader, "opcje");
    EXPECT_EQ(reader.options.windows, plan.options.windows);
    EXPECT_EQ(reader.options.glowne.last_backup, (civil_date{2026, 1, 2}));
    EXPECT_FALSE(reader.options.glowne.AutoCalcShifts);
    EXPECT_TRUE(reader.options.wydruki.ReadAllGroup);
    EXPECT_EQ(reader.options.recentProjects[0], "/a/b.pnk¤/a/c.pnk");
    EXPECT_EQ(reader.options.programPath, "/a");
}

TEST_F(OptionsFile, LanguageOptionsFollowTheLanguage) {
    putConfig(
        "[urlop_nazwa]\nu=Urlop zwykły\n[autofilling_polski]\nOccupations=Lekarz¤\n"
        "[autofilling_english]\nOccupations=Doctor¤\n");
    czytaj_opcje(plan, "lang");
    auto& kinds = plan.options.dayOffKinds;
    EXPECT_EQ(kinds[1].ownName, "Urlop zwykły");
    EXPECT_EQ(kinds[2].ownName, "Macierzyński");
    EXPECT_EQ(plan.options.autofilling.Occupations, "Lekarz¤");
    EXPECT_EQ(plan.options.autofilling.Educations, "Wyższe¤Średnie¤");
    plan.options.language = "english";
    plan.tr.set("MostUsedValues", "muv_Educations", "Higher¤Secondary");
    czytaj_opcje(plan, "lang");
    EXPECT_EQ(plan.options.autofilling.Occupations, "Doctor¤");
    EXPECT_EQ(plan.options.autofilling.Educations, "Higher¤Secondary");
}

// The shipped English texts in a plan, as a switch to English leaves them.
void switch_to_english(Plan& p) {
    ASSERT_TRUE(load_language_file(p.tr, std::filesystem::path(PLANEK_SOURCE_DIR) / "lang" / "english.lng"));
    p.options.language = "english";
    apply_day_off_names(p);
}

// Names left at their defaults are stored empty and follow a later change
// of language, also those an older copy stored in Polish; typed ones stay.
TEST_F(OptionsFile, DefaultNamesFollowTheLanguageAndTypedOnesStay) {
    czytaj_opcje(plan, "opcje");
    czytaj_opcje(plan, "lang");
    plan.options.dayOffKinds[2].ownName = "Rodzicielski długi";
    plan.dutyAs[1].name = "Kontrakt B2B";
    ASSERT_EQ(saved_kind(plan), SaveOptionsResult::Saved);
    const std::string written = readUtf8(plan.paths.data / "konfiguracja.ini");
    EXPECT_EQ(written.find("=Etat"), std::string::npos) << written;
    EXPECT_EQ(written.find("=" + plan.options.dayOffKinds[1].name), std::string::npos) << written;
    EXPECT_NE(written.find("=Rodzicielski długi"), std::string::npos);

    Plan english;
    english.paths = plan.paths;
    switch_to_english(english);
    czytaj_opcje(english, "opcje");
    czytaj_opcje(english, "lang");
    EXPECT_EQ(english.dutyAs[0].name, "Employment");
    EXPECT_EQ(english.dutyAs[1].name, "Kontrakt B2B");
    EXPECT_EQ(english.options.dayOffKinds[1].shownName(), "Annual leave");
    EXPECT_EQ(english.options.dayOffKinds[2].shownName(), "Rodzicielski długi");

    putConfig("[urlop_nazwa]\nu=" + default_day_off_kinds()[1].name + "\n[dyzur_jako]\n1=Etat¤E¤clWhite\n");
    czytaj_opcje(english, "opcje");
    czytaj_opcje(english, "lang");
    EXPECT_EQ(english.dutyAs[0].name, "Employment");
    EXPECT_EQ(english.options.dayOffKinds[1].shownName(), "Annual leave");
}

// The options dialog switching the language: what the user typed in the
// dialog stays, the defaults it showed become the new language's.
TEST_F(OptionsFile, ASwitchOfLanguageCarriesOnlyTypedNames) {
    czytaj_opcje(plan, "opcje");
    czytaj_opcje(plan, "lang");
    const std::vector<dutyas_> oldDefaults = default_duty_as(plan.tr);
    std::vector<day_off_kind> kinds = plan.options.dayOffKinds;
    std::vector<dutyas_> dutyAs = plan.dutyAs;
    kinds[3].ownName = "Urlop wychowawczy (3 lata)";
    dutyAs[2].name = "Zlecenie";
    switch_to_english(plan);
    carry_typed_names(plan, kinds, dutyAs, oldDefaults);
    EXPECT_EQ(plan.options.dayOffKinds[1].shownName(), "Annual leave");
    EXPECT_EQ(plan.options.dayOffKinds[3].shownName(), "Urlop wychowawczy (3 lata)");
    EXPECT_EQ(plan.dutyAs[0].name, "Employment");
    EXPECT_EQ(plan.dutyAs[2].name, "Zlecenie");
}

TEST_F(OptionsFile, NetworkFoldersAndServerRole) {
    EXPECT_TRUE(RunAsServer(plan));
    std::filesystem::path server = dir.path() / "server";
    plan.options.net.ServerPath = (dir.path() / "nowhere").string();
    plan.options.net.Template = true;
    EXPECT_TRUE(RunAsServer(plan));
    const result<> local = PathsUpdate(plan);
    EXPECT_TRUE(local.ok());  // the local folders are taken
    EXPECT_EQ(plan.paths.templates, plan.paths.root / "templates");
    ASSERT_EQ(local.notes.size(), 1u);
    EXPECT_NE(local.notes[0].text.find("Serwer nie został znaleziony"), std::string::npos);
    EXPECT_EQ(local.notes[0].file, (dir.path() / "nowhere").string());
    EXPECT_TRUE(ui->warnings.empty());

    std::filesystem::create_directories(server);
    plan.options.net.ServerPath = server.string();
    EXPECT_FALSE(RunAsServer(plan));
    (void)PathsUpdate(plan);
    EXPECT_EQ(plan.paths.templates, server / "templates");
    EXPECT_EQ(plan.paths.printouts, plan.paths.root / "wydruki");
    EXPECT_EQ(plan.paths.config, plan.paths.data);
    plan.options.net.HideNetworkTab = true;
    EXPECT_FALSE(network_page_visible(plan));

    std::filesystem::create_directories(plan.paths.root);
    plan.options.net.ServerPath = plan.paths.root.string() + "/";
    EXPECT_TRUE(RunAsServer(plan));
    EXPECT_TRUE(network_page_visible(plan));
}

TEST_F(OptionsFile, NetIniRoundTrip) {
    plan.options.net = net_options{"/srv/planek", true, true, false, true, true};
    ASSERT_TRUE(write_net_options(plan));
    Plan reader;
    reader.paths = plan.paths;
    EXPECT_TRUE(read_net_options(reader).empty());
    EXPECT_EQ(reader.options.net, plan.options.net);
    put("dane/net.ini", "[net]\nTemplate=tak\n");
    std::vector<std::string> ignored = read_net_options(reader);
    EXPECT_EQ(reader.options.net, net_options{});
    EXPECT_EQ(ignored, std::vector<std::string>{"net.Template"});
}

TEST(OptionsWithoutRoot, NothingIsReadOrWrittenInTheWorkingFolder) {
    TempDir dir;
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    write_file(dir / "konfiguracja.ini", "[wydruki]\r\nng_od=18:00\r\n");
    Plan plan;
    czytaj_opcje(plan, "opcje");
    EXPECT_EQ(plan.options.wydruki.ng_od, 19 * 60);
    const result<SaveOptionsResult> saved = sb_SaveClick(plan);
    ASSERT_FALSE(saved);
    EXPECT_FALSE(saved.error().text.empty());
    EXPECT_FALSE(write_exit_options(plan));
    EXPECT_FALSE(std::filesystem::exists(dir / "dane"));
    EXPECT_FALSE(std::filesystem::exists(dir / "net.ini"));
    std::filesystem::current_path(old);
}

TEST_F(OptionsFile, EffectiveOptionsListEveryKeyOnce) {
    czytaj_opcje(plan, "opcje");
    czytaj_opcje(plan, "lang");
    auto all = effective_options(plan);
    std::set<std::string> seen;
    for (const auto& [key, value] : all) EXPECT_TRUE(seen.insert(key).second) << key;
    EXPECT_TRUE(seen.count("glowne.dyz8"));
    EXPECT_TRUE(seen.count("wydruki.ReadAllGroup"));
    EXPECT_TRUE(seen.count("windows.window_state_max"));
    EXPECT_TRUE(seen.count("pliki_Templates.plik4"));
    EXPECT_TRUE(seen.count("urlop_nazwa.ż"));
    EXPECT_FALSE(seen.count("normatyw.test"));
    EXPECT_EQ(std::find(all.begin(), all.end(), std::pair<std::string, std::string>{"wydruki.ng_od", "19:00"}) - all.begin() < long(all.size()), true);
    EXPECT_FALSE(std::filesystem::exists(plan.paths.data / "konfiguracja.ini"));  // nothing written
}

}  // namespace
}  // namespace planek::test
