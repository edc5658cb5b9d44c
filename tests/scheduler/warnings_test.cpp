// The warnings run as a whole: refusals, the file, the sort, the texts and
// rule i with the worked-Sundays record.
#include <gtest/gtest.h>

#include <map>

#include "core/cp1250.h"
#include "core/ini_file.h"
#include "files/sundays.h"
#include "warnings_fixture.h"

namespace planek::test {
namespace {

using lines_t = std::vector<std::string>;

TEST(WarningsRun, WeekModeIsRefusedWithItsMessage) {
    warnings_ward w;
    w.dayDuty(0, 2);
    w.plan.weekMode = true;
    bool opened = false;
    warnings_hooks hooks;
    hooks.openFile = [&](const std::filesystem::path&) { opened = true; };
    const warnings_report r = w.run(hooks);
    EXPECT_EQ(r.outcome, warnings_outcome::WeekMode);
    // The outcome says it; the front end tells it (check_warnings).
    EXPECT_TRUE(w.ui->infos.empty());
    EXPECT_FALSE(std::filesystem::exists(warnings_file(w.plan)));
    EXPECT_FALSE(opened);
}

TEST(WarningsRun, WithoutAGroupNothingHappensSilently) {
    warnings_ward w;
    w.plan.currentGroup = -1;
    bool reselected = false;
    warnings_hooks hooks;
    hooks.reselectGroup = [&](Plan&) { reselected = true; };
    const warnings_report r = w.run(hooks);
    EXPECT_EQ(r.outcome, warnings_outcome::NoGroup);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_TRUE(w.ui->all().empty());
    EXPECT_FALSE(reselected);
    EXPECT_FALSE(std::filesystem::exists(warnings_file(w.plan)));
}

TEST(WarningsRun, NoFindingsWriteBrakUwagAndOpenTheFile) {
    warnings_ward w(2026, 6, 0);
    w.plan.groups[0].shifts.clear();  // nothing to staff, nobody to check
    std::filesystem::path opened;
    warnings_hooks hooks;
    hooks.openFile = [&](const std::filesystem::path& p) { opened = p; };
    const warnings_report r = w.run(hooks);
    EXPECT_EQ(r.outcome, warnings_outcome::Written);
    EXPECT_EQ(r.lines, (lines_t{"Brak uwag"}));
    EXPECT_EQ(opened, w.root.path() / "warnings.txt");
    EXPECT_EQ(read_file(opened), "Brak uwag\r\n");
}

TEST(WarningsRun, FileIsWindows1250WithALinePerFinding) {
    warnings_ward w;
    w.only("d");
    w.duty(0, 2, 420, 60);
    w.duty(0, 9, 420, 90);
    const warnings_report r = w.run();
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(read_file(r.file), *utf8_to_cp1250(r.lines[0] + "\r\n" + r.lines[1] + "\r\n"));
    EXPECT_NE(read_file(r.file).find("kr\xF3tki dy\xBFur"), std::string::npos);
}

TEST(WarningsRun, AFailedWriteIsReportedAndNothingIsOpened) {
    warnings_ward w;
    w.only("d");
    w.duty(0, 2, 420, 60);
    write_file(w.root / "plik", "x");
    w.plan.paths.root = w.root / "plik";  // a file where the folder should be
    bool opened = false;
    warnings_hooks hooks;
    hooks.openFile = [&](const std::filesystem::path&) { opened = true; };
    const warnings_report r = w.run(hooks);
    EXPECT_EQ(r.outcome, warnings_outcome::WriteFailed);
    EXPECT_EQ(r.lines.size(), 1u);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(w.ui->warnings.empty()) << "the reason is the caller's to tell";
    EXPECT_FALSE(opened);
}

TEST(WarningsSort, ByRuleLetterThenTheTwoDigitDay) {
    warnings_ward w;
    w.only("abce");
    for (zmiana_& s : w.plan.groups[0].shifts) s.staffMin = s.staffMinS = 0;
    w.duty(0, 20, 420, 900);  // e: 15 hours
    w.duty(0, 12, 420, 480);
    w.duty(0, 12, 960, 120);  // a: one hour's rest
    w.nightDuty(0, 3);
    w.nightDuty(0, 4);  // b
    const lines_t lines = w.lines();
    std::string letters;
    for (const std::string& l : lines) letters += l.substr(0, 1);
    EXPECT_EQ(letters, "abcccce");
    EXPECT_EQ(lines[2].substr(0, 4), "c 03");
    EXPECT_EQ(lines[3].substr(0, 4), "c 04");
    EXPECT_EQ(lines[4].substr(0, 4), "c 12");
    EXPECT_EQ(lines[5].substr(0, 4), "c 20");
}

// Each sorted line keeps the day, shift and worker its finding is about,
// also when a language file words the line in another order.
TEST(WarningsPlaces, EachLinePointsAtItsDayShiftAndWorker) {
    warnings_ward w(2026, 6, 2);
    w.only("abce");
    for (zmiana_& s : w.plan.groups[0].shifts) s.staffMin = s.staffMinS = 0;
    w.duty(1, 20, 420, 900);  // e: 15 hours
    w.duty(0, 12, 420, 480);
    w.duty(0, 12, 960, 120);  // a: one hour's rest
    w.nightDuty(1, 3);
    w.nightDuty(1, 4);  // b
    w.plan.tr.set("warnings", "w_DutyTooLong", "%s %d %s (%s): %s %s worked too long (%s)");
    warnings_report r = w.run();
    ASSERT_EQ(r.places.size(), r.lines.size());
    std::map<char, std::vector<warning_place>> byRule;
    for (size_t i = 0; i < r.lines.size(); ++i) byRule[r.lines[i][0]].push_back(r.places[i]);
    EXPECT_EQ(byRule['a'], (std::vector<warning_place>{{12, -1, 0}}));
    EXPECT_EQ(byRule['b'], (std::vector<warning_place>{{3, -1, 1}}));
    EXPECT_EQ(byRule['e'], (std::vector<warning_place>{{20, -1, 1}}));
    ASSERT_EQ(byRule['c'].size(), 4u);
    EXPECT_EQ(byRule['c'][0], (warning_place{3, 1, -1}));  // the night shift, for the group
    EXPECT_EQ(byRule['c'][2], (warning_place{12, 0, -1}));
}

TEST(WarningsSort, CaseInsensitiveInPolishOrder) {
    lines_t lines{"b z", "ł b", "A y", "l b", "ą x", "a w", "Ł a", "ść", "Śc"};
    sortuj_ostrzezenia(lines);
    EXPECT_EQ(lines, (lines_t{"a w", "A y", "ą x", "b z", "l b", "Ł a", "ł b", "Śc", "ść"}));
}

TEST(WarningsTexts, TranslatedFormatsAndEnglishDayNames) {
    warnings_ward w;
    w.only("d");
    w.duty(0, 2, 420, 60);
    w.plan.tr.set("warnings", "w_DutyTooShort", "%s %d %s (%s) %s %s: duty too short (%s)");
    w.plan.options.language = "english";
    EXPECT_EQ(w.lines(), (lines_t{"d 2 Czerwiec (Tue) Anna Nowak: duty too short (01:00)"}));

    w.plan.tr.set("warnings", "w_NoWarnings", "No remarks");
    w.plan.workers[0].months[0].duties[1].clear();
    EXPECT_EQ(w.lines(), (lines_t{"No remarks"}));
}

// A worker's value in sundays.ini: "1" for each listed Sunday (1-based).
std::string sunday_flags(int year, std::initializer_list<int> worked) {
    std::string v(size_t(sundays_in_year(year)), '0');
    for (int p : worked) v[size_t(p - 1)] = '1';
    return v;
}

TEST(WarningsSundays, ConsecutiveSundaysAcrossTheYearBoundary) {
    // January 2027: Sundays on the 3rd and the 10th.
    warnings_ward w(2027, 1, 1);
    w.only("i");
    const int last2026 = sundays_in_year(2026);
    IniFile ini;
    ini.writeString("1", "2026", sunday_flags(2026, {last2026 - 1, last2026}));
    ASSERT_TRUE(ini.saveAs(sundays_file(w.plan)));
    w.dayDuty(0, 3);
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));  // three in a row is the limit

    w.dayDuty(0, 10);
    EXPECT_EQ(w.lines(), (lines_t{"i Anna Nowak ma dyżur w więcej niż 3 kolejnych niedzielach (przekroczenie w "
                                  "dniu: 10.01.2027)."}));
    // The check counts the month's Sundays in memory and writes no record.
    const IniFile stored(sundays_file(w.plan));
    EXPECT_FALSE(stored.keyExists("1", "2027"));
    EXPECT_EQ(niedziele_z_miesiacem(w.plan).readString("1", "2027"), sunday_flags(2027, {1, 2}));

    w.plan.options.warnings.vWorkSundaysMaxCount = 4;
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));
}

TEST(WarningsSundays, AShortPreviousYearAndAYearWithoutSundayDuties) {
    warnings_ward w(2027, 1, 1);
    w.only("i");
    w.plan.options.warnings.vWorkSundaysMaxCount = 2;
    IniFile ini;
    ini.writeString("1", "2026", "1");  // damaged: one flag only
    ASSERT_TRUE(ini.saveAs(sundays_file(w.plan)));
    w.dayDuty(0, 3);
    // The short value stands for the year's last Sunday: two in a row.
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));
    w.dayDuty(0, 10);
    w.plan.options.language = "english";
    EXPECT_EQ(w.lines(), (lines_t{"i Anna Nowak ma dyżur w więcej niż 2 kolejnych niedzielach (przekroczenie w "
                                  "dniu: 10/01/2027)."}));
}

}  // namespace
}  // namespace planek::test
