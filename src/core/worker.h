#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/duty.h"
#include "core/summary.h"
#include "core/types.h"
#include "core/wish.h"

namespace planek {

// One worker in one month of the settlement period.
struct ms_ {
    ms_summary sum;
    std::array<wolne_, kMaxDays> daysOff{};
    std::array<std::vector<dyzur>, kMaxDays> duties{};
    std::array<wish, kMaxDays> wishes{};  // by day index
    std::int32_t workerNorm = 0;
    std::int32_t ownNormValue = 0;
    bool ownNorm = false;
    bool ownNormCalculated = false;
    smallint overtimeTotal = 0;
    smallint overtimeFromPrevious = 0;
    smallint overtimeManual = 0;
    double partTime = 100.0;
};

struct prac {
    std::string nick;  // at most 3 characters
    colour color = 0xFFFFFF;
    std::string groups;  // "3|5|"
    std::string firstName;
    std::string surname;
    std::string address;
    std::string postOffice;
    std::string zipCode;
    std::string phone;
    std::string email;
    std::string occupation;
    std::string pesel;
    std::string education;
    std::string courses;
    std::string user1, user2, user3;
    std::string systemPattern;
    std::string systemPattern8;
    std::string automatDays = "1111100";
    // The allowance balances are signed and wide: an overdrawn balance shows
    // how far it is overdrawn, so giving the day off back restores it exactly.
    std::int32_t holidayCurrentYear = 0;
    std::int32_t holidayPreviousYear = 0;
    word id = 0;
    word groupId = 0;
    word work = 0;
    word dailyNorm = 0;  // run-time
    word automatFromHour = 0;
    std::int32_t careDays = 0;
    byte prefDayNight = 0;
    byte prefNormalHoliday = 0;
    std::int32_t rehaDays = 0;
    byte systemStartFrom = 1;
    byte systemStartFrom8 = 1;
    byte employmentFrom = 0;
    byte careDaysMode = 0;
    bool old = false;
    bool prefAuto8 = false;
    bool prefWithoutAuto = false;
    bool prefSystem = false;
    bool systemAsWeek = false;
    bool auto8ConstStart = false;
    bool autoConstStart = false;
    bool automatFromHourOn = false;
    bool ownNormDefault = false;
    bool ownNormCalculatedDefault = false;
    double partTimeDefault = 100.0;
    smallint ownNormValueDefault = 0;

    // Run-time spans over the whole settlement period, not saved.
    std::vector<bool> dayExcluded;
    std::vector<std::vector<dyzur>> dayDuties;
    std::vector<std::vector<dyzur>> dutyLists;
    std::int32_t work32 = 0;
    std::vector<ms_> months{1};
    prac_summary sum;

    bool inGroup(word groupId) const;
    std::string fullName() const { return surname + " " + firstName; }
};

}  // namespace planek
