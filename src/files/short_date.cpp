#include "files/short_date.h"

#include <chrono>
#include <cstdio>

#include "core/text.h"

namespace planek {

namespace chr = std::chrono;

std::string short_date(const civil_date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::optional<civil_date> parse_short_date(const std::string& text) {
    const std::string t = trim(text);
    int a = 0, b = 0, c = 0;
    char s1 = 0, s2 = 0;
    if (std::sscanf(t.c_str(), "%d%c%d%c%d", &a, &s1, &b, &s2, &c) != 5 || s1 != s2) return std::nullopt;
    if (s1 != '-' && s1 != '.' && s1 != '/') return std::nullopt;
    civil_date d = a > 31 ? civil_date{a, b, c} : civil_date{c, b, a};
    const chr::year_month_day ymd{chr::year(d.year), chr::month(unsigned(d.month)), chr::day(unsigned(d.day))};
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || !ymd.ok()) return std::nullopt;
    return d;
}

long days_between(const civil_date& a, const civil_date& b) {
    auto days = [](const civil_date& d) {
        return chr::sys_days(chr::year(d.year) / chr::month(unsigned(d.month)) / chr::day(unsigned(d.day)));
    };
    return long((days(b) - days(a)).count());
}

}  // namespace planek
