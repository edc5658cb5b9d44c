#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>

#include "calendar/norm.h"
#include "calendar/summaries.h"
#include "core/file_io.h"
#include "core/text.h"
#include "files/month_file.h"
#include "month_fixture.h"
#include "support/ini_sections.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

using MonthFile = MonthFixture;

TEST_F(MonthFile, EmptyPlanWritesOnlyCalendarSections) {
    empty_month();
    plan.currentFile = path("out.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const auto lines = lines_of(path("out.pnk"));
    EXPECT_EQ(sections_of(lines),
              (std::vector<std::string>{"[info]", "[okres]", "[urlop_normatyw]", "[kalendarz_ostre_dyzury]",
                                        "[kalendarz_wlasny]", "[kalendarz_notatki]", "[koniec]"}));
    EXPECT_EQ(section_lines(lines, "urlop_normatyw").size(), 24u);
    EXPECT_EQ(section_lines(lines, "okres"),
              (std::vector<std::string>{"FromYear=2024", "FromMonth=3", "WeekMode=0", "WeekModeFrom=1",
                                        "WeekModeCount=15"}));
    // An empty line before each section after the first.
    EXPECT_EQ(lines.front(), "[info]");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 6);
}

TEST_F(MonthFile, EverythingWrittenIsReadBack) {
    empty_month();
    plan.approvedStatus = 0;
    plan.planType = 1;
    auto& days = plan.months[0].days;
    days[4].erDuty = 1;
    days[9].ownHoliday = 1;
    days[2].note = "Zebranie\r\noddziału";
    plan.groups[0].customNorm = true;
    plan.groups[0].customNormMinutes = 9000;
    plan.groups[0].saturdayHoliday = true;

    dyzur d;
    d.groupId = 1;
    d.workerId = 1;
    d.day = 5;
    d.start = 1140;
    d.length = 720;
    d.shift = 2;
    d.overtime = -30;
    d.note = "zamiana z Nowak";
    d.onRequest = true;
    d.dutyAs = 3;
    d.medical = true;
    d.alsoOvertime = true;
    ASSERT_TRUE(add(d, 0));
    ASSERT_TRUE(add_duty(1, 7, 420, 720));
    ASSERT_TRUE(add_day_off(0, 10, 12, 'u'));
    ASSERT_TRUE(add_day_off(1, 20, 20, char(0xBF), 2));  // "ż", the shift not wanted
    wolne_ custom;
    custom.groupId = 1;
    custom.workerId = 3;
    custom.dayFrom = 1;
    custom.dayTo = 2;
    custom.symbol = 'z';
    custom.customNorm = true;
    custom.customNormMinutes = 600;
    custom.normMinutes = 600;
    ASSERT_TRUE(add(custom, 2));
    // Worker 99 is not on the staff: both entries stay as orphans.
    dyzur orphan = d;
    orphan.workerId = 99;
    orphan.day = 9;
    add(orphan, int(plan.workers.size()));
    wolne_ orphanOff = custom;
    orphanOff.workerId = 99;
    orphanOff.dayFrom = 3;
    orphanOff.dayTo = 6;
    add(orphanOff, int(plan.workers.size()));
    month(0).ownNorm = true;
    month(0).ownNormValue = 420;
    month(0).ownNormCalculated = true;
    month(1).partTime = 87.5;
    month(1).overtimeManual = -45;
    month(2).overtimeFromPrevious = 130;

    plan.currentFile = path("full.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const auto first = lines_of(path("full.pnk"));

    Plan back = plan;
    back.currentFile = path("full.pnk").string();
    back.ui = ui;
    for (prac& w : back.workers) w.months.assign(1, ms_{});
    back.groups[0].customNorm = false;
    back.orphanDuties.clear();
    back.orphanDaysOff.clear();
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(back).empty());
    EXPECT_TRUE(ui->warnings.empty());

    EXPECT_EQ(back.year, 2024);
    EXPECT_EQ(back.month, 3);
    EXPECT_EQ(back.approvedStatus, 0);
    EXPECT_EQ(back.planType, 1);
    EXPECT_EQ(back.months[0].days[4].erDuty, 1);
    EXPECT_EQ(back.months[0].days[9].ownHoliday, 1);
    EXPECT_EQ(back.months[0].days[2].note, "Zebranie\r\noddziału");
    EXPECT_TRUE(back.groups[0].customNorm);
    EXPECT_EQ(back.groups[0].customNormMinutes, 9000);
    EXPECT_TRUE(back.groups[0].saturdayHoliday);
    EXPECT_EQ(back.groups[0].monthSettings[0].customNormMinutes, 9000);

    const dyzur& r = back.workers[0].months[0].duties[4].at(0);
    EXPECT_EQ(r.start, 1140);
    EXPECT_EQ(r.length, 720);
    EXPECT_EQ(r.shift, 2);
    EXPECT_EQ(r.overtime, -30);
    EXPECT_EQ(r.note, "zamiana z Nowak");
    EXPECT_TRUE(r.onRequest && r.medical && r.alsoOvertime && r.loaded);
    EXPECT_EQ(r.dutyAs, 3);
    const ms_& m0 = back.workers[0].months[0];
    EXPECT_EQ(m0.daysOff[9].dayTo, 12);
    EXPECT_EQ(m0.daysOff[11].headIndex, 9);
    EXPECT_TRUE(m0.ownNorm);
    EXPECT_EQ(m0.ownNormValue, 420);
    EXPECT_TRUE(m0.ownNormCalculated);
    EXPECT_EQ(back.workers[1].months[0].daysOff[19].symbol, char(0xBF));
    EXPECT_EQ(back.workers[1].months[0].daysOff[19].normMinutes, 2);
    EXPECT_DOUBLE_EQ(back.workers[1].months[0].partTime, 87.5);
    EXPECT_EQ(back.workers[1].months[0].overtimeManual, -45);
    EXPECT_EQ(back.workers[2].months[0].overtimeFromPrevious, 130);
    EXPECT_EQ(back.workers[2].months[0].overtimeTotal, 130);
    const wolne_& c = back.workers[2].months[0].daysOff[0];
    EXPECT_TRUE(c.customNorm);
    EXPECT_FALSE(c.normWithPartTime);
    EXPECT_EQ(c.customNormMinutes, 600);
    ASSERT_EQ(back.orphanDuties.size(), 1u);
    EXPECT_EQ(back.orphanDuties[0].workerId, 99);
    ASSERT_EQ(back.orphanDaysOff.size(), 1u);
    EXPECT_EQ(back.orphanDaysOff[0].dayTo, 6);

    // Written again, the file is the same line for line.
    back.currentFile = path("again.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(back));
    EXPECT_EQ(lines_of(path("again.pnk")), first);
}

TEST_F(MonthFile, SavingCarriesEveryGroupsBalanceAndLeavesTheShownFigures) {
    plan.groups.push_back(make_group(3, "Interna"));
    plan.workers[0].groups = "1|3|";
    empty_month();
    normatyw(plan, true, 0, false);
    ASSERT_TRUE(add_duty(0, 4, 420, 720));
    dyzur elsewhere;
    elsewhere.groupId = 3;
    elsewhere.workerId = plan.workers[0].id;
    elsewhere.day = 6;
    elsewhere.start = 420;
    elsewhere.length = 600;
    elsewhere.shift = 1;
    elsewhere.dutyAs = 1;
    month(0).duties[5].push_back(elsewhere);
    odswiez_pracownika(plan, 0, false, 0);
    const std::int32_t shownWorked = month(0).sum.total[0].workedMinutes;
    const int shownDuties = plan.workers[0].sum.dutyCount;
    ASSERT_EQ(shownWorked, 720);

    const auto carried = section_lines(month_file_lines(plan), "auto_nadpracowania");
    const long norm = month(0).workerNorm;
    EXPECT_NE(std::find(carried.begin(), carried.end(), "1=" + std::to_string(720 + 600 - norm)), carried.end());
    // The window still shows the shown group's month of the worker.
    EXPECT_EQ(month(0).sum.total[0].workedMinutes, shownWorked);
    EXPECT_EQ(plan.workers[0].sum.dutyCount, shownDuties);
}

TEST_F(MonthFile, MultiDayDayOffIsWrittenPerDayAndReadAsOne) {
    empty_month();
    ASSERT_TRUE(add_day_off(0, 4, 6, 'u'));
    plan.currentFile = path("leave.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const auto wolne = section_lines(lines_of(path("leave.pnk")), "wolne");
    ASSERT_EQ(wolne.size(), 3u);
    const std::string line = "1¤1¤4¤6¤1365¤u¤0¤1¤0";
    EXPECT_EQ(wolne, (std::vector<std::string>{"w1=" + line, "w2=" + line, "w3=" + line}));

    month(0) = ms_{};
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    int heads = 0;
    for (const wolne_& s : month(0).daysOff) heads += s.used();
    EXPECT_EQ(heads, 1);
    EXPECT_EQ(plan.dayOffCounter, 1);
    for (int d = 3; d <= 5; ++d) {
        EXPECT_EQ(month(0).daysOff[d].headIndex, 3);
        EXPECT_TRUE(month(0).daysOff[d].blocks);
    }
}

TEST_F(MonthFile, OlderLinesAreCompleted) {
    test::write_file(path("old.pnk"),
                     "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n[dyzury]\r\nd1=1\xA4" "2\xA4" "3\xA4" "720\xA4" "1\xA4"
                     "420\xA4" "0\r\n[wolne]\r\nw1=1\xA4" "1\xA4" "8\xA4" "9\xA4" "910\r\n");
    plan.currentFile = path("old.pnk").string();
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    const dyzur& d = month(1).duties[2].at(0);
    EXPECT_EQ(d.note, "");
    EXPECT_FALSE(d.onRequest);
    EXPECT_EQ(d.dutyAs, 1);
    EXPECT_FALSE(d.medical);
    EXPECT_FALSE(d.alsoOvertime);
    const wolne_& w = month(0).daysOff[7];
    EXPECT_EQ(w.symbol, 'i');
    EXPECT_FALSE(w.customNorm);
    EXPECT_TRUE(w.normWithPartTime);
    EXPECT_EQ(w.customNormMinutes, 0);
    // Without [info] the plan counts as approved and planned.
    EXPECT_EQ(plan.approvedStatus, 1);
    EXPECT_EQ(plan.planType, 0);
}

TEST_F(MonthFile, NormatywGlyphsAndUnreadableKinds) {
    test::write_file(path("n.pnk"), "[urlop_normatyw]\r\nu=0\r\nz=\xFE\r\nb=\xA8\r\nn=1\r\n");
    plan.options.dayOffKinds[plan.options.dayOffKindIndex("z")].normatyw = kNormatywOff;
    plan.currentFile = path("n.pnk").string();
    wczytaj_dyzury_i_wolne(plan);
    auto counts = [&](const char* code) { return counts_toward_norm(plan, plan.options.dayOffKindIndex(code)); };
    EXPECT_FALSE(counts("u"));
    EXPECT_TRUE(counts("z"));
    EXPECT_FALSE(counts("b"));
    EXPECT_FALSE(counts("n"));  // never taken from a file
    EXPECT_TRUE(counts("m"));   // not mentioned: on
}

TEST_F(MonthFile, ReadingAMonthLeavesTheConfiguredKindsAsTheyWere) {
    test::write_file(path("n.pnk"), "[urlop_normatyw]\r\nu=0\r\n");
    plan.options.dayOffKinds[plan.options.dayOffKindIndex("z")].normatyw = kNormatywOff;
    const Options configured = plan.options;
    plan.currentFile = path("n.pnk").string();
    wczytaj_dyzury_i_wolne(plan);
    EXPECT_EQ(plan.options, configured);
    EXPECT_FALSE(counts_toward_norm(plan, plan.options.dayOffKindIndex("u")));
    EXPECT_TRUE(counts_toward_norm(plan, plan.options.dayOffKindIndex("z")));

    // A new plan follows the configuration again, not the month read last.
    plan.currentFile.clear();
    wczytaj_dyzury_i_wolne(plan);
    EXPECT_TRUE(counts_toward_norm(plan, plan.options.dayOffKindIndex("u")));
    EXPECT_FALSE(counts_toward_norm(plan, plan.options.dayOffKindIndex("z")));
}

TEST_F(MonthFile, NormatywFlagIsOnOnlyForOne) {
    test::write_file(path("n.pnk"), "[urlop_normatyw]\r\nu=12\r\nz=1\r\n");
    auto kind = [&](const char* code) -> day_off_kind& {
        return plan.options.dayOffKinds[plan.options.dayOffKindIndex(code)];
    };
    kind("u").normatyw = kNormatywOn;
    kind("z").normatyw = kNormatywOff;
    plan.currentFile = path("n.pnk").string();
    wczytaj_dyzury_i_wolne(plan);
    EXPECT_FALSE(counts_toward_norm(plan, plan.options.dayOffKindIndex("u")));  // "12" is no "1"
    EXPECT_TRUE(counts_toward_norm(plan, plan.options.dayOffKindIndex("z")));
}

TEST_F(MonthFile, MonthFromNameWhenNoPeriodSection) {
    test::write_file(path("2023_11.pnk"), "[kalendarz_wlasny]\r\n29=1\r\n");
    plan.currentFile = path("2023_11.pnk").string();
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    EXPECT_EQ(plan.year, 2023);
    EXPECT_EQ(plan.month, 11);
    EXPECT_EQ(plan.days.size(), 30u);
    EXPECT_EQ(plan.months[0].days[29].ownHoliday, 1);

    const year_month none = ustal_miesiac(plan, path("plan marca.pnk").string());
    EXPECT_EQ(none.year, 2024);
    EXPECT_EQ(none.month, 3);
    test::write_file(path("2023_11_okres.pnk"), "[okres]\r\nFromYear=2025\r\nFromMonth=2\r\n");
    const year_month okres = ustal_miesiac(plan, path("2023_11_okres.pnk").string());
    EXPECT_EQ(okres.year, 2025);
    EXPECT_EQ(okres.month, 2);
}

TEST_F(MonthFile, LeapFebruaryAndWeekMode) {
    empty_month("2024_02.pnk");
    EXPECT_EQ(plan.days.size(), 29u);
    test::write_file(path("tyg.pnk"),
                     "[okres]\r\nFromYear=2024\r\nFromMonth=1\r\nWeekMode=1\r\nWeekModeFrom=10\r\nWeekModeCount=8\r\n"
                     "[dyzury]\r\nd1=1\xA4" "1\xA4" "12\xA4" "720\xA4" "1\xA4" "420\xA4" "0\r\n");
    plan.currentFile = path("tyg.pnk").string();
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    EXPECT_TRUE(plan.weekMode);
    EXPECT_EQ(plan.days.size(), 8u);
    EXPECT_EQ(plan.months[0].days[0].dayNumber, 10);
    EXPECT_EQ(month(0).duties[2].size(), 1u);
}

TEST_F(MonthFile, ReadOnlyFileIsRefused) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    test::write_file(path("ro.pnk"), "stare");
    fs::permissions(path("ro.pnk"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    plan.currentFile = path("ro.pnk").string();
    const auto saved = zapisz_dyzury_i_wolne(plan);
    ASSERT_FALSE(saved);
    EXPECT_EQ(read_file(path("ro.pnk")), "stare");
    EXPECT_EQ(saved.error().text,
              "Plik o wybranej nazwie posiada atrybut \"tylko do odczytu\". Brak możliwości zapisu do niego.");
}

TEST_F(MonthFile, FailedWriteLeavesTheOldFile) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 3, 420, 720));
    plan.months[0].days[1].note = "nie do zapisania \xF0\x9F\x98\x80";  // no such character in Windows-1250
    test::write_file(path("keep.pnk"), "[info]\r\nstatus=1\r\n");
    plan.currentFile = path("keep.pnk").string();
    const auto saved = zapisz_dyzury_i_wolne(plan);
    ASSERT_FALSE(saved);
    EXPECT_EQ(read_file(path("keep.pnk")), "[info]\r\nstatus=1\r\n");
    EXPECT_FALSE(saved.error().text.empty());
    for (const auto& e : fs::directory_iterator(dir.path()))  // no temporary file left behind
        EXPECT_TRUE(e.path().extension() == ".pnk" || e.is_directory()) << e.path();
}

TEST_F(MonthFile, DutyNoteCannotBreakItsLine) {
    empty_month();
    dyzur d;
    d.groupId = 1;
    d.workerId = 1;
    d.day = 2;
    d.start = 420;
    d.length = 720;
    d.shift = 1;
    d.note = "a¤b\nc";
    ASSERT_TRUE(add(d, 0));
    plan.currentFile = path("note.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    month(0) = ms_{};
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    EXPECT_EQ(month(0).duties[1].at(0).note, "a b c");
}

}  // namespace
}  // namespace planek::test

namespace planek::test {
namespace {

// The write stops half way (the file size limit is reached while the new
// text is being written): the old file stays as it was, nothing is left
// beside it.
TEST_F(MonthFile, WriteFailingHalfWayLeavesTheOldFile) {
    empty_month();
    for (int d = 1; d <= 31; d += 2) ASSERT_TRUE(add_duty(d % 3, d, 420, 720));
    const std::string old = "[info]\r\nstatus=1\r\n";
    write_file(path("half.pnk"), old);
    plan.currentFile = path("half.pnk").string();

    struct rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 600;
    setrlimit(RLIMIT_FSIZE, &small);
    const result<> r = zapisz_dyzury_i_wolne(plan);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(r);
    EXPECT_EQ(read_file(path("half.pnk")), old);
    // The reason comes back to the caller; the writer tells no one.
    EXPECT_FALSE(r.error().text.empty());
    EXPECT_TRUE(ui->warnings.empty());
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace planek::test
