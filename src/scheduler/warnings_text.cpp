#include "scheduler/warnings_text.h"

#include <cstdio>

#include "calendar/calendar_grid.h"
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

namespace {

// Which arguments of a message hold the day number, the month name of that
// day and the 1-based shift number; -1 where the message has none.
struct place_args {
    int day = -1, month = -1, shift = -1;
};

place_args place_args_of(const warning_message& message) {
    switch (message.index) {
        case warning_texts::DiscontinuosStaff.index: return {3, 1, -1};
        case warning_texts::StaffInsufficientPercent.index:
        case warning_texts::StaffExceededPercent.index:
        case warning_texts::StaffInsufficient.index:
        case warning_texts::StaffExceeded.index: return {1, 2, 4};
        case warning_texts::IntervalTooShortTheSameDay.index:
        case warning_texts::IntervalTooShort.index:
        case warning_texts::NightDutyTooClose.index:
        case warning_texts::DutyTooLong.index:
        case warning_texts::DutyTooShort.index: return {1, 2, -1};
        case warning_texts::WeekIntervalTooShort.index:
        case warning_texts::WeekWorkTime.index: return {3, 4, -1};
        default: return {};
    }
}

long long number_at(const std::vector<format_arg>& args, int i) {
    return i >= 0 && i < int(args.size()) && args[size_t(i)].number ? args[size_t(i)].value : 0;
}

}  // namespace

warning_place place_of(const Plan& plan, const warning_message& message, const std::vector<format_arg>& args) {
    const place_args at = place_args_of(message);
    warning_place place;
    const long long day = number_at(args, at.day);
    // A day of the neighbouring month (a week or a rest across the turn of
    // the month) is not in the shown calendar.
    const bool shownMonth = at.month >= 0 && at.month < int(args.size()) &&
                            args[size_t(at.month)].text == month_name(plan, plan.month);
    if (shownMonth && day >= 1 && day <= 31) place.day = int(day);
    if (const long long shift = number_at(args, at.shift); shift >= 1) place.shift = int(shift - 1);
    return place;
}

warning_writer::warning_writer(const Plan& plan, std::vector<placed_line>* log) : plan_(plan), log_(log) {
    static const warning_message* const all[kWarningMessageCount] = {
        &warning_texts::DiscontinuosStaff,          &warning_texts::StaffInsufficientPercent,
        &warning_texts::StaffExceededPercent,       &warning_texts::StaffInsufficient,
        &warning_texts::StaffExceeded,              &warning_texts::NormativeExceeded,
        &warning_texts::NormativeUnreached,         &warning_texts::IntervalTooShortTheSameDay,
        &warning_texts::IntervalTooShort,           &warning_texts::NightDutyTooClose,
        &warning_texts::WeekIntervalTooShort,       &warning_texts::WeekWorkTime,
        &warning_texts::DutyTooLong,                &warning_texts::DutyTooShort,
        &warning_texts::TooManyFollowSundays,       &warning_texts::NoWarnings};
    for (const warning_message* m : all) formats_[m->index] = plan.tr.tr("warnings", m->key, m->text);
    for (int m = 1; m <= 12; ++m) months_[m] = month_name(plan, m);
    for (int d = 1; d <= 7; ++d) days_[d] = short_day_name(plan, d);
}

std::string warning_writer::line(const warning_message& message, const std::vector<format_arg>& args) const {
    std::string text = format_caption(formats_[message.index], args);
    if (log_) log_->push_back({text, place_of(plan_, message, args)});
    return text;
}

const std::string& warning_writer::month(int month) const { return months_[(month >= 1 && month <= 12) ? month : 0]; }

const std::string& warning_writer::day(int dayOfWeek) const {
    return days_[(dayOfWeek >= 1 && dayOfWeek <= 7) ? dayOfWeek : 0];
}

std::string warning_writer::day(int year, int month, int day) const {
    if (!valid_date(year, month, day)) return "";
    return this->day(day_of_week(year, month, day));
}

bool valid_date(int year, int month, int day) {
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(year, month);
}

}  // namespace planek
