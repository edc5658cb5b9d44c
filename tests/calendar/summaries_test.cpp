#include "calendar/summaries.h"

#include <gtest/gtest.h>

#include <chrono>

#include "calendar/duty_split.h"
#include "summary_fixture.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

using test::ward;

constexpr int kDay = 1, kNight = 2;
// June 2026 starts on a Monday: index 1 is a Tuesday, 6 a Sunday, 29 the
// last day (a Tuesday).
constexpr int kTuesday = 1, kSunday = 6, kLast = 29;
constexpr int kSun = 0, kMon = 1, kTue = 2, kWed = 3;  // weekday counters

const ms_& month_of(const ward& w, int worker = 0, int m = 0) { return w.plan.workers[worker].months[m]; }
const category_sum& total(const ward& w, int worker = 0) { return month_of(w, worker).sum.total[0]; }
const category_sum& day_cat(const ward& w, int d, int cat = 0) { return month_of(w).sum.days[d].categories[cat]; }

TEST(SummarySplit, NightDutySplitsAtTheNightAndBooksTheMorningToTheNextDay) {
    ward w;
    w.duty(0, kTuesday, kNight, 1140, 720);
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(day_cat(w, kTuesday).dayMinutes, 180);
    EXPECT_EQ(day_cat(w, kTuesday).weekdayMinutes[kTue], 180);
    EXPECT_EQ(day_cat(w, kTuesday).nightMinutes, 480);
    EXPECT_EQ(day_cat(w, kTuesday + 1).dayMinutes, 60);
    EXPECT_EQ(day_cat(w, kTuesday + 1).weekdayMinutes[kWed], 60);
    EXPECT_EQ(total(w).workedMinutes, 720);
    EXPECT_EQ(month_of(w).sum.parts[kTuesday].text, "DND");
    EXPECT_EQ(month_of(w).sum.parts[kTuesday].minutes, (std::vector<std::int32_t>{180, 480, 60}));
    EXPECT_EQ(w.plan.workers[0].sum.dutyCount, 1);
}

TEST(SummarySplit, NightDutyOnTheLastDayUsesTheNextMonthsFirstDay) {
    ward w;
    w.duty(0, kLast, kNight, 1140, 720);
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).weekdayMinutes[kWed], 60);  // 1 July 2026 is a Wednesday
    EXPECT_EQ(total(w).dayMinutes, 240);
    EXPECT_EQ(total(w).workedMinutes, 720);
    w.plan.months[0].nextMonthStart = 1;  // the next month begins with a free day
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).holidayMinutes, 60);
    EXPECT_EQ(total(w).weekdayMinutes[kWed], 0);
    EXPECT_EQ(month_of(w).sum.parts[kLast].text, "DNS");
}

TEST(SummarySplit, SundayDayDutyIsAllHolidayAndNightOnAHolidayOnlyWhenTheGroupSaysSo) {
    ward w;
    w.duty(0, kSunday, kDay, 420, 720);
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).holidayMinutes, 720);
    EXPECT_EQ(total(w).dayMinutes, 0);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(total(w).weekdayMinutes[i], 0);
    EXPECT_EQ(month_of(w).sum.parts[kSunday].text, "S");

    ward n;
    n.duty(0, kSunday, kNight, 1140, 720);
    odswiez_pracownika(n.plan, 0, false, 0);
    EXPECT_EQ(total(n).holidayMinutes, 180);
    EXPECT_EQ(total(n).nightMinutes, 480);
    EXPECT_EQ(total(n).weekdayMinutes[kMon], 60);
    n.plan.groups[0].nightOnHolidayAsHoliday = true;
    odswiez_pracownika(n.plan, 0, false, 0);
    EXPECT_EQ(total(n).holidayMinutes, 660);
    EXPECT_EQ(total(n).nightMinutes, 0);
    EXPECT_EQ(month_of(n).sum.parts[kSunday].text, "SSD");
}

TEST(SummaryOvertime, ThreeHoursAfterAnAfternoonSplitAtTheThreshold) {
    ward w;
    w.duty(0, kTuesday, kDay, 420, 480, 180);  // ends 15:00, overtime to 18:00
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).overtime100, 60);
    EXPECT_EQ(total(w).overtime50, 120);
    EXPECT_EQ(total(w).workedMinutes, 480);  // an ordinary duty's overtime is not worked time
}

TEST(SummaryOvertime, WindowHolidayAndDayOffForHolidayWorkMarkTheHigherRate) {
    ward w;
    w.duty(0, kTuesday, kDay, 420, 720, 120);  // 19:00-21:00: inside the 19:00-07:00 window
    w.duty(0, kSunday, kDay, 420, 300, 60);    // a Sunday
    w.duty(0, 9, kDay, 420, 300, 60);          // a Wednesday, below 2:00, outside the window
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(day_cat(w, kTuesday).overtime100, 120);
    EXPECT_EQ(day_cat(w, kSunday).overtime100, 60);
    EXPECT_EQ(day_cat(w, 9).overtime50, 60);
    // The morning tail of the window belongs to it too.
    ward m;
    m.duty(0, kTuesday, kDay, 240, 60, 60);  // overtime 05:00-06:00
    odswiez_pracownika(m.plan, 0, false, 0);
    EXPECT_EQ(total(m).overtime100, 60);

    w.plan.options.wydruki.ng_wolne_za_swieto = true;
    w.dayOff(0, 9, 9, '1', false);
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(day_cat(w, 9).overtime100, 60);
    w.plan.options.wydruki.ng_swieto = false;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(day_cat(w, kSunday).overtime100, 0);
}

TEST(SummaryOvertime, AlsoOvertimeAndMedicalDutiesGoToTheirOwnTotals) {
    ward w;
    dyzur& extra = w.duty(0, kTuesday, kDay, 420, 720);
    extra.alsoOvertime = true;
    dyzur& med = w.duty(0, 3, kDay, 420, 480, 120);
    med.medical = true;
    odswiez_pracownika(w.plan, 0, false, 0);
    const category_sum& t = total(w);
    EXPECT_EQ(t.workedMinutes, 720 + 600);  // a medical duty's overtime is worked time
    EXPECT_EQ(t.extraOvertime100 + t.extraOvertime50, 720);
    EXPECT_EQ(t.extraOvertime100, 720);  // taken as a duty of length 0
    EXPECT_EQ(t.medicalOvertime50, 120);
    EXPECT_EQ(t.medicalOvertime100, 0);
    EXPECT_EQ(t.overtime100 + t.overtime50, 0);
    w.plan.options.wydruki.ng_dyzur0 = false;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).extraOvertime100, 720 - 120);
}

TEST(SummaryOvertime, NegativeAndZeroOvertimeStayInTheLowerRate) {
    ward w;
    w.duty(0, kTuesday, kDay, 420, 480, -60);
    w.duty(0, 3, kDay, 1440, 0, 0);
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).overtime50, -60);
    EXPECT_EQ(total(w).overtime100, 0);
    EXPECT_EQ(w.plan.workers[0].sum.dutyCount, 2);
}

TEST(SummarySplit, NaturalDayStartKeepsTheMorningWithTheDuty) {
    ward w;
    w.plan.options.wydruki.doba_od = 480;  // the day runs from 08:00
    w.duty(0, kTuesday, kNight, 1140, 720);
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(day_cat(w, kTuesday).dayMinutes, 240);
    EXPECT_EQ(day_cat(w, kTuesday + 1).dayMinutes, 0);

    split_rules r;  // natural day from 00:00, night 22:00-06:00
    dyzur late;
    late.start = 1200;  // 20:00 + 1:00 ends before the night
    late.length = 60;
    EXPECT_EQ(split_working_time(late, r).before, 60);
    r.nightStart = 1500;  // a night from 01:00 leaves 00:00-01:00 past the day's end
    r.nightEnd = 1980;
    late.length = 300;  // 20:00-01:00: the hour past midnight is the next day's
    const time_split t = split_working_time(late, r);
    EXPECT_EQ(t.before, 240);
    EXPECT_EQ(t.after, 60);
    EXPECT_EQ(t.night, 0);
}

TEST(SummarySplit, FirstShiftStartingInTheNightsTailGetsItsNightMinutes) {
    split_rules r;
    dyzur early;
    early.shift = 1;
    early.start = 300;  // 05:00 for 8 hours
    early.length = 480;
    time_split t = split_working_time(early, r);
    EXPECT_EQ(t.night, 60);
    EXPECT_EQ(t.before, 420);
    early.shift = 2;  // other shifts are day-time throughout
    t = split_working_time(early, r);
    EXPECT_EQ(t.night, 0);
    EXPECT_EQ(t.before, 480);
    dyzur inNight;  // starts inside the night, ends after it
    inNight.shift = 2;
    inNight.start = 1380;
    inNight.length = 600;
    t = split_working_time(inNight, r);
    EXPECT_EQ(t.night, 420);
    EXPECT_EQ(t.after, 180);
}

TEST(SummaryFilter, UntickedKindLeavesTheTotalsAndCategoryZero) {
    ward w;
    w.duty(0, kTuesday, kDay, 420, 720, 0, 1);
    w.duty(0, 3, kDay, 420, 720, 0, 3);
    w.plan.dutyAsFilter[2] = false;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).workedMinutes, 720);
    EXPECT_EQ(month_of(w).sum.total[3].workedMinutes, 0);
    EXPECT_EQ(month_of(w).sum.total[1].workedMinutes, 720);
    EXPECT_EQ(w.plan.workers[0].sum.dutyCount, 1);
    w.plan.dutyAsFilter[2] = true;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).workedMinutes, 1440);
    EXPECT_EQ(month_of(w).sum.total[3].workedMinutes, 720);
}

TEST(SummaryFilter, OtherGroupsCountOnlyWithAllGroups) {
    ward w;
    w.plan.workers[0].groups = "1|2|";
    w.duty(0, kTuesday, kDay, 420, 720).groupId = 2;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).workedMinutes, 0);
    odswiez_pracownika(w.plan, 0, true, 0);
    EXPECT_EQ(total(w).workedMinutes, 720);
}

TEST(SummaryNorm, OwnNormCalculatedNormAndPartTimeRoundHalfToEven) {
    ward w;  // June 2026: 22 working days in the fixture, norm 22 x 455
    ms_& m = w.plan.workers[0].months[0];
    w.plan.months[0].normMinutes = 9101;
    m.partTime = 50;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(m.workerNorm, 4550);  // 4550.5 goes to the even neighbour
    w.plan.months[0].normMinutes = 9103;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(m.workerNorm, 4552);
    EXPECT_EQ(w.plan.workers[0].dailyNorm, 207);  // 4552 / 22 = 206.9
    m.ownNorm = true;
    m.ownNormValue = 7000;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(m.workerNorm, 7000);
    m.ownNormCalculated = true;
    m.ownNormValue = 300;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(m.workerNorm, 300 * 22);
    w.plan.months[0].workingDays = 0;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(w.plan.workers[0].dailyNorm, 455);  // the group's daily norm
}

TEST(SummaryDaysOff, LeaveCreditsWorkingDaysByTheRightDailyNorm) {
    ward w;
    w.dayOff(0, 7, 13, 'u');  // Monday .. Sunday
    odswiez_pracownika(w.plan, 0, false, 0);
    const ms_& m = month_of(w);
    EXPECT_EQ(m.sum.creditedMinutes, 5 * 455);
    EXPECT_EQ(m.sum.days[12].creditedMinutes, 0);  // Saturday
    EXPECT_EQ(m.sum.dayOffMinutes[w.plan.options.dayOffKindIndex("u")], 5 * 455);
    EXPECT_EQ(w.plan.workers[0].sum.dayOffDays, 7);
    w.plan.workers[0].months[0].partTime = 50;
    w.plan.workers[0].months[0].daysOff[7].normWithPartTime = true;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(m.sum.days[7].creditedMinutes, w.plan.workers[0].dailyNorm);
    EXPECT_EQ(m.sum.creditedMinutes, 5 * w.plan.workers[0].dailyNorm);
}

TEST(SummaryDaysOff, TypedNormSpreadsOverWorkingDaysWithTheDifferenceOnTheFirst) {
    ward w;
    wolne_& leave = w.dayOff(0, 7, 13, 'z');
    leave.customNorm = true;
    leave.customNormMinutes = 1001;
    odswiez_pracownika(w.plan, 0, false, 0);
    const ms_& m = month_of(w);
    EXPECT_EQ(m.sum.days[7].creditedMinutes, 201);
    EXPECT_EQ(m.sum.days[8].creditedMinutes, 200);
    EXPECT_EQ(m.sum.days[13].creditedMinutes, 0);
    EXPECT_EQ(m.sum.creditedMinutes, 1001);

    ward s;  // a weekend only: the whole value on its first day
    wolne_& weekend = s.dayOff(0, 12, 13, 'u');
    weekend.customNorm = true;
    weekend.customNormMinutes = 300;
    odswiez_pracownika(s.plan, 0, false, 0);
    EXPECT_EQ(month_of(s).sum.days[12].creditedMinutes, 300);
    EXPECT_EQ(month_of(s).sum.creditedMinutes, 300);
}

TEST(SummaryDaysOff, DutiesUnderADayOffSetItsValueAndAreHiddenUnlessTheNormIsOwn) {
    ward w;
    w.dayOff(0, 7, 9, 'u');
    w.duty(0, 8, kDay, 420, 720);
    odswiez_pracownika(w.plan, 0, false, 0);
    const ms_& m = month_of(w);
    EXPECT_EQ(m.sum.creditedMinutes, 720);  // the day off takes the value of the duties it replaces
    EXPECT_EQ(m.sum.days[7].creditedMinutes, 0);
    EXPECT_EQ(total(w).workedMinutes, 0);  // the duty itself is hidden
    EXPECT_EQ(w.plan.workers[0].sum.dutyCount, 0);
    w.plan.workers[0].months[0].daysOff[7].customNorm = true;
    w.plan.workers[0].months[0].daysOff[7].customNormMinutes = 600;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(total(w).workedMinutes, 720);
    EXPECT_EQ(m.sum.creditedMinutes, 600);
}

TEST(SummaryDaysOff, NonCreditingKindsAndKindsWithoutTheMark) {
    ward w;
    w.dayOff(0, 1, 1, '1', false);
    w.dayOff(0, 2, 2, '\xBF', false);
    w.dayOff(0, 3, 3, 'n');  // "Wagary": totalled, never credited
    odswiez_pracownika(w.plan, 0, false, 0);
    const ms_& m = month_of(w);
    EXPECT_EQ(m.sum.days[1].creditedMinutes, 0);
    EXPECT_EQ(m.sum.days[2].creditedMinutes, 0);
    EXPECT_EQ(m.sum.dayOffMinutes[w.plan.options.dayOffKindIndex("n")], 455);
    EXPECT_EQ(m.sum.creditedMinutes, 0);
    EXPECT_EQ(w.plan.workers[0].sum.dayOffDays, 1);
    w.plan.options.dayOffKinds[w.plan.options.dayOffKindIndex("n")].normatyw = kNormatywOn;
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(m.sum.creditedMinutes, 455);
}

TEST(SummaryBadInput, OutOfRangeWorkerOrWorkerWithoutGroupsChangesNothing) {
    ward w;
    w.duty(1, kTuesday, kDay, 420, 720);
    w.plan.workers[1].groups.clear();
    odswiez_pracownika(w.plan, 1, false, 0);
    odswiez_pracownika(w.plan, 7, false, 0);
    odswiez_pracownika(w.plan, -1, false, 0);
    odswiez_pracownika(w.plan, 0, false, 5);
    EXPECT_FALSE(month_of(w, 1).sum.computed);
    EXPECT_EQ(total(w, 1).workedMinutes, 0);
    EXPECT_EQ(w.plan.workers[1].months[0].workerNorm, 0);
}

TEST(SummaryOtherMonth, AMonthThatIsNotShownTakesItsHolidaysFromItsDate) {
    ward w;
    miesiac july;
    july.year = 2026;
    july.month = 7;
    july.dayCount = 31;
    july.workingDays = 23;
    july.normMinutes = 23 * 455;
    july.days.resize(31);
    w.plan.months.push_back(july);
    for (prac& p : w.plan.workers) p.months.resize(2);
    w.duty(0, 4, kDay, 420, 720, 0, 1, 1);  // 5 July 2026, a Sunday
    w.duty(0, 5, kDay, 420, 720, 0, 1, 1);  // Monday
    odswiez_pracownika(w.plan, 0, false, 1);
    const category_sum& t = w.plan.workers[0].months[1].sum.total[0];
    EXPECT_EQ(t.holidayMinutes, 720);
    EXPECT_EQ(t.weekdayMinutes[kMon], 720);
    EXPECT_EQ(w.plan.workers[0].months[1].workerNorm, 23 * 455);
}

TEST(SummaryPeriod, TotalsOverMonthsAndWorkersAndAOneWorkerRefreshKeepsTheOthers) {
    ward w;
    miesiac july = w.plan.months[0];
    july.month = 7;
    july.dayCount = 31;
    july.days.resize(31);
    w.plan.months.push_back(july);
    for (prac& p : w.plan.workers) p.months.resize(2);
    w.duty(0, kTuesday, kDay, 420, 720);
    w.duty(0, 2, kDay, 420, 720, 0, 1, 1);
    w.duty(1, kTuesday, kNight, 1140, 720, 180);
    for (int x : {0, 1})
        for (int m : {0, 1}) odswiez_pracownika(w.plan, x, false, m);
    odswiez_okres(w.plan, true, false, -1);
    const period_summary& p = w.plan.period;
    EXPECT_EQ(w.plan.workers[0].sum.period.periodDutyMinutes, 1440);
    EXPECT_EQ(p.months[0].periodDutyMinutes, 1440);
    EXPECT_EQ(p.all.periodDutyMinutes, 2160);
    EXPECT_EQ(p.all.overtime1 + p.all.overtime2, 180);
    EXPECT_EQ(p.all.periodNorm, 4 * std::int64_t(w.plan.months[0].normMinutes));
    EXPECT_EQ(p.fromMonth, 6);
    EXPECT_EQ(p.fromDay, 1);
    EXPECT_EQ(p.toMonth, 7);
    EXPECT_EQ(p.toDay, 31);
    EXPECT_EQ(p.longestMonth, 1);
    EXPECT_EQ(p.normMinutes, 2 * std::int64_t(w.plan.months[0].normMinutes));

    w.duty(1, 3, kDay, 420, 60);
    odswiez_pracownika(w.plan, 1, false, 0);
    EXPECT_EQ(p.months[0].periodDutyMinutes, 1440 + 60);  // worker 0 still counted
    EXPECT_EQ(p.all.periodDutyMinutes, 2220);
    EXPECT_EQ(w.plan.workers[1].sum.period.periodDutyMinutes, 780);
}

TEST(SummaryCarryOver, LoadsTheBalanceOfListedWorkersFromAnotherMonthFile) {
    ward w(30, 2, 3);
    auto ui = std::make_shared<test::ScriptedInteraction>();
    w.plan.ui = ui;
    EXPECT_FALSE(nadpracowania_auto_wczytaj(w.plan, "nowhere.pnk"));  // nobody listed
    for (int x = 0; x < 3; ++x) w.plan.listed.push_back({x, "", false});
    w.plan.workers[0].months[0].overtimeManual = 5;
    test::TempDir dir;
    test::write_file(dir / "maj.pnk", "[info]\r\nstatus=0\r\n\r\n[auto_nadpracowania]\r\n1=125\r\n2=-30\r\n");
    const result<> loaded = nadpracowania_auto_wczytaj(w.plan, dir / "maj.pnk");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(w.plan.workers[0].months[0].overtimeFromPrevious, 125);
    EXPECT_EQ(w.plan.workers[0].months[0].overtimeTotal, 130);
    EXPECT_EQ(w.plan.workers[1].months[0].overtimeFromPrevious, -30);
    EXPECT_EQ(w.plan.workers[2].months[0].overtimeFromPrevious, 0);
    // Said for the front end to tell, not told by the rule.
    EXPECT_TRUE(ui->infos.empty());
    ASSERT_EQ(loaded.notes.size(), 1u);
    EXPECT_EQ(loaded.notes[0].text, "Wgrano nadpracowania pracowników: członków grupy (3 osób).");

    test::write_file(dir / "bez.pnk", "[info]\r\nstatus=0\r\n");
    ASSERT_TRUE(nadpracowania_auto_wczytaj(w.plan, dir / "bez.pnk"));
    EXPECT_EQ(w.plan.workers[0].months[0].overtimeFromPrevious, 0);
    w.plan.workers[1].months[0].overtimeFromPrevious = 40;
    nadpracowania_auto_zeruj(w.plan);
    EXPECT_EQ(w.plan.workers[1].months[0].overtimeFromPrevious, 0);
}

TEST(SummaryCarryOver, MonthBalanceIsWorkedPlusCreditedLessTheNorm) {
    ward w;
    w.duty(0, kTuesday, kDay, 420, 720);
    w.dayOff(0, 7, 7, 'u');
    odswiez_pracownika(w.plan, 0, false, 0);
    EXPECT_EQ(nadpracowanie_miesiaca(w.plan, 0, 0), 720 + 455 - 22 * 455);
}

TEST(SummaryBoxes, TextsAndNumbersOfTheWorkerBoxes) {
    ward w;
    w.plan.workers[0].holidayCurrentYear = 600;
    w.plan.workers[0].holidayPreviousYear = 60;
    w.plan.workers[0].careDaysMode = 1;
    w.plan.workers[0].careDays = 0;
    w.plan.workers[0].months[0].overtimeTotal = -90;
    w.duty(0, kTuesday, kNight, 1140, 720, 30);
    odswiez_pracownika(w.plan, 0, false, 0);
    const worker_boxes b = ramki_pracownika(w.plan, 0, 0);
    ASSERT_TRUE(b.shown);
    EXPECT_EQ(b.st_Workers, " :: Pracownik: Nazwisko1 Imię");
    EXPECT_EQ(b.l_wnq_Norma, "166:50");  // 22 x 455 = 10010
    EXPECT_EQ(b.l_wnq_NormaUnused, "154:50");
    EXPECT_EQ(b.l_wnq_NormaUsed, "12:00");
    EXPECT_EQ(b.l_wnq_Overtime, "00:30");
    EXPECT_EQ(b.l_wnq_PreviousPeriod, "w tym -01:30 z poprz.mies.");
    EXPECT_EQ(b.openNormAsDuties, "12x \"Dzień\" + 10:50");
    EXPECT_EQ(b.l_dq_Nights, "08:00");
    EXPECT_EQ(b.l_dq_Total, "12:00");
    EXPECT_EQ(b.l_lq_HolidayUnused, "11:00");
    EXPECT_EQ(b.l_l_CareDaysUnused, "Pozostaje opieki [g]: ");
    EXPECT_EQ(b.l_lq_CareDaysUnused, "");
    EXPECT_EQ(b.l_pq_NormaUnused, "154:50");
    w.plan.weekMode = true;
    EXPECT_FALSE(ramki_pracownika(w.plan, 0, 0).shown);
    EXPECT_FALSE(ramki_pracownika(w.plan, 9, 0).shown);
}

TEST(SummarySpeed, TwoHundredWorkersRecomputeQuickly) {
    ward w(31, 2, 200);
    for (int x = 0; x < 200; ++x)
        for (int d = x % 2; d < 31; d += 2) w.duty(x, d, d % 4 ? kDay : kNight, d % 4 ? 420 : 1140, 720, 150);
    const auto t0 = std::chrono::steady_clock::now();
    for (int x = 0; x < 200; ++x) odswiez_pracownika(w.plan, x, false, 0);
    odswiez_okres(w.plan, true, false, -1);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(ms, 2000);
    EXPECT_EQ(w.plan.period.all.periodDutyMinutes, 200LL * 15 * 720 + 100LL * 720);
}

}  // namespace
}  // namespace planek
