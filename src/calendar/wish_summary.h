#pragma once
// A worker's wishes for a month as her summary and the printouts show them:
// how many she made, how many the month's duties grant, and the list.
#include <string>

#include "core/plan.h"

namespace planek {

struct wish_summary {
    int made = 0;
    int granted = 0;
    std::string list;  // "5 wolne, 12 zmiana 2 (3)": day, wish, weight when above 1
    std::string line;  // "spełniono 2 z 3", empty without wishes
};

// From the worker's duties of the period month as they stand: a duty of any
// group counts, as she works it whichever group planned it.
wish_summary zyczenia_pracownika(const Plan& plan, int worker, int periodMonth);

// The wish as a short text: "wolne", "zmiana 2", "nie zmiana 1".
std::string wish_caption(const Plan& plan, const wish& w);

}  // namespace planek
