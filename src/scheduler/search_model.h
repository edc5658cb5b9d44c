#pragma once
// The month as the second algorithm sees it: for each worker of the run the
// duties that stay (loaded, hand-placed, other groups, the neighbouring
// months of the period) and the proposals being tried, at most one a day,
// with their lengths (a shortened one closes the gap to the norm) and the
// days off for Sunday and holiday work; for each shift cell the head count
// and the minutes it needs and has. The rules are evaluated on this model,
// never on the plan, so a step of the search costs a few hundred operations
// whatever the ward's size.
#include <cstdint>
#include <utility>
#include <vector>

#include "core/plan.h"

namespace planek::sched {

// Days of the neighbouring months kept on each side: a week, so that rests
// and weekly rests across the month's edges are seen.
inline constexpr int kSearchPad = 7;

// Minutes from midnight of the duty's own day.
struct timed_duty {
    int start = 0;
    int end = 0;
    int worked = 0;
};

struct search_shift {
    int start = 0;
    int length = 0;
    bool night = false;
};

// The weights of the soft rules, in points; see docs/scheduler.md. The
// group's aim chooses one of two sets.
struct search_weights {
    std::int64_t finding = 20000;        // each expected finding of the warnings check
    std::int64_t shortFinding = 20000;   // each expected finding of a shift left short
    std::int64_t shortMinute = 100;      // per person-minute missing in a shift
    std::int64_t overMinute = 10;        // per person-minute above a shift's need, times the persons over
    std::int64_t normMinute = 10;        // per minute between planned time and norm
    std::int64_t sundayOver = 5000;      // each Sunday past the allowed run
    std::int64_t weekMinute = 1;         // per minute of a week outside the allowed band
    std::int64_t leaning = 1000;         // a duty against a worker's leaning, per step of it
    std::int64_t fairness = 200;         // per square of nights or Sundays/holidays off the fair share
    std::int64_t wish = 3000;            // a wish not granted, per step of its weight
    std::int64_t dayOffMissing = 30000;  // a Sunday or holiday worked without its day off
    std::int64_t dayOffOnShortDay = 500; // a day off for holiday work on a day a shift is short
};

// The group's aim: fewer findings of the warnings check first (the default),
// or the staffing and the workers' norms first.
enum class search_aim { Rules = 0, Norm = 1 };
search_weights weights_for(search_aim aim);

struct search_worker {
    int index = -1;  // into plan.workers
    // Minutes still to plan this month to reach the norm (negative: over),
    // counted over all her groups.
    int remaining = 0;
    // Minutes of proposals that keep the period within the allowed excess,
    // counted over all her groups.
    std::int64_t room = 0;
    // Period shortfall before the run over all her groups, for the
    // unreached-norm finding.
    std::int64_t periodShort = 0;
    int leanDayNight = 3;
    int leanHoliday = 3;
    int sundaysBefore = 0;  // worked Sundays in a row ending before the month
    double nightShare = 0, holidayShare = 0;
    std::vector<char> open;                     // per day of the month: a proposal may go there
    std::vector<char> offOpen;                  // per day: a day off for holiday work may go there
    std::vector<std::vector<timed_duty>> kept;  // per model day (pad included)
    std::vector<int> keptShift;                 // per day: shift of a kept duty of the group, -1 another's, 0 none
    std::vector<int> shift;                     // per day of the month: proposed shift, 0 none
    std::vector<int> length;                    // per day: the proposal's minutes (shortened or whole)
    std::vector<char> off;                      // per day: proposed day off for holiday work ('1', '9', 0)
    std::vector<wish> wishes;                   // per day of the month
    // Which kinds of days off for holiday work she is given this month: not
    // a kind she already has one of, as the first algorithm gives them.
    bool wantsSundayOff = false, wantsHolidayOff = false;
    int proposedMinutes = 0;
    int shortened = 0;  // proposals shorter than their shift
    int hardBase = 0;   // the hard-rule breaches of the kept duties alone
    int hard = 0;
    std::int64_t cost = 0;
};

struct search_model {
    const Plan* plan = nullptr;
    word groupId = 0;
    int days = 0;
    std::vector<search_shift> shifts;
    std::vector<char> holiday, sunday;  // per day of the month
    // Weeks as the warnings check cuts them: model day ranges [first, last].
    std::vector<std::pair<int, int>> weeks;
    // [day][shift]: head count needed and had, minutes had, whole duties had.
    std::vector<std::vector<int>> need, count, minutes, whole;
    std::vector<int> offs;  // per day: proposed days off for holiday work
    std::vector<search_worker> workers;
    warnings_options rules;
    int dayStart = 0;  // the printouts' start of the day, where weekly rests are cut
    int nightStart = 1320, nightEnd = 1800;
    int weekTarget = 0;  // five daily norms
    bool residueNow = false;  // the residue of the norm is planned this month
    bool daysOffNow = false;  // days off for Sunday and holiday work are given
    int shortestDuty = 1;     // a shortened duty is never shorter (rule d)
    search_weights weights;

    int modelDays() const { return days + 2 * kSearchPad; }
    int shiftMinutes(int s) const { return shifts[size_t(s)].length; }
    bool workedHoliday(int d) const { return holiday[size_t(d)] || sunday[size_t(d)]; }
};

// The figures of a worker over all her groups, as the search needs them.
struct whole_worker {
    int norm = 0;     // this month's norm
    int planned = 0;  // this month's planned time, all groups
    std::int64_t periodExcess = 0;  // planned minus norm over the period, all groups
};
// Counts them, leaving the worker's sums as the current group shows them.
whole_worker whole_worker_figures(Plan& plan, int worker);

// The model of the shown month for these workers of the current group,
// staffing counts taken from the plan as it stands and each worker's time
// from `figures` (parallel to `workers`).
search_model build_search_model(const Plan& plan, const std::vector<int>& workers,
                                const std::vector<whole_worker>& figures);

// Whether a duty starting at `start` and lasting `length` counts as a night.
bool night_duty_at(const search_model& m, int start, int length);

// The kind of day off a worked day earns: '1' for a Sunday, '9' for another
// holiday, 0 for none.
char earned_day_off(const search_model& m, int day);

}  // namespace planek::sched
