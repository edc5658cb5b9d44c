#pragma once
#include <functional>

namespace planek {

struct Plan;

// The calendar calls into the staffing counts and the worker summaries,
// which sit beside it in this library and are built on top of what it
// computes. The calls go through these slots so a test (or a view that
// wants to know) can put its own routine in; an empty slot calls the
// library's own czysc_iledy, odswiez_okres and odswiez_pracownika.
struct calendar_refresh_hooks {
    // Staffing counts: czysc_iledy (resetCounts, resetWorkFlag).
    std::function<void(Plan&, bool resetCounts, bool resetWorkFlag)> czysc_iledy;
    // Period totals: odswiez_okres (fromNorm, allGroups, worker or -1).
    std::function<void(Plan&, bool fromNorm, bool allGroups, int worker)> odswiez_okres;
    // One worker's summary: odswiez_pracownika (worker, allGroups, periodMonth).
    std::function<void(Plan&, int worker, bool allGroups, int periodMonth)> odswiez_pracownika;
};

calendar_refresh_hooks& refresh_hooks();

// The calls themselves: the slot's routine when set, else the library's own.
void call_czysc_iledy(Plan& plan, bool resetCounts, bool resetWorkFlag);
void call_odswiez_okres(Plan& plan, bool fromNorm, bool allGroups, int worker);
void call_odswiez_pracownika(Plan& plan, int worker, bool allGroups, int periodMonth);

}  // namespace planek
