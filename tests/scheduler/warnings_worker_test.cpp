// Rules f, g, a, b, h, l, e and d over June 2026 (1 June a Monday, 4 June
// Corpus Christi).
#include <gtest/gtest.h>

#include "warnings_fixture.h"

namespace planek::test {
namespace {

using lines_t = std::vector<std::string>;

// Keeps the worker list and sums the test set up.
warnings_hooks keep_sums() {
    warnings_hooks h;
    h.reselectGroup = [](Plan&) {};
    return h;
}

TEST(WarningsNorm, ExcessAndShortfallAboveTheirThresholds) {
    warnings_ward w(2026, 6, 2);
    w.only("fg");
    w.plan.listed = {{0, "", false}, {1, "", false}};
    period_totals& a = w.plan.workers[0].sum.period;
    a.periodNorm = 9555;
    a.periodDutyMinutes = 9555;
    a.periodCreditedMinutes = 600;  // exactly the threshold: no finding
    period_totals& b = w.plan.workers[1].sum.period;
    b.periodNorm = 9555;
    b.periodDutyMinutes = 8954;  // 10:01 short
    EXPECT_EQ(w.lines(keep_sums()), (lines_t{"g Ewa Kowalska brakuje do normatywu 10:01."}));

    a.periodCreditedMinutes = 601;
    b.periodDutyMinutes = 8955;
    EXPECT_EQ(w.lines(keep_sums()), (lines_t{"f Anna Nowak ma przekroczony normatyw o 10:01."}));
}

TEST(WarningsNorm, SumsComeFromTheWorkerSummaries) {
    // Without a window the check lists the group's workers and recomputes
    // their summaries: June 2026 has 21 working days of 7:35.
    warnings_ward w(2026, 6, 1);
    w.only("fg");
    prac outsider;
    outsider.id = 9;
    outsider.groups = "2|";
    w.plan.workers.push_back(outsider);
    EXPECT_EQ(w.lines(), (lines_t{"g Anna Nowak brakuje do normatywu 159:15."}));
    ASSERT_EQ(w.plan.listed.size(), 1u);
    EXPECT_EQ(w.plan.listed[0].worker, 0);
}

TEST(WarningsRest, TouchingDutiesAreAGapOfZeroAndOneStretch) {
    warnings_ward w(2026, 6, 1);
    w.only("ade");
    w.nightDuty(0, 3);  // 3 June 19:00 - 4 June 07:00
    w.dayDuty(0, 4);    // 4 June 07:00 - 19:00
    EXPECT_EQ(w.lines(), (lines_t{"a 03 Czerwiec (śr.)(i 4 Czerwiec) przerwa pomiędzy dyżurami Anna Nowak wynosi 0.",
                                  "e 4 Czerwiec (czw.) Anna Nowak ma zbyt długi dyżur (24:00)."}));
}

TEST(WarningsRest, ShortRestTheSameDayAndNoneWhenTheRuleIsSatisfied) {
    warnings_ward w(2026, 6, 1);
    w.only("a");
    w.duty(0, 3, 420, 480);   // 07:00-15:00
    w.duty(0, 3, 1140, 240);  // 19:00-23:00
    w.dayDuty(0, 5);          // 3 June 23:00 to 5 June 07:00: 32 hours
    EXPECT_EQ(w.lines(), (lines_t{"a 03 Czerwiec (śr.) przerwa pomiędzy dyżurami Anna Nowak wynosi 04:00."}));

    w.plan.options.warnings.vDutyNexttoDuty = 240;  // a rest of exactly 4:00 is enough
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));
}

TEST(WarningsDutyLength, TooShortAndTooLongStretches) {
    warnings_ward w(2026, 6, 1);
    w.only("de");
    w.duty(0, 2, 420, 120);      // 2:00 alone
    w.duty(0, 9, 420, 720, 60);  // 12:00 and an hour's overtime
    w.duty(0, 12, 420, 180);     // exactly 3:00: not too short
    EXPECT_EQ(w.lines(), (lines_t{"d 2 Czerwiec (wt.) Anna Nowak ma zbyt krótki dyżur (02:00).",
                                  "e 9 Czerwiec (wt.) Anna Nowak ma zbyt długi dyżur (13:00)."}));
}

TEST(WarningsNights, TwoNightsInARowUnlessADayIsExcluded) {
    warnings_ward w(2026, 6, 1);
    w.only("b");
    w.nightDuty(0, 3);
    w.nightDuty(0, 4);
    w.nightDuty(0, 10);
    w.dayDuty(0, 11);  // a day duty is no night
    w.duty(0, 20, 1380, 120);  // 23:00 starts inside the night
    w.duty(0, 21, 0, 60);      // 00:00 is before the night of its own day
    EXPECT_EQ(w.lines(),
              (lines_t{"b 03 Czerwiec (śr.)(i 4 Czerwiec) Anna Nowak ma dyżur nocny w dwóch kolejnych dniach."}));

    // Leave over the 4th: that day counts as a day without duties.
    wolne_& slot = w.plan.workers[0].months[0].daysOff[3];
    slot.id = 1;
    slot.symbol = 'u';
    slot.blocks = true;
    slot.customNorm = true;  // the duty stays in the lists
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));
}

TEST(WarningsWeekRest, ThirtyFourHoursAgainstThirtyFive) {
    warnings_ward w(2026, 6, 1);
    w.only("h");
    for (int d = 1; d <= 5; ++d) w.dayDuty(0, d);
    w.duty(0, 7, 300, 720);  // 5 June 19:00 to 7 June 05:00 free: 34 hours
    // Later weeks: one without duties, the last incomplete one (29, 30) is skipped.
    w.duty(0, 30, 0, 1440);
    EXPECT_EQ(w.lines(), (lines_t{"h Anna Nowak, w tygodniu od 1 Czerwiec do 7 Czerwiec najdłuższa przerwa pomiędzy "
                                  "dyżurami trwa 34:00 godz. (o 01:00 godz. za mało)"}));
}

TEST(WarningsWeekRest, RestStartsAfterTheDaysLastDuty) {
    warnings_ward w(2026, 6, 1);
    w.only("h");
    w.duty(0, 1, 360, 120);   // 06:00-08:00
    w.duty(0, 1, 1200, 180);  // 20:00-23:00
    for (int d = 3; d <= 7; ++d) w.duty(0, d, 480, 720);  // 08:00-20:00
    // Free from 1 June 23:00 to 3 June 08:00: 33 hours, not 48.
    EXPECT_EQ(w.lines(), (lines_t{"h Anna Nowak, w tygodniu od 1 Czerwiec do 7 Czerwiec najdłuższa przerwa pomiędzy "
                                  "dyżurami trwa 33:00 godz. (o 02:00 godz. za mało)"}));
}

TEST(WarningsWeekTime, ExactlyFiveDailyNormsAndEmptyWeeksNeverCount) {
    warnings_ward w(2026, 6, 1);
    w.only("l");
    for (int d = 1; d <= 5; ++d) w.duty(0, d, 420, 455);  // 5 x 7:35
    for (int d = 8; d <= 11; ++d) w.duty(0, d, 420, 455);  // 4 x 7:35: 20 % short
    for (int d = 22; d <= 26; ++d) w.duty(0, d, 420, 500);  // 41:40: 9.9 % over
    EXPECT_EQ(w.lines(),
              (lines_t{"l Anna Nowak, w tygodniu od 8 Czerwiec do 14 Czerwiec czas pracy wynosi 30:20 godz."}));
}

TEST(WarningsWorkerBadInput, EmptyMonthsAndDutiesPastTheMonthsEnd) {
    warnings_ward empty(2026, 6, 3);
    empty.only("abdefhil");
    empty.plan.options.warnings.LacksDuties = false;
    EXPECT_EQ(empty.lines(), (lines_t{"Brak uwag"}));

    warnings_ward w(2026, 6, 1);
    w.only("abdehl");
    w.nightDuty(0, 29);
    w.nightDuty(0, 30);  // runs into July
    w.plan.groups[0].dailyNorm = 0;  // rule l has nothing to compare with
    EXPECT_EQ(w.lines(), (lines_t{"b 29 Czerwiec (pon.)(i 30 Czerwiec) Anna Nowak ma dyżur nocny w dwóch kolejnych "
                                  "dniach."}));
}

TEST(WarningsPeriod, RulesRunOverTheWholeSettlementPeriod) {
    // June and July 2026 as two tabs, July shown; weeks count from 1 June.
    warnings_ward w(2026, 6, 1);
    w.only("abh");
    w.addNextMonth();
    w.dutyIn(0, 0, 29, 420, 720);
    w.dutyIn(0, 0, 30, 780, 720, 2);  // 30 June 13:00 to 1 July 01:00
    w.dutyIn(1, 0, 1, 420, 720);      // 1 July 07:00: six hours later
    w.dutyIn(1, 0, 2, 1140, 720, 2);
    w.dutyIn(1, 0, 3, 1140, 720, 2);
    w.dutyIn(1, 0, 4, 420, 720);
    w.dutyIn(1, 0, 5, 420, 720);
    w.refreshEarlierMonths();
    EXPECT_EQ(w.lines(),
              (lines_t{"a 03 Lipiec (pt.)(i 4 Lipiec) przerwa pomiędzy dyżurami Anna Nowak wynosi 0.",
                       "a 30 Czerwiec (wt.)(i 1 Lipiec) przerwa pomiędzy dyżurami Anna Nowak wynosi 06:00.",
                       "b 02 Lipiec (czw.)(i 3 Lipiec) Anna Nowak ma dyżur nocny w dwóch kolejnych dniach.",
                       "h Anna Nowak, w tygodniu od 29 Czerwiec do 5 Lipiec najdłuższa przerwa pomiędzy dyżurami "
                       "trwa 24:00 godz. (o 11:00 godz. za mało)"}));
}

}  // namespace
}  // namespace planek::test
