#include "editing/typed_time.h"

#include "calendar/time_text.h"
#include "core/cp1250.h"
#include "editing/message_text.h"

namespace planek {

namespace {

bool all_digits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::optional<int> digits_value(std::string_view s) {
    if (s.empty()) return 0;
    if (!all_digits(s) || s.size() > 6) return std::nullopt;
    return std::stoi(std::string(s));
}

// A control's caption names the field in a message without its colon.
std::string field_name(const std::string& caption) {
    std::string s = caption;
    while (!s.empty() && (s.back() == ' ' || s.back() == ':')) s.pop_back();
    return s;
}

}  // namespace

std::optional<int> typed_minutes(std::string_view text, int maxHours, bool allowNegative) {
    std::string s;
    for (char c : text) {
        if (c == ' ' || c == '_' || c == '\t') continue;
        s += (c == '.' || c == ',') ? ':' : c;
    }
    int sign = 1;
    if (!s.empty() && s.front() == '-') {
        if (!allowNegative) return std::nullopt;
        sign = -1;
        s.erase(0, 1);
    }
    std::optional<int> hours, minutes;
    const size_t colon = s.find(':');
    if (colon != std::string::npos) {
        const std::string_view m = std::string_view(s).substr(colon + 1);
        if (m.size() > 2 || m.find(':') != std::string_view::npos) return std::nullopt;
        hours = digits_value(std::string_view(s).substr(0, colon));
        // "7:5" is read the way the clock shows it, 7:50
        minutes = digits_value(m);
        if (minutes && m.size() == 1) *minutes *= 10;
    } else if (s.size() <= 2) {
        hours = digits_value(s);
        minutes = 0;
    } else {
        hours = digits_value(std::string_view(s).substr(0, s.size() - 2));
        minutes = digits_value(std::string_view(s).substr(s.size() - 2));
    }
    if (!hours || !minutes || *minutes >= 60 || *hours > maxHours) return std::nullopt;
    const int total = *hours * 60 + *minutes;
    if (total > 32767) return std::nullopt;
    return sign * total;
}

std::string bad_time_message(const Plan& plan, const std::vector<typed_field>& fields, int maxHours,
                             bool allowNegative) {
    for (const typed_field& f : fields)
        if (!typed_minutes(f.text, maxHours, allowNegative))
            return message(
                plan, "msg_BadTime",
                "\"%s\" nie jest poprawnym czasem (pole: %s).%sWpisz czas jako np. 7:35, 7.35 lub 735.",
                {f.text, field_name(f.caption), kLineBreak});
    return {};
}

std::string unencodable_message(const Plan& plan, const std::vector<typed_field>& fields) {
    for (const typed_field& f : fields)
        if (auto bad = first_unencodable(f.text))
            return message(
                plan, "msg_BadCharacter",
                "Znaku \"%s\" (pole: %s) nie można zapisać w plikach programu.%sUsuń go lub zastąp innym.",
                {*bad, field_name(f.caption), kLineBreak});
    return {};
}

}  // namespace planek
