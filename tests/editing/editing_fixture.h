#pragma once
// A small ward for the editing tests: one group with a day shift (07:00,
// 12 h) and a night shift (19:00, 12 h), a daily norm of 7:35, two workers
// and a 31-day month whose 1st is a Monday unless told otherwise.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/plan.h"
#include "support/scripted_interaction.h"

namespace planek::test {

struct EditingFixture : ::testing::Test {
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    // firstWeekday: 1 = Sunday .. 7 = Saturday, of the 1st of the month.
    void build(int dayCount = 31, int firstWeekday = 2);
    void SetUp() override { build(); }

    // A duty of worker w (index) on day of month `day`.
    dyzur duty(int w, int day, int start, int length, int overtime = 0, int shift = 1) const;
    wolne_ dayOff(int w, char kind, int from, int to) const;
    ms_& month(int w) { return plan.workers[w].months[plan.currentMonth]; }
    const std::vector<dyzur>& dutiesOn(int w, int day) { return month(w).duties[day - 1]; }
};

// Equality of everything a refusal must leave alone: every worker's month
// tables and allowance balances and the two orphan lists.
::testing::AssertionResult SameMonthTables(const Plan& a, const Plan& b);

}  // namespace planek::test
