#include "calendar/day_box.h"

#include <gtest/gtest.h>

#include "calendar/staffing.h"
#include "summary_fixture.h"

namespace planek {
namespace {

using test::ward;

constexpr int kDay = 1, kNight = 2;

TEST(DayBox, ShiftTargetsAndMostAndFewestOnDutyAtOnce) {
    ward w(30, 2, 3);  // day index 0 is a Monday
    w.plan.groups[0].shifts[0].symbol = "R";
    w.duty(0, 2, kDay, 420, 720);
    w.duty(1, 2, kDay, 480, 480, 60);     // 08:00 to 17:00
    w.duty(2, 1, kNight, 1140, 720);      // from the night before, to 07:00
    w.plan.months[0].days[2].note = "Kontrola sanepidu";
    const day_box b = podsumowanie_dnia(w.plan, 2);
    ASSERT_TRUE(b.valid);
    ASSERT_EQ(b.shifts.size(), 2u);
    EXPECT_EQ(b.shifts[0].symbol, "R");
    EXPECT_EQ(b.shifts[1].symbol, "2");  // a shift without a symbol goes by number
    EXPECT_EQ(b.shifts[0].headcount, 2);
    EXPECT_EQ(b.shifts[0].required, 2);
    EXPECT_EQ(b.most, 2);
    EXPECT_EQ(b.mostAt, 480);
    // 07:00 has the night gone and the day in: one; the evening shift is empty.
    EXPECT_EQ(b.fewest, 0);
    EXPECT_EQ(b.fewestAt, 1140);
    EXPECT_EQ(b.note, "Kontrola sanepidu");
    EXPECT_EQ(b.title, "Dzień 3, Środa");
    EXPECT_EQ(b.lines[1], "R: 2 z 2");
    EXPECT_EQ(b.lines[3], "Najwięcej na dyżurze: 2 (od 08:00)");
    EXPECT_TRUE(iledy_aktualne(w.plan));  // the box counted what was stale
}

TEST(DayBox, HolidayTargetsHiddenDutiesAndOtherGroups) {
    ward w(30, 2, 2);
    w.duty(0, 6, kDay, 420, 720);  // day index 6 is a Sunday
    w.dayOff(0, 6, 6, 'u');        // the leave hides its minutes
    dyzur& other = w.duty(1, 6, kDay, 420, 720);
    other.groupId = 2;
    const day_box b = podsumowanie_dnia(w.plan, 6);
    ASSERT_TRUE(b.valid);
    EXPECT_EQ(b.shifts[0].required, 1);
    EXPECT_EQ(b.shifts[0].headcount, 1);  // still a head in the count
    EXPECT_EQ(b.most, 0);
    // Nobody all day: from midnight, said as a time and not as a bare count.
    EXPECT_EQ(b.mostAt, 0);
    EXPECT_EQ(b.lines[3], "Najwięcej na dyżurze: 0 (od 00:00)");
}

TEST(DayBox, ListsEveryoneOnEachShiftAndEveryoneOff) {
    // The calendar may have no room for every panel of a day; the box names them all.
    ward w(30, 2, 4);
    w.plan.groups[0].shifts[0].symbol = "R";
    for (int i = 0; i < 4; ++i) w.plan.workers[size_t(i)].nick = "W" + std::to_string(i);
    w.duty(0, 4, kDay, 420, 720);
    w.duty(2, 4, kDay, 420, 720);
    w.duty(1, 4, kNight, 1140, 720);
    w.dayOff(3, 3, 5, 'u');
    w.dayOff(1, 4, 4, 'd', false);  // a day off that keeps the duty
    const day_box b = podsumowanie_dnia(w.plan, 4);
    ASSERT_TRUE(b.valid);
    EXPECT_EQ(b.shifts[0].who, (std::vector<std::string>{"W0", "W2"}));
    EXPECT_EQ(b.shifts[1].who, (std::vector<std::string>{"W1"}));
    EXPECT_EQ(b.daysOff, (std::vector<std::string>{"W1", "W3"}));
    ASSERT_EQ(b.lines.size(), 8u);
    EXPECT_EQ(b.lines[1], "R: 2 z 2");
    EXPECT_EQ(b.lines[5], "R: W0, W2");
    EXPECT_EQ(b.lines[6], "2: W1");
    EXPECT_EQ(b.lines[7], "Wolne: W1, W3");
}

TEST(DayBox, NothingToSumUpOutsideTheMonthOrWithoutShifts) {
    ward w;
    EXPECT_FALSE(podsumowanie_dnia(w.plan, -1).valid);
    EXPECT_FALSE(podsumowanie_dnia(w.plan, 30).valid);
    w.plan.groups[0].shifts.clear();
    EXPECT_FALSE(podsumowanie_dnia(w.plan, 0).valid);
    w.plan.currentGroup = -1;
    EXPECT_FALSE(podsumowanie_dnia(w.plan, 0).valid);
}

}  // namespace
}  // namespace planek
