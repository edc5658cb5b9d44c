#pragma once
#include "core/plan.h"

namespace planek {

// The calls through plan.hooks.calendar: the slot's routine when set, else
// the library's own.
void call_czysc_iledy(Plan& plan, bool resetCounts, bool resetWorkFlag);
void call_odswiez_okres(Plan& plan, bool fromNorm, bool allGroups, int worker);
void call_odswiez_pracownika(Plan& plan, int worker, bool allGroups, int periodMonth);

}  // namespace planek
