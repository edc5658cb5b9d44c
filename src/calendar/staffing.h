#pragma once
// Daily staffing counts of the shown month and the current group: per day
// and shift how many hold a duty and for how many minutes, per minute how
// many are on duty, the average staffing of each shift, and the two searches
// of the automatic scheduler.
#include <functional>
#include <string>
#include <utility>

#include "core/plan.h"

namespace planek {

// Resets the day's work flag (resetWorkFlag) and sizes and zeroes the three
// per-shift arrays of every day (resetCounts).
void czysc_iledy(Plan& plan, bool resetCounts, bool resetWorkFlag);

// shiftHeadcount and shiftMinutes of every day and shift.
void odswiez_iledy(Plan& plan);

// Whether shiftHeadcount and shiftMinutes match the plan as it is shown now.
bool iledy_aktualne(const Plan& plan);

// Counts them anew unless they are current.
void odswiez_iledy_gdy_trzeba(Plan& plan);

// Marks the counts stale, after a change an edit does not keep them through
// (a worker's groups, a group's shifts, a month read anew).
void uniewaznij_iledy(Plan& plan);

// Takes one worker's share out of the counts for the length of an edit and
// puts the share back as the edit left it. Only the outermost share of a
// nested edit counts; stale counts are left alone for the next full count.
class worker_staffing_share {
public:
    worker_staffing_share(Plan& plan, int worker);
    ~worker_staffing_share();
    worker_staffing_share(const worker_staffing_share&) = delete;
    worker_staffing_share& operator=(const worker_staffing_share&) = delete;

private:
    Plan& plan_;
    int worker_;
    bool owner_ = false;
};

// shiftCoverage and every day's minuteHeadcount.
void odswiez_ilemy(Plan& plan);

// averageStaffing of every day and shift, from minuteHeadcount.
void wylicz_srednie_obsady(Plan& plan);

// Adds (sign +1) or takes back (sign -1) one duty of a worker in the counts
// of odswiez_iledy and odswiez_ilemy, touching only the days the duty
// reaches. Lets an edit keep the counts without a refresh of the whole ward;
// the worker's day-off slot must be the one the duty was counted with.
void zmien_iledy_dyzuru(Plan& plan, int worker, int dayIndex, const dyzur& duty, int sign);

// First (day index, shift index) staffed below its need, or (-1, -1).
std::pair<int, int> znajdz_puste_iledy(const Plan& plan);

// Position in the worker's duty list of a day of the duty ending last
// (mode "max") or starting first ("min"); -1 when there is none.
int zwroc_dyz(const Plan& plan, int worker, int dayIndex, const std::string& mode);

// Moves the donor duty (worker, day index, position) to its copy. Returns
// false, leaving the plan as it was, when the copy cannot be placed.
using duty_mover = std::function<bool(Plan& plan, int worker, int dayIndex, int position, const dyzur& copy)>;

// The plain move used when no mover is given: the donor duty leaves its list
// and the copy, numbered anew and started at its shift's start, joins the
// target day; the staffing counts follow.
bool przenies_dyzur_prosto(Plan& plan, int worker, int dayIndex, int position, const dyzur& copy);

// A duty that could fill the target cell.
struct staff_donor {
    int worker = -1;
    int day = -1;
    int position = -1;
};

// The best proposed duty of an over-staffed cell that may move into the
// target cell (day index td, shift index ts).
staff_donor znajdz_dawce(const Plan& plan, int td, int ts);

// Moves that duty into the target cell; returns (worker, donor day index) or
// (-1, -1) when no duty can move.
std::pair<int, int> znajdz_nadmiarowe_iledy(Plan& plan, int td, int ts, const duty_mover& mover = {});

}  // namespace planek
