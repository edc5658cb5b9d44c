#include "core/clock.h"

namespace planek {

civil_date Clock::today() const {
    std::time_t t = now();
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

FixedClock::FixedClock(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    t_ = std::mktime(&tm);
}

}  // namespace planek
