#include "settings/option_values.h"

#include <cstdio>
#include <vector>

#include "core/text.h"

namespace planek {

namespace {

// A run of 1..max_digits decimal digits, nothing else.
std::optional<int> digits(std::string_view s, size_t max_digits) {
    if (s.empty() || s.size() > max_digits) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in(int y, int m) {
    static const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : len[m - 1];
}

std::optional<civil_date> checked(int y, int m, int d) {
    if (y < 1900 || y > 9999 || m < 1 || m > 12 || d < 1 || d > days_in(y, m)) return std::nullopt;
    return civil_date{y, m, d};
}

}  // namespace

std::optional<int> parse_option_time(std::string_view text, int max_minutes) {
    std::string t = trim(text);
    size_t colon = t.find(':');
    if (colon == std::string::npos) return std::nullopt;
    auto h = digits(std::string_view(t).substr(0, colon), 2);
    std::string_view mm = std::string_view(t).substr(colon + 1);
    auto m = digits(mm, 2);
    if (!h || !m || mm.size() != 2 || *m > 59) return std::nullopt;  // "12:3" is a cut-off value
    int total = *h * 60 + *m;
    if (total > max_minutes) return std::nullopt;
    return total;
}

std::string option_time_text(int minutes) {
    if (minutes < 0) minutes = 0;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minutes / 60, minutes % 60);
    return buf;
}

std::optional<civil_date> parse_option_date(std::string_view text) {
    std::string t = trim(text);
    for (char sep : {'-', '.', '/'}) {
        std::vector<std::string> parts = split_fields(t, std::string_view(&sep, 1));
        if (parts.size() != 3) continue;
        if (parts[0].size() == 4) {  // year first
            auto y = digits(parts[0], 4), m = digits(parts[1], 2), d = digits(parts[2], 2);
            if (y && m && d) return checked(*y, *m, *d);
        } else if (parts[2].size() == 4) {  // day first
            auto d = digits(parts[0], 2), m = digits(parts[1], 2), y = digits(parts[2], 4);
            if (y && m && d) return checked(*y, *m, *d);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::string option_date_text(const civil_date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

}  // namespace planek
