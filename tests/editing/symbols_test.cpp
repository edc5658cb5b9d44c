#include "editing/symbols.h"

#include "editing/day_off_add.h"
#include "editing/duty_add.h"
#include "editing/editing_fixture.h"

namespace planek::test {
namespace {

struct Symbols : EditingFixture {
    dyzur stored(int start, int length, int overtime = 0, int shift = 1) {
        dyzur d = duty(0, 3, start, length, overtime, shift);
        d.id = 5;
        return d;
    }
};

TEST_F(Symbols, NoDutyGivesEmptyText) {
    dyzur d = stored(420, 720);
    d.id = 0;
    EXPECT_EQ(dyzur2symbol(plan, d, "ksymbol"), "");
}

TEST_F(Symbols, MedicalAndAlsoOvertimeShowTheOvertimeSymbol) {
    dyzur d = stored(420, 720);
    d.medical = true;
    EXPECT_EQ(dyzur2symbol(plan, d, "ksymbol"), "DM");
    d.alsoOvertime = true;
    EXPECT_EQ(dyzur2symbol(plan, d, "ksymbol"), "GN");
    // With the configured symbols empty the usual rules take over.
    plan.options.glowne.symbol_duty_as_overtime.clear();
    EXPECT_EQ(dyzur2symbol(plan, d, "ksymbol"), "R");
}

TEST_F(Symbols, UserEntriesComeBeforeShiftsAndTheLastMatchWins) {
    plan.dutySymbols.push_back({420, -1, -1, "Ra"});
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 720), "ksymbol"), "Ra");
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 300), "symbol"), "Ra");
    EXPECT_EQ(dyzur2symbol(plan, stored(1140, 720, 0, 2), "ksymbol"), "N");
    plan.dutySymbols.push_back({420, 720, -1, "R12"});
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 720), "ksymbol"), "R12");
    // An entry of start and length -1 would match everything: it never applies.
    plan.dutySymbols.push_back({-1, -1, -1, "ALL"});
    EXPECT_EQ(dyzur2symbol(plan, stored(1140, 720, 0, 2), "ksymbol"), "N");
}

TEST_F(Symbols, UserEntryOvertimeRules) {
    plan.dutySymbols.push_back({-1, 480, 60, "8+1"});
    EXPECT_EQ(dyzur2symbol(plan, stored(600, 480, 60), "ksymbol"), "8+1");
    // Without overtime on the duty the effective length is its length alone.
    EXPECT_EQ(dyzur2symbol(plan, stored(600, 540), "ksymbol"), "8+1");
    EXPECT_EQ(dyzur2symbol(plan, stored(600, 480), "ksymbol"), "I");
    plan.dutySymbols = {{-1, 540, -1, "9h"}};
    EXPECT_EQ(dyzur2symbol(plan, stored(600, 480, 60), "ksymbol"), "I");  // overtime not counted for -1
    EXPECT_EQ(dyzur2symbol(plan, stored(600, 540), "ksymbol"), "9h");
}

TEST_F(Symbols, ShiftTopUpAndEightRules) {
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 720), "ksymbol"), "R");
    plan.calendar.normRemainder = 460;
    EXPECT_EQ(dyzur2symbol(plan, stored(600, 460), "symbol"), "D");
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 455), "symbol"), "8");
    // The "8" length off its shift's start falls through to the time range.
    EXPECT_EQ(dyzur2symbol(plan, stored(480, 455), "symbol"), "08:00-15:35");
    // The range leaves the overtime out.
    EXPECT_EQ(dyzur2symbol(plan, stored(480, 300, 90), "symbol"), "08:00-13:00");
}

TEST_F(Symbols, OtherLengthAtShiftStartDependsOnMode) {
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 300), "ksymbol"), "I");
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 300), "symbol"), "I");
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 300), "ile"), "05:00");
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 300), "inny"), "");
    plan.options.glowne.symbol_other.clear();
    EXPECT_EQ(dyzur2symbol(plan, stored(420, 300), "ksymbol"), "");
    // A night duty's range shows its end on the next day's clock.
    EXPECT_EQ(dyzur2symbol(plan, stored(1200, 600, 0, 2), "ksymbol"), "20:00-06:00");
}

TEST_F(Symbols, KindNamesAndCodes) {
    EXPECT_EQ(wolne2nazwa(plan, 'u'), "Wypoczynkowy");
    EXPECT_EQ(wolne2nazwa(plan, char(0xBF)), "Dzień bez dyżuru");
    EXPECT_EQ(wolne2nazwa(plan, 'q'), " ");
    EXPECT_EQ(day_off_kind_code(char(0xBF)), "ż");
    EXPECT_EQ(day_off_kind_char("ż"), char(0xBF));
    EXPECT_EQ(day_off_kind_row(plan, 'a'), 15);
}

TEST_F(Symbols, LeaveOverAWeekendShowsOnWorkingDaysOnly) {
    // The 1st is a Monday: the 5th is a Friday, the 6th and 7th the weekend.
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 5, 8), 0, false, true));
    ms_& m = month(0);
    m.sum.days.resize(31);
    m.sum.days[4].creditedMinutes = 455;  // what the summary credits on working days
    m.sum.days[7].creditedMinutes = 455;
    EXPECT_EQ(wolne2symbol(plan, m.daysOff[4], 0, 4, 0), "U");
    EXPECT_EQ(wolne2symbol(plan, m.daysOff[5], 0, 5, 0), " ");
    EXPECT_EQ(wolne2symbol(plan, m.daysOff[6], 0, 6, 0), " ");
    EXPECT_EQ(wolne2symbol(plan, m.daysOff[7], 0, 7, 0), "U");
    // A duty inside the range shows the kind on every day of it.
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 6, 420, 720), -1, false, 0));
    EXPECT_TRUE(czy_sa_dyzury(plan, 0, 0, m.daysOff[4]));
    EXPECT_EQ(wolne2symbol(plan, m.daysOff[6], 0, 6, 0), "U");
}

TEST_F(Symbols, LeaveWithOwnNormAndSundayDayOffAlwaysShow) {
    wolne_ w = dayOff(0, 'u', 6, 7);
    w.customNorm = true;
    w.customNormMinutes = 120;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    EXPECT_EQ(wolne2symbol(plan, month(0).daysOff[6], 0, 6, 0), "U");
    plan.options.dayOffKinds[9].symbol = "N1";
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, '1', 13, 14), 0, false, true));
    EXPECT_EQ(wolne2symbol(plan, month(0).daysOff[12], 0, 12, 0), "N1");
    EXPECT_EQ(wolne2symbol(plan, month(0).daysOff[13], 0, 13, 0), "N1");
}

}  // namespace
}  // namespace planek::test
