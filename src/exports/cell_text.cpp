#include "exports/cell_text.h"

#include <cstdio>

namespace planek {

std::string length_text(long long minutes) {
    const long long a = minutes < 0 ? -minutes : minutes;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%lld:%02lld", minutes < 0 ? "-" : "", a / 60, a % 60);
    return buf;
}

std::string clock_text(int minuteOfDay) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
    return buf;
}

std::string iso_date(int year, int month, int day) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year % 10000, month % 100, day % 100);
    return buf;
}

std::string text_of(const cell& c) {
    switch (c.type) {
        case cell::kind::number: return std::to_string(c.value);
        case cell::kind::minutes: return length_text(c.value);
        case cell::kind::clock: return clock_text(int(c.value));
        case cell::kind::date: return iso_date(c.year, c.month, c.day);
        case cell::kind::text: break;
    }
    return c.text;
}

}  // namespace planek
