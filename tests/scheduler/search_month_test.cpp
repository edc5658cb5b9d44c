// The second algorithm over the whole month and the whole worker: the
// residue and the days off for holiday work planned under the search's
// cost, the workers' wishes granted by weight, the time granted as a
// deterministic effort, and a worker of two groups kept within her norm.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/staffing.h"
#include "calendar/wish_summary.h"
#include "editing/wishes.h"
#include "scheduler/exact_model.h"
#include "scheduler/search_cost.h"
#include "scheduler/search_engine.h"
#include "scheduler/warnings.h"
#include "scheduler_fixture.h"

namespace planek::test {
namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

struct month_ward : scheduler_ward {
    using scheduler_ward::scheduler_ward;

    scheduler_report plan2(std::uint64_t seed, double seconds = 5, Answer answer = Answer::Yes) {
        ui->answers.push_back(answer);
        scheduler_choice choice;
        choice.algorithm = 2;
        choice.seed = seed;
        choice.seconds = seconds;
        return uloz_planek(plan, choice);
    }
    std::vector<std::string> findings() {
        przygotuj_ostrzezenia(plan);
        return sprawdz_ostrzezenia(plan);
    }
    // Days with a shift of the group below its need.
    std::vector<int> short_days() {
        odswiez_iledy(plan);
        std::vector<int> out;
        for (int d = 0; d < days(); ++d)
            for (size_t s = 0; s < group().shifts.size(); ++s) {
                const day& dd = plan.days[size_t(d)];
                const int need = dd.holiday ? group().shifts[s].staffMinS : group().shifts[s].staffMin;
                if (dd.shiftHeadcount[s] < need) {
                    out.push_back(d);
                    break;
                }
            }
        return out;
    }
    void wishFor(int w, int day, wish_kind kind, int shift, int weight) {
        ASSERT_TRUE(ustaw_zyczenie(plan, w, day - 1, {kind, byte(shift), byte(weight)}).ok());
    }
};

TEST(SearchMonth, PlansTheFiveWorkerWardOfMayWithoutAnyFinding) {
    // Day and night shifts of twelve hours, one person each, 62 duties; five
    // full-time workers with a norm of 151:40 take 13, 13, 12, 12 and 12 of
    // them within the allowances. A shortened duty on a full shift, or a
    // thirteenth duty too many, would each be a finding.
    month_ward ward(2, 2026, 5);
    ward.group().residueDistribution = 0;
    for (zmiana_& z : ward.group().shifts) z.staffMin = z.staffMinS = 1;
    warnings_options& o = ward.plan.options.warnings;
    o.DutyTooShort = o.DutyTooLong = o.WorkSundaysMaxCount = false;
    o.StaffLessPercent = o.StaffBiggerPercent = o.DiscontinuosStaff = o.WeekWorkTime = false;
    normatyw(ward.plan, true, 0, false);
    for (int i = 0; i < 5; ++i) ward.addWorker();
    const scheduler_report r = ward.plan2(1);
    EXPECT_TRUE(r.unmet.empty()) << joined(r.unmet);
    const std::vector<std::string> lines = ward.findings();
    ASSERT_EQ(lines.size(), 1u) << joined(lines);
    EXPECT_EQ(lines[0], "Brak uwag");
    int duties = 0;
    for (int w = 0; w < 5; ++w) {
        for (int d = 0; d < ward.days(); ++d)
            for (const dyzur& x : ward.month(w).duties[size_t(d)]) EXPECT_EQ(x.length, 720) << "worker " << w;
        duties += ward.dutyCount(w);
    }
    EXPECT_EQ(duties, 62);
}

TEST(SearchMonth, GivesTheDaysOffForHolidayWorkOnDaysNoShiftIsShort) {
    // Four workers for 60 twelve-hour duties: some days stay short whatever
    // the roster. A day off for the Sundays and Corpus Christi worked is
    // within six days of the day worked, never on a holiday, and never on a
    // day a shift is short, where the worker would be the one to call.
    month_ward ward;
    ward.group().dayOffForHolidayWorkDistribution = true;
    for (zmiana_& z : ward.group().shifts) z.staffMin = z.staffMinS = 1;
    ward.plan.options.warnings.WeekWorkTime = false;
    for (int i = 0; i < 4; ++i) ward.addWorker();
    ward.plan2(3);
    const std::vector<int> shortDays = ward.short_days();
    ASSERT_FALSE(shortDays.empty());
    int given = 0;
    for (int w = 0; w < 4; ++w) {
        const std::vector<int> shifts = ward.shifts(w);
        for (const auto& [dayNo, kind] : ward.daysOff(w)) {
            ASSERT_TRUE(kind == '1' || kind == '9') << kind;
            ++given;
            const int d = dayNo - 1;
            EXPECT_FALSE(ward.plan.days[size_t(d)].holiday) << "day " << dayNo;
            EXPECT_EQ(std::count(shortDays.begin(), shortDays.end(), d), 0) << "worker " << w << " day " << dayNo;
            bool earned = false;
            for (int h = std::max(0, d - 6); h <= std::min(ward.days() - 1, d + 6); ++h) {
                const day& dd = ward.plan.days[size_t(h)];
                const bool sunday = dd.dayOfWeek == 1;
                if (shifts[size_t(h)] != 0 && (kind == '1' ? sunday : dd.holiday && !sunday)) earned = true;
            }
            EXPECT_TRUE(earned) << "worker " << w << " day " << dayNo;
        }
    }
    EXPECT_GT(given, 0);
}

// Two eight-hour shifts, one person each, three workers: every day needs
// two of the three, so on any day only one may be off.
struct wish_ward : month_ward {
    wish_ward() {
        grupa& g = group();
        g.shifts[0].start = 360;
        g.shifts[0].length = 480;
        g.shifts[1].start = 840;
        g.shifts[1].length = 480;
        for (zmiana_& z : g.shifts) z.staffMin = z.staffMinS = 1;
        plan.options.warnings.vWeekWorkTime = 20;
        normatyw(plan, true, 0, false);
        for (int i = 0; i < 3; ++i) addWorker();
    }
};

TEST(SearchMonth, GrantsTheWishesByWeightWhereTheStaffingLeavesAChoice) {
    // On the 10th all three want the day off: one of them can have it, the
    // one who wants it most. On the 12th two want the late shift: the
    // heavier wish gets it. A wish not to work the early shift on the 16th
    // costs nobody anything and is granted.
    wish_ward ward;
    ward.wishFor(0, 10, wish_kind::DayOff, 0, 1);
    ward.wishFor(1, 10, wish_kind::DayOff, 0, 3);
    ward.wishFor(2, 10, wish_kind::DayOff, 0, 2);
    ward.wishFor(0, 12, wish_kind::Shift, 2, 1);
    ward.wishFor(2, 12, wish_kind::Shift, 2, 2);
    ward.wishFor(1, 16, wish_kind::NotShift, 1, 1);
    const scheduler_report r = ward.plan2(5);
    EXPECT_TRUE(r.unmet.empty()) << joined(r.unmet);
    EXPECT_EQ(r.wishesMade, 6);
    EXPECT_EQ(r.wishesGranted, 3) << joined(r.wishes);
    ASSERT_FALSE(r.wishes.empty());
    EXPECT_EQ(r.wishes[0], "Spełniono 3 z 6 życzeń");
    EXPECT_EQ(r.wishes.size(), 4u) << joined(r.wishes);
    EXPECT_NE(joined(r.wishes).find("jest potrzebna na zmianie"), std::string::npos) << joined(r.wishes);
    EXPECT_EQ(ward.shifts(1)[9], 0);
    EXPECT_NE(ward.shifts(0)[9], 0);
    EXPECT_NE(ward.shifts(2)[9], 0);
    EXPECT_EQ(ward.shifts(2)[11], 2);
    EXPECT_NE(ward.shifts(1)[15], 1);
    // The summary counts the same against the accepted duties.
    const wish_summary s = zyczenia_pracownika(ward.plan, 1, 0);
    EXPECT_EQ(s.made, 2);
    EXPECT_EQ(s.granted, 2);
    EXPECT_EQ(s.line, "spełniono 2 z 2");
}

TEST(SearchMonth, TheExactModelBoundsTheSearchAndKeepsItsRules) {
    if (!sched::exact_available()) GTEST_SKIP() << "built without CBC";
    // Whole shifts only, so the solver's bound holds for the search's
    // roster too; a wish makes the objective's wish terms count.
    wish_ward ward;
    ward.group().residueDistribution = 2;
    ward.wishFor(0, 10, wish_kind::DayOff, 0, 2);
    scheduler_choice choice;
    choice.seed = 3;
    choice.seconds = 1;
    const exact_comparison c = compare_with_exact(ward.plan, choice, 20);
    ASSERT_TRUE(c.available);
    ASSERT_TRUE(c.solved);
    EXPECT_EQ(c.breaches, 0);
    EXPECT_LE(c.bound, double(c.searchCost) + 1);
    EXPECT_LE(c.bound, double(c.exactCost) + 1);
    EXPECT_GT(c.searchCost, 0);
    // Three full-timers cover the sixty duties of whole shifts, and the
    // solver, starting from the search's staffed roster, keeps them covered.
    EXPECT_EQ(c.exactShortMinutes, 0);
    // Neither touched the plan.
    for (int w = 0; w < 3; ++w) EXPECT_EQ(ward.dutyCount(w), 0);
}

TEST(SearchMonth, TheExactModelsRosterIsJudgedOnItsOwnStaffingAlone) {
    if (!sched::exact_available()) GTEST_SKIP() << "built without CBC";
    // The solver starts from the search's roster and replaces it: judged on
    // a fresh model holding only the solver's roster, it must cost the same,
    // not what both rosters staffing the shifts together would.
    wish_ward ward;
    ward.group().residueDistribution = 2;
    odswiez_iledy(ward.plan);
    const auto fresh = [&] {
        std::vector<sched::whole_worker> figures;
        for (int w = 0; w < 3; ++w) figures.push_back(sched::whole_worker_figures(ward.plan, w));
        return sched::build_search_model(ward.plan, {0, 1, 2}, figures);
    };
    sched::search_model m = fresh();
    sched::search_limits limits;
    limits.seed = 3;
    limits.seconds = 1;
    sched::search_roster(m, limits);
    const sched::exact_result r = sched::solve_exact(m, 20);
    ASSERT_TRUE(r.solved);
    sched::search_model again = fresh();
    for (size_t w = 0; w < 3; ++w) {
        again.workers[w].shift = m.workers[w].shift;
        again.workers[w].length = m.workers[w].length;
        again.workers[w].off = m.workers[w].off;
    }
    EXPECT_EQ(r.cost, sched::complete_roster(again));
    EXPECT_EQ(m.count, again.count);
}

TEST(SearchMonth, LeavesTheCheapestRosterOfAllItsRunsInTheModel) {
    // Budgets that end within the first short run, between them and in the
    // run that goes on: each time the model holds the roster reported, at
    // the cost reported, and no run ends dearer than where the first began.
    wish_ward ward;
    odswiez_iledy(ward.plan);
    std::vector<sched::whole_worker> figures;
    for (int w = 0; w < 3; ++w) figures.push_back(sched::whole_worker_figures(ward.plan, w));
    for (std::int64_t steps : {500, 25000, 60000}) {
        sched::search_model m = sched::build_search_model(ward.plan, {0, 1, 2}, figures);
        sched::search_limits limits;
        limits.seed = 5;
        limits.steps = steps;
        const sched::search_result r = sched::search_roster(m, limits);
        EXPECT_EQ(r.cost, sched::model_cost(m)) << steps;
        EXPECT_EQ(r.findings, sched::model_findings(m)) << steps;
        sched::search_model first = sched::build_search_model(ward.plan, {0, 1, 2}, figures);
        limits.steps = 1;
        EXPECT_LE(r.cost, sched::search_roster(first, limits).cost) << steps;
    }
}

TEST(SearchMonth, TheSameSeedAndTimeGiveTheSameRosterAndMoreTimeMoreSteps) {
    const auto roster = [](std::uint64_t seed, double seconds, std::int64_t& steps) {
        month_ward ward;
        for (zmiana_& z : ward.group().shifts) z.staffMin = z.staffMinS = 2;
        for (int i = 0; i < 9; ++i) ward.addWorker();
        const scheduler_report r = ward.plan2(seed, seconds);
        EXPECT_FALSE(r.timedOut);
        steps = r.steps;
        std::vector<std::vector<int>> out;
        for (int w = 0; w < 9; ++w) out.push_back(ward.shifts(w));
        return out;
    };
    // Grants small enough that a sanitizer build, twenty times slower than
    // the budget assumes, still ends on its steps and not on the clock.
    std::int64_t a = 0, b = 0, c = 0;
    EXPECT_EQ(roster(11, 0.1, a), roster(11, 0.1, b));
    EXPECT_EQ(a, b);
    roster(11, 0.05, c);
    EXPECT_LE(c, sched::budget_steps(0.05));
    EXPECT_EQ(sched::budget_steps(60), 60 * sched::kStepsPerSecond);
}

TEST(SearchMonth, KeepsAWorkerOfTwoGroupsWithinHerNormOverBoth) {
    // She is in both groups; the first group's duties are accepted, then
    // the second is planned: her room is what the first left.
    month_ward ward;
    grupa second = ward.group();
    second.id = 2;
    second.name = "Drugi";
    ward.plan.groups.push_back(second);
    for (grupa& g : ward.plan.groups)
        for (zmiana_& z : g.shifts) z.staffMin = z.staffMinS = 1;
    const int both = ward.addWorker("", 1, "1|2|");
    for (int i = 0; i < 3; ++i) ward.addWorker();
    for (int i = 0; i < 3; ++i) ward.addWorker("", 1, "2|");
    ward.plan2(2);
    ward.plan.currentGroup = 1;
    odswiez_liste_prac_panel(ward.plan);
    ward.plan2(2);
    odswiez_pracownika(ward.plan, both, true, 0);
    const int planned = ward.planned(both);
    EXPECT_LE(planned - ward.month(both).workerNorm, ward.plan.options.warnings.vNormativeExceeded);
    EXPECT_GT(planned, ward.month(both).workerNorm / 2);
}

}  // namespace
}  // namespace planek::test
