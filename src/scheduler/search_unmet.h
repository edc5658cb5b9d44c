#pragma once
// What the second algorithm could not meet, and why: one line per shift
// left short and per worker left short of the norm beyond the allowed
// margin, each naming the rule that stood in the way.
#include <string>
#include <vector>

#include "scheduler/search_model.h"

namespace planek::sched {

// The model holds the roster found; it is left as it was.
std::vector<std::string> unmet_lines(const Plan& plan, search_model& m);

// The wishes the roster in the model grants: "Spełniono N z M życzeń", then
// one line per wish not granted with what stood in its way. No lines when
// nobody made a wish.
struct wish_report {
    int granted = 0, made = 0;
    std::vector<std::string> lines;
};
wish_report wish_lines(const Plan& plan, search_model& m);

}  // namespace planek::sched
