#pragma once
// A worker's month in figures: norm, day, night and holiday minutes, the
// overtime at both rates, the credited days off; the settlement-period totals
// and the overtime carried over from another month file.
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/plan.h"

namespace planek {

// Recomputes the summary of worker w in period month m (only duties and days
// off of the current group unless allGroups), then the worker's period
// totals. Nothing happens for an index outside the tables or a worker
// without groups.
void odswiez_pracownika(Plan& plan, int worker, bool allGroups, int periodMonth);

// Month totals of the worker's day summaries; kinds 1..4 only while ticked.
void zsumuj_dyzury(Plan& plan, int periodMonth, int worker);

// All-zero per-kind day-off totals.
day_off_totals zeruj_url_sum();

// Settlement-period totals of one worker, or of every worker of the current
// group (all groups with allGroups) when worker is -1.
void odswiez_okres(Plan& plan, bool fromNorm, bool allGroups, int worker);

// The month's overtime balance kept for the next month file: worked plus
// credited minutes less the worker's norm.
std::int32_t nadpracowanie_miesiaca(const Plan& plan, int worker, int periodMonth);

// Reads [auto_nadpracowania] of another month file into overtimeFromPrevious
// of every listed worker, tells how many were loaded and refreshes the
// selected worker. False when the worker list is empty or the file cannot be
// read (nothing changes then).
bool nadpracowania_auto_wczytaj(Plan& plan, const std::filesystem::path& monthFile);
// Sets overtimeFromPrevious of every listed worker to 0.
void nadpracowania_auto_zeruj(Plan& plan);

// The figures of the worker boxes of the main window, as texts and numbers,
// so the window and the command line show the same.
struct worker_boxes {
    bool shown = false;  // false in week mode: every box stays empty
    std::string st_Workers;

    std::int32_t norm = 0;      // max(workerNorm, 0)
    std::int32_t openNorm = 0;  // workerNorm - worked - credited
    std::int32_t usedNorm = 0;  // max(worked + credited, 0)
    std::int32_t overtime = 0;  // the six overtime totals
    std::int32_t openDuties = 0;     // open norm in whole first-shift duties ...
    std::int32_t openRest = 0;       // ... and the rest, when both apply
    std::int32_t dayMinutes = 0, nightMinutes = 0, holidayMinutes = 0, workedMinutes = 0;
    std::int32_t creditedMinutes = 0;
    std::int32_t leaveLeft = 0;  // this and last year's leave, minutes
    std::int64_t periodNorm = 0, periodDuties = 0, periodDayOffs = 0, periodOpen = 0;

    std::string l_wnq_Norma, l_wnq_NormaUnused, l_wnq_NormaUsed, l_wnq_Overtime, l_wnq_PreviousPeriod;
    std::string openNormAsDuties;  // "%dx "%s" + %s", empty when not shown
    std::string l_dq_Days, l_dq_Nights, l_dq_Holidays, l_dq_Total;
    std::string l_lq_Total, l_lq_HolidayUnused, l_lq_RehaHolidayUnused;
    std::string l_l_CareDaysUnused, l_lq_CareDaysUnused;
    std::string l_pq_Norma, l_pq_Duties, l_pq_DayOffs, l_pq_NormaUnused;
    // The month's wishes: "spełniono 2 z 3" and the list; empty without any.
    std::string l_wq_Wishes, wishList;
};

// Boxes of worker w in period month m from the figures last computed.
worker_boxes ramki_pracownika(const Plan& plan, int worker, int periodMonth);

}  // namespace planek
