#include "scheduler/warnings_text.h"

#include <cstdio>

#include "calendar/holidays.h"
#include "calendar/time_text.h"
#include "core/plan.h"

namespace planek {

namespace {

// The locale's short day names, Sunday first. The program offers Polish and
// English; any other language name gets the English names.
const char* const kPolishDays[7] = {"niedz.", "pon.", "wt.", "śr.", "czw.", "pt.", "sob."};
const char* const kEnglishDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

bool polish(const Plan& plan) { return plan.options.language == "polski"; }

}  // namespace

std::string warning_line(const Plan& plan, const warning_message& message, const std::vector<format_arg>& args) {
    return format_caption(plan.tr.tr("warnings", message.key, message.text), args);
}

std::string warning_minutes(long long minutes, warning_time mode) {
    switch (mode) {
        case warning_time::Wrapped:
            return min2h(minutes, "txt", true, true);
        case warning_time::ShowZero:
            return min2h(minutes < 0 ? 0 : minutes, "txt", true, false);
        case warning_time::HideZero:
            break;
    }
    return min2h(minutes < 0 ? 0 : minutes, "txt", false, false);
}

std::string short_day_name(const Plan& plan, int dayOfWeek) {
    if (dayOfWeek < 1 || dayOfWeek > 7) return "";
    return polish(plan) ? kPolishDays[dayOfWeek - 1] : kEnglishDays[dayOfWeek - 1];
}

std::string short_day_name(const Plan& plan, int year, int month, int day) {
    if (!valid_date(year, month, day)) return "";
    return short_day_name(plan, day_of_week(year, month, day));
}

std::string short_date_text(const Plan& plan, const civil_date& date) {
    char text[32];
    std::snprintf(text, sizeof text, polish(plan) ? "%02d.%02d.%04d" : "%02d/%02d/%04d", date.day, date.month,
                  date.year);
    return text;
}

bool valid_date(int year, int month, int day) {
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(year, month);
}

}  // namespace planek
