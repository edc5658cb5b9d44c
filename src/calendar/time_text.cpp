#include "calendar/time_text.h"

#include <cstdio>

namespace planek {

namespace {

constexpr int kMinTyped = -32768;
constexpr int kMaxTyped = 32767;

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A run of decimal digits; anything else (signs included) is not a time part.
long long parse_digits(std::string_view part, std::string_view whole) {
    if (part.empty()) throw time_text_error(std::string(whole));
    long long v = 0;
    for (char c : part) {
        if (!is_digit(c)) throw time_text_error(std::string(whole));
        v = v * 10 + (c - '0');
        if (v > 1000000) throw time_text_error(std::string(whole));
    }
    return v;
}

std::string two_digits(long long v) {
    // Printouts write this for every time of every duty: the common case
    // without the formatter.
    if (v >= 0 && v < 100) return {char('0' + v / 10), char('0' + v % 10)};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld", v);
    return buf;
}

}  // namespace

time_text_error::time_text_error(const std::string& text)
    : std::invalid_argument("'" + text + "' is not a valid time"), text_(text) {}

int h2min(std::string_view input) {
    std::string_view s = trim_blanks(input);
    if (s.empty() || s == ":") return 0;
    const int sign = s.front() == '-' ? -1 : 1;
    if (!is_digit(s.front()) && s.front() != ':') s.remove_prefix(1);
    long long total = 0;
    const size_t colon = s.find(':');
    if (colon != std::string_view::npos) {
        std::string_view hours = trim_blanks(s.substr(0, colon));
        std::string_view minutes = trim_blanks(s.substr(colon + 1, 2));
        const long long h = hours.empty() ? 0 : parse_digits(hours, input);
        const long long m = minutes.empty() ? 0 : parse_digits(minutes, input);
        total = h * 60 + m;
    } else {
        total = parse_digits(trim_blanks(s), input) * 60;
    }
    total *= sign;
    if (total < kMinTyped || total > kMaxTyped) throw time_text_error(std::string(input));
    return int(total);
}

std::optional<int> try_h2min(std::string_view text) {
    try {
        return h2min(text);
    } catch (const time_text_error&) {
        return std::nullopt;
    }
}

std::string min2h(long long minutes, std::string_view format, bool showZero, bool wrapDay) {
    const std::string sign = minutes < 0 ? "-" : "";
    long long m = minutes < 0 ? -minutes : minutes;
    const bool nonZero = minutes != 0;

    char separator = ':';
    if (format.size() > 3) {
        separator = format[3] == '#' ? ',' : format[3];
        format = format.substr(0, 3);
    }
    if (wrapDay) {
        m %= 1440;
        if (nonZero && m == 0) m = 1440;
    }

    std::string text;
    const long long hours = m / 60;
    const long long rest = m % 60;
    if (format == "htm") {
        if (m == 0) return showZero ? "0" : "&nbsp;";
        text = std::to_string(hours);
        if (rest != 0) text += "<sup>" + two_digits(rest) + "</sup>";
    } else {
        if (m == 0) return showZero ? "0" : "";
        text = m < 1440 ? two_digits(hours) : std::to_string(hours);
        text += separator;
        text += two_digits(rest);
    }
    if (separator == ',') {
        // Decimal hours: minutes as hundredths of an hour, rounded.
        const long long hundredths = (rest * 100 + 30) / 60;
        text = std::to_string(hours) + "," + two_digits(hundredths);
    }
    return sign + text;
}

std::string clock_time(long long minutes) { return minutes == 0 ? "00:00" : min2h(minutes); }

}  // namespace planek
