// Rule i: too many Sundays with a duty in a row, read from the yearly record
// of worked Sundays, carried over from the end of the previous year.
#include <algorithm>
#include <string>

#include "calendar/holidays.h"
#include "core/ini_file.h"
#include "scheduler/warnings_rules.h"
#include "scheduler/warnings_text.h"

namespace planek {

namespace {

// The dialog offers 1..10; anything below 1 would make every Sunday a
// finding and a huge value only costs memory.
constexpr int kMaxSundayLimit = 1000;

// The last n flags of the previous year, "0" standing in for Sundays the
// record does not hold, so that positions keep their meaning.
std::string previous_year_tail(const IniFile& sundays, const std::string& section, int year, size_t n) {
    const std::optional<std::string> value = sundays.value(section, std::to_string(year - 1));
    if (!value) return std::string(n, '0');
    if (value->size() >= n) return value->substr(value->size() - n);
    return std::string(n - value->size(), '0') + *value;
}

}  // namespace

void rule_i_sundays(const warning_writer& ww, int worker, const IniFile& sundays, warning_lines& out) {
    const Plan& plan = ww.plan();
    if (worker < 0 || worker >= int(plan.workers.size()) || plan.year < 2) return;
    const prac& w = plan.workers[worker];
    const int limit = std::clamp(plan.options.warnings.vWorkSundaysMaxCount, 1, kMaxSundayLimit);
    const size_t n = size_t(limit);
    const std::string section = std::to_string(w.id);
    std::string flags = previous_year_tail(sundays, section, plan.year, n);
    flags += sundays.readString(section, std::to_string(plan.year), "");
    if (flags.size() == n) return;

    int count = 0;
    size_t position = 0;  // 1-based position in flags where the run passed the limit
    for (size_t p = 0; p < flags.size(); ++p) {
        count = flags[p] == '1' ? count + 1 : 0;
        if (count > limit) {
            position = p + 1;
            break;
        }
    }
    if (position == 0) return;
    const int offset = (int(position) - limit - 1) * 7 + first_sunday_of_january(plan.year) - 1;
    const civil_date sunday = add_days(civil_date{plan.year, 1, 1}, offset);
    out.push_back(ww.line(warning_texts::TooManyFollowSundays,
                               {std::string("i"), w.firstName, w.surname, (long long)limit,
                                ww.date(sunday)}));
}

}  // namespace planek
