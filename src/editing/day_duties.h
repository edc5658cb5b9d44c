#pragma once
// The duties of one day, as the day-properties dialog lists them.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

struct day_duty_entry {
    int worker = -1;
    int position = -1;  // in the worker's duty list of the day
    std::string text;   // "[Surname First name] 07:00 - 19:00"
};

// Every duty on a day index of the shown month of the workers the window
// lists, in list order and then in the order of each worker's duties.
std::vector<day_duty_entry> duties_of_day(const Plan& plan, int dayIndex);

}  // namespace planek
