#include "calendar/grid_moves.h"

#include <gtest/gtest.h>

#include "calendar/norm.h"
#include "calendar_fixture.h"

namespace planek {
namespace {

using test::month_plan;

// June 2026 starts on a Monday and ends on a Tuesday; two shift slots a day.
TEST(GridMoves, ArrowsStepThroughSlotsDaysAndWeeks) {
    Plan plan = month_plan(2026, 6);
    normatyw(plan, true, 0, true);
    ASSERT_EQ(plan.days.size(), 30u);
    using m = grid_move;
    EXPECT_EQ(moved_cell(plan, {-1, 0}, m::Right), (grid_cell{0, 1}));  // nothing selected yet
    EXPECT_EQ(moved_cell(plan, {0, 1}, m::Right), (grid_cell{0, 2}));
    EXPECT_EQ(moved_cell(plan, {0, 2}, m::Right), (grid_cell{1, 1}));
    EXPECT_EQ(moved_cell(plan, {1, 1}, m::Left), (grid_cell{0, 2}));
    EXPECT_EQ(moved_cell(plan, {2, 2}, m::Down), (grid_cell{9, 2}));
    EXPECT_EQ(moved_cell(plan, {9, 2}, m::Up), (grid_cell{2, 2}));
    // Sunday the 7th and Monday the 8th sit at the ends of two rows.
    EXPECT_EQ(moved_cell(plan, {6, 2}, m::Right), (grid_cell{7, 1}));

    // The edges of the month stop the selection.
    EXPECT_EQ(moved_cell(plan, {0, 1}, m::Left), std::nullopt);
    EXPECT_EQ(moved_cell(plan, {3, 1}, m::Up), std::nullopt);
    EXPECT_EQ(moved_cell(plan, {29, 2}, m::Right), std::nullopt);
    EXPECT_EQ(moved_cell(plan, {24, 1}, m::Down), std::nullopt);  // Thursday 25th: no day a week later

    Plan empty;
    EXPECT_EQ(moved_cell(empty, {0, 1}, m::Right), std::nullopt);
}

// Another month keeps the selected day number and slot; a shorter one its
// last day, a day of fewer slots its first.
TEST(GridMoves, AnotherMonthKeepsTheSelectedDay) {
    Plan plan = month_plan(2026, 6);
    normatyw(plan, true, 0, true);
    EXPECT_EQ(kept_cell(plan, {10, 2}), (grid_cell{10, 2}));
    EXPECT_EQ(kept_cell(plan, {30, 2}), (grid_cell{29, 2}));  // the 31st of May in June
    EXPECT_EQ(kept_cell(plan, {4, 3}), (grid_cell{4, 1}));
    EXPECT_EQ(kept_cell(plan, {-1, 0}), std::nullopt);
    const Plan empty;
    EXPECT_EQ(kept_cell(empty, {3, 1}), std::nullopt);
}

}  // namespace
}  // namespace planek
