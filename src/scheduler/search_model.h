#pragma once
// The month as the second algorithm sees it: for each worker of the run the
// duties that stay (loaded, hand-placed, other groups, the neighbouring
// months of the period) and the proposals being tried, at most one a day;
// for each shift cell the head count it needs and has. The rules are
// evaluated on this model, never on the plan, so a step of the search costs
// a few hundred operations whatever the ward's size.
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

// The weights of the soft rules, in points; see docs/scheduler.md.
struct search_weights {
    std::int64_t finding = 20000;        // each expected finding of the warnings check
    std::int64_t shortMinute = 100;      // per person-minute missing in a shift
    std::int64_t overMinute = 2;         // per person-minute above a shift's need, times the persons over
    std::int64_t normMinute = 10;        // per minute between planned time and norm
    std::int64_t sundayOver = 5000;      // each Sunday past the allowed run
    std::int64_t weekMinute = 1;         // per minute of a week outside the allowed band
    std::int64_t leaning = 1000;         // a duty against a worker's leaning, per step of it
    std::int64_t fairness = 200;         // per square of nights or Sundays/holidays off the fair share
};

// A shortened duty that closes the gap to the norm; day -1: none.
struct residue_duty {
    int day = -1;
    int shift = 0;  // 1-based
    int length = 0;
};

struct search_worker {
    int index = -1;  // into plan.workers
    // Minutes still to plan this month to reach the norm (negative: over).
    int remaining = 0;
    // Minutes of proposals that keep the period within the allowed excess.
    std::int64_t room = 0;
    // Period shortfall before the run, for the unreached-norm finding.
    std::int64_t periodShort = 0;
    int leanDayNight = 3;
    int leanHoliday = 3;
    int sundaysBefore = 0;  // worked Sundays in a row ending before the month
    double nightShare = 0, holidayShare = 0;
    std::vector<char> open;                     // per day of the month: a proposal may go there
    std::vector<std::vector<timed_duty>> kept;  // per model day (pad included)
    std::vector<int> shift;                     // per day of the month: proposed shift, 0 none
    int proposedMinutes = 0;  // the residue duty included
    residue_duty residue;
    int hardBase = 0;  // the hard-rule breaches of the kept duties alone
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
    std::vector<std::vector<int>> need, count;  // [day][shift]
    std::vector<search_worker> workers;
    warnings_options rules;
    int dayStart = 0;  // the printouts' start of the day, where weekly rests are cut
    int nightStart = 1320, nightEnd = 1800;
    int weekTarget = 0;  // five daily norms
    bool residueNow = false;  // the residue of the norm is planned this month
    search_weights weights;

    int modelDays() const { return days + 2 * kSearchPad; }
    int shiftMinutes(int s) const { return shifts[size_t(s)].length; }
};

// The model of the shown month for these workers of the current group,
// staffing counts and worker sums taken from the plan as it stands.
search_model build_search_model(const Plan& plan, const std::vector<int>& workers);

// Whether a duty starting at `start` and lasting `length` counts as a night.
bool night_duty_at(const search_model& m, int start, int length);

}  // namespace planek::sched
