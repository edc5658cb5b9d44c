#pragma once
// Building blocks of the wards the command line writes: the demo ward and
// the generated ones share how a shift, a group and a worker are made.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek::cli {

constexpr word kHealthCareNorm = 455;  // 7:35, the daily norm of health care staff

zmiana_ make_shift(const char* symbol, const char* name, int start, int length, int min, int minHoliday, colour c);
grupa make_group(word id, const std::string& name, const std::string& nick, colour c);

// How a worker is planned: a cyclic pattern, the 8-hour mode, or by hand.
enum class work_mode { Pattern, Eight, None };

struct person {
    std::string first;
    std::string surname;
    std::string groups;  // "1|2|"
    std::string occupation;
    double partTime;
    work_mode mode;
    std::string pattern;  // the cyclic pattern, or the 8-hour shift pattern
    int leaveDays;        // yearly leave, in days of the daily norm
    int leftDays;         // leave left from the previous year
};

// The worker record of a person; the nick avoids those already taken.
prac make_worker(const person& p, word id, const std::vector<prac>& taken);

// The first n characters of a UTF-8 text.
std::string first_chars(const std::string& s, size_t n);

}  // namespace planek::cli
