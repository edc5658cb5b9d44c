// Rules k, j and c over June 2026 (1 June a Monday, 4 June Corpus Christi,
// Sundays 7, 14, 21, 28).
#include <gtest/gtest.h>

#include <algorithm>

#include "scheduler/warnings_rules.h"
#include "warnings_fixture.h"

namespace planek::test {
namespace {

using lines_t = std::vector<std::string>;

// Worker 0 on every day shift, worker 1 on every night shift but the nights
// listed.
void fill_month(warnings_ward& w, std::vector<int> freeNights = {}) {
    for (int d = 1; d <= w.days(); ++d) {
        w.dayDuty(0, d);
        if (std::find(freeNights.begin(), freeNights.end(), d) == freeNights.end()) w.nightDuty(1, d);
    }
}

lines_t containing(const lines_t& lines, const std::string& part) {
    lines_t out;
    for (const std::string& l : lines)
        if (l.find(part) != std::string::npos) out.push_back(l);
    return out;
}

TEST(WarningsStaffing, RoundsHalvesToEven) {
    EXPECT_EQ(round_half_even(5, 2), 2);
    EXPECT_EQ(round_half_even(7, 2), 4);
    EXPECT_EQ(round_half_even(-5, 2), -2);
    EXPECT_EQ(round_half_even(-7, 2), -4);
    EXPECT_EQ(round_half_even(2, 3), 1);
    EXPECT_EQ(round_half_even(1, 3), 0);
    EXPECT_EQ(round_half_even(1800, 720), 2);  // 2.5 -> 2
    EXPECT_EQ(round_half_even(5400, 720), 8);  // 7.5 -> 8
}

TEST(WarningsGaps, GapOverMidnightIsOneLineWithBothDays) {
    warnings_ward w(2026, 6, 2);
    w.only("k");
    fill_month(w, {10});
    // The month's first night before 07:00 has nobody: the previous month's
    // duties are not counted, and a start at midnight shows as "0".
    EXPECT_EQ(w.lines(), (lines_t{"k Czerwiec: Brak obsady od godz. 0 (1-go) do godz. 07:00 (1-go)",
                                  "k Czerwiec: Brak obsady od godz. 19:00 (10-go) do godz. 07:00 (11-go)"}));
}

TEST(WarningsGaps, GapOpenAtTheMonthsEndClosesAt2400) {
    warnings_ward w(2026, 6, 2);
    w.only("k");
    fill_month(w, {30});
    const lines_t lines = w.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "k Czerwiec: Brak obsady od godz. 19:00 (30-go) do godz. 24:00 (30-go)");
}

TEST(WarningsGaps, GapOpenAtTheMonthsEndIsKeptWhenMidnightNeedsNoCover) {
    warnings_ward w(2026, 6, 1);
    w.only("k");
    w.plan.groups[0].shifts = {w.plan.groups[0].shifts[0]};
    w.plan.groups[0].shifts[0].length = 480;  // 07:00-15:00 only
    for (int d = 1; d < w.days(); ++d) w.duty(0, d, 420, 480);
    EXPECT_EQ(w.lines(), (lines_t{"k Czerwiec: Brak obsady od godz. 07:00 (30-go) do godz. 24:00 (30-go)"}));
}

TEST(WarningsGaps, OneMinuteGapAndNoCoverNoLines) {
    warnings_ward w(2026, 6, 2);
    w.only("k");
    fill_month(w);
    // The day duty of the 12th ends a minute early.
    w.plan.workers[0].months[0].duties[11][0].length = 719;
    const lines_t lines = w.lines();
    EXPECT_EQ(containing(lines, "(12-go)"),
              (lines_t{"k Czerwiec: Brak obsady od godz. 18:59 (12-go) do godz. 19:00 (12-go)"}));

    warnings_ward empty(2026, 6, 0);
    empty.only("k");
    empty.plan.groups[0].shifts.clear();  // nothing to cover
    EXPECT_EQ(empty.lines(), (lines_t{"Brak uwag"}));
}

TEST(WarningsPercent, BelowAndAboveTheTargetInPercent) {
    warnings_ward w(2026, 6, 4);
    w.only("j");
    fill_month(w);
    // 5 June (Friday): three on the day shift; 6 June: a day duty of 6 hours.
    w.dayDuty(2, 5);
    w.dayDuty(3, 5);
    w.plan.workers[0].months[0].duties[5][0].length = 360;
    EXPECT_EQ(w.lines(), (lines_t{"j 05 Czerwiec (pt.): Obsada na zmianie nr 1 jest za duża i stanowi 300% zakładanej",
                                  "j 06 Czerwiec (sob.): Obsada na zmianie nr 1 jest za mała i stanowi 50% zakładanej"}));

    // Exactly at the upper limit is no finding.
    w.plan.options.warnings.vStaffBiggerPercent = 300;
    EXPECT_EQ(containing(w.lines(), "300%"), lines_t{});
}

TEST(WarningsPercent, HalvesRoundToEvenAndHolidaysUseTheirOwnTarget) {
    warnings_ward w(2026, 6, 2);
    w.only("j");
    fill_month(w);
    w.plan.workers[0].months[0].duties[1][0].length = 18;  // 2.5 %
    w.plan.workers[0].months[0].duties[2][0].length = 54;  // 7.5 %
    // 7 June is a Sunday: with two needed there, one is 50 %.
    w.plan.groups[0].shifts[0].staffMinS = 2;
    EXPECT_EQ(w.lines(), (lines_t{"j 02 Czerwiec (wt.): Obsada na zmianie nr 1 jest za mała i stanowi 2% zakładanej",
                                  "j 03 Czerwiec (śr.): Obsada na zmianie nr 1 jest za mała i stanowi 8% zakładanej",
                                  "j 04 Czerwiec (czw.): Obsada na zmianie nr 1 jest za mała i stanowi 50% zakładanej",
                                  "j 07 Czerwiec (niedz.): Obsada na zmianie nr 1 jest za mała i stanowi 50% zakładanej",
                                  "j 14 Czerwiec (niedz.): Obsada na zmianie nr 1 jest za mała i stanowi 50% zakładanej",
                                  "j 21 Czerwiec (niedz.): Obsada na zmianie nr 1 jest za mała i stanowi 50% zakładanej",
                                  "j 28 Czerwiec (niedz.): Obsada na zmianie nr 1 jest za mała i stanowi 50% zakładanej"}));
}

TEST(WarningsPersons, ShortfallAndExcessAgainstTheirThresholds) {
    warnings_ward w(2026, 6, 4);
    w.only("c");
    fill_month(w);
    w.dayDuty(2, 5);
    w.dayDuty(3, 5);                                  // 5 June: three on the day shift
    w.plan.workers[0].months[0].duties[5].clear();   // 6 June: nobody by day
    EXPECT_EQ(w.lines(), (lines_t{"c 05 Czerwiec (pt.): Obsada na zmianie nr 1 większa od zakładanej o 2",
                                  "c 06 Czerwiec (sob.): Obsada na zmianie nr 1 mniejsza od zakładanej o 1"}));

    w.plan.options.warnings.vStaffBigger = 3;
    w.plan.options.warnings.StaffLess = false;
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));
}

TEST(WarningsPersons, ThresholdBelowOneCountsAsOne) {
    warnings_ward w(2026, 6, 2);
    w.only("c");
    fill_month(w);
    w.plan.options.warnings.vStaffLess = 0;
    w.plan.options.warnings.vStaffBigger = -3;
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));
}

TEST(WarningsStaffingBadInput, ZeroTargetsAndZeroLengthShifts) {
    warnings_ward w(2026, 6, 2);
    w.only("cj");
    for (zmiana_& s : w.plan.groups[0].shifts) s.staffMin = s.staffMinS = 0;
    EXPECT_EQ(w.lines(), (lines_t{"Brak uwag"}));

    // Zero-length shifts: nothing to cover and no percent, but rule c still
    // compares head counts.
    warnings_ward z(2026, 6, 2);
    for (zmiana_& s : z.plan.groups[0].shifts) s.length = 0;
    z.only("cjk");
    const lines_t lines = z.lines();
    EXPECT_EQ(lines.size(), size_t(2 * z.days()));
    EXPECT_TRUE(containing(lines, "stanowi").empty());
    EXPECT_TRUE(containing(lines, "Brak obsady").empty());
}

}  // namespace
}  // namespace planek::test
