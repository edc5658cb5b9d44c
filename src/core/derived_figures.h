#pragma once
// Figures computed from the stored roster and the view: the day table with
// its staffing counts, the calendar and norm of the shown month, the period
// totals and the standard duty lengths. Never saved; the calendar routines
// rebuild them, and the rest only read them.
#include <array>
#include <cstddef>
#include <vector>

#include "core/calendar_state.h"
#include "core/period.h"
#include "core/types.h"
#include "core/summary.h"

namespace planek {

// What the day table's shift counts (shiftHeadcount, shiftMinutes) were last
// counted for. Edits keep the counts current one worker at a time while the
// view is the same; a different group, month, duty-as filter, day table or staff
// makes them stale, and so does anything that clears `current`.
struct staffing_mark {
    bool current = false;
    int group = -1;
    int month = -1;
    std::array<bool, 4> filter{};
    size_t days = 0;
    size_t shifts = 0;
    size_t workers = 0;
    int workerOut = -1;  // the worker whose share an edit has taken out
};

struct derived_figures {
    std::vector<day> days;  // the shown month (or week columns)
    calendar_state calendar;  // derived by the norm routine
    // Per minute of a day: how many shifts of the current group cover it.
    std::array<word, 1440> shiftCoverage{};
    period_summary period;  // settlement-period totals (odswiez_okres)
    staffing_mark staffing;
    // Lengths of the "8" duty (the current group's daily norm) and of the
    // whole shift; the configured ones (glowne.dyz8/dyz12) until a norm is
    // computed.
    int dyz8 = 455;
    int dyz12 = 720;
};

}  // namespace planek
