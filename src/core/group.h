#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/types.h"

namespace planek {

struct zmiana_ {
    word start = 0;   // minutes after midnight
    word length = 0;  // minutes
    colour color = 0xFFFFFF;
    std::string symbol;
    std::string name;
    std::array<byte, 8> work{};  // scratch, not saved
    byte staffMin = 0;   // required on working days
    byte staffMinS = 0;  // required on holidays
};

// Per period month settings of a group, filled when a month file is read.
struct group_month_settings {
    byte customNorm = 0;
    byte dayOffForSaturdayHoliday = 0;
    word customNormMinutes = 0;
};

struct grupa {
    byte algorithm = 0;
    byte residueDistribution = 0;
    // What the second algorithm weighs first: 0 the warnings' rules, 1 the
    // staffing and the workers' norms.
    byte aim = 0;
    std::string nick;  // at most 3 characters
    std::string name;
    bool customNorm = false;
    bool old = false;
    bool resetBeforeAutomat = false;
    bool dayOffForHolidayWorkDistribution = true;
    word customNormMinutes = 0;
    word monthNorm = 0;
    word id = 0;
    std::vector<zmiana_> shifts;
    word dailyNorm = 0;
    bool saturdayHoliday = false;
    bool dayOffForSaturdayHoliday = false;
    bool nightOnHolidayAsHoliday = false;
    bool noHolidays = false;
    byte autoStaffN = 0;
    byte autoStaffH = 0;
    std::vector<zmiana_> shifts2;  // not saved
    word dailyNormDefault = 0;
    bool saturdayHolidayDefault = false;
    bool dayOffForSaturdayHolidayDefault = false;
    bool nightOnHolidayAsHolidayDefault = false;
    bool noHolidaysDefault = false;
    colour color = 0xFFFFFF;
    std::vector<group_month_settings> monthSettings;
};

}  // namespace planek
