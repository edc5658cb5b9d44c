#pragma once
// How one duty's minutes divide: overtime at the higher and the lower rate,
// and working time before the night, in the night and after it. Pure
// arithmetic on the duty's own timeline (minutes from midnight of its day).
#include <cstdint>

#include "core/duty.h"

namespace planek {

struct split_rules {
    int nightStart = 1320;  // N0
    int nightEnd = 1800;    // N1
    int naturalDay = 0;     // doba_od: D
    int overtimeFrom = 1140;  // ng_od
    int overtimeTo = 1860;    // ng_do, past the start
    int overtimeAbove = 120;  // ng_powyzej
    bool overtimeOnHoliday = true;         // ng_swieto
    bool overtimeOnDayOffForHoliday = false;  // ng_wolne_za_swieto
    bool overtimeOfZeroDuty = true;        // ng_dyzur0
};

// What the two days a duty touches are.
struct duty_days {
    bool holiday = false;
    bool nextHoliday = false;
    bool dayOffForHoliday = false;  // a day off of kind "1" or "9" starts that day
    bool nextDayOffForHoliday = false;
};

struct overtime_split {
    std::int32_t high = 0;  // 100%
    std::int32_t low = 0;   // 50%
};

struct time_split {
    std::int32_t before = 0;  // day-time before the night, on the duty's day
    std::int32_t night = 0;
    std::int32_t after = 0;  // day-time after the night, on the next day
};

// The overtime of a duty; a duty counted also as overtime is its whole
// length of overtime after a duty of length 0.
overtime_split split_overtime(const dyzur& d, const split_rules& r, const duty_days& days);

// The working time of a duty: its length (with its overtime for a medical
// duty), cut at the night window and at the end of the natural day.
time_split split_working_time(const dyzur& d, const split_rules& r);

}  // namespace planek
