#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/types.h"

namespace planek {

struct day_param {
    std::string dayClass = "da";  // "da", "so", "sw", "od"
    byte dayNumber = 0;
    byte ownHoliday = 0;
    byte erDuty = 0;
    std::string note;  // at most 255 characters

    bool operator==(const day_param&) const = default;
};

// One month of the settlement period (a month tab).
struct miesiac {
    byte nextMonthStart = 0;
    byte month = 0;
    byte dayCount = 0;
    byte workingDays = 0;
    word year = 0;
    word normMinutes = 0;
    word normRemainder = 0;
    std::vector<day_param> days;
};

// Who works on a day, for printouts: nine lists and one list per shift.
struct kty {
    std::array<std::string, 9> lists;
    std::vector<std::string> shifts;
};

// A day of the shown month (or a week column in week mode).
struct day {
    byte dayOfWeek = 0;  // 1 = Sunday .. 7 = Saturday
    byte holiday = 0;
    byte workFlag = 0;
    // Headcounts are 16-bit: a large ward puts more than 255 people in a
    // minute or a shift, which an 8-bit counter would wrap.
    std::vector<word> shiftHeadcount;
    std::vector<std::int32_t> shiftMinutes;
    std::vector<float> averageStaffing;
    std::array<word, 1440> minuteHeadcount{};
    kty who;
    std::vector<kty> whoList;
};

}  // namespace planek
