#pragma once
// Texts of the warning lines: the message formats of the language file
// (section "warnings") with their Polish defaults, times, day and month
// names and the short date of the chosen language.
#include <array>
#include <string>
#include <vector>

#include "calendar/caption_format.h"
#include "core/clock.h"

namespace planek {

struct Plan;

// Keys of the section "warnings" with their built-in texts.
struct warning_message {
    int index;  // position among the messages, for the writer's cache
    const char* key;
    const char* text;
};
inline constexpr int kWarningMessageCount = 16;

namespace warning_texts {
inline constexpr warning_message DiscontinuosStaff{0, "w_DiscontinuosStaff",
    "%s %s: Brak obsady od godz. %s (%d-go) do godz. %s (%d-go)"};
inline constexpr warning_message StaffInsufficientPercent{1, "w_StaffInsufficientPercent",
    "%s %.2d %s (%s): Obsada na zmianie nr %d jest za mała i stanowi %d%% zakładanej"};
inline constexpr warning_message StaffExceededPercent{2, "w_StaffExceededPercent",
    "%s %.2d %s (%s): Obsada na zmianie nr %d jest za duża i stanowi %d%% zakładanej"};
inline constexpr warning_message StaffInsufficient{3, "w_StaffInsufficient",
    "%s %.2d %s (%s): Obsada na zmianie nr %d mniejsza od zakładanej o %d"};
inline constexpr warning_message StaffExceeded{4, "w_StaffExceeded",
    "%s %.2d %s (%s): Obsada na zmianie nr %d większa od zakładanej o %d"};
inline constexpr warning_message NormativeExceeded{5, "w_NormativeExceeded",
    "%s %s %s ma przekroczony normatyw o %s."};
inline constexpr warning_message NormativeUnreached{6, "w_NormativeUnreached",
    "%s %s %s brakuje do normatywu %s."};
inline constexpr warning_message IntervalTooShortTheSameDay{7, "w_IntervalTooShortTheSameDay",
    "%s %.2d %s (%s) przerwa pomiędzy dyżurami %s %s wynosi %s."};
inline constexpr warning_message IntervalTooShort{8, "w_IntervalTooShort",
    "%s %.2d %s (%s)(i %d %s) przerwa pomiędzy dyżurami %s %s wynosi %s."};
inline constexpr warning_message NightDutyTooClose{9, "w_NightDutyTooClose",
    "%s %.2d %s (%s)(i %d %s) %s %s ma dyżur nocny w dwóch kolejnych dniach."};
inline constexpr warning_message WeekIntervalTooShort{10, "w_WeekIntervalTooShort",
    "%s %s %s, w tygodniu od %d %s do %d %s najdłuższa przerwa pomiędzy dyżurami trwa %s godz. "
    "(o %s godz. za mało)"};
inline constexpr warning_message WeekWorkTime{11, "w_WeekWorkTime",
    "%s %s %s, w tygodniu od %d %s do %d %s czas pracy wynosi %s godz."};
inline constexpr warning_message DutyTooLong{12, "w_DutyTooLong",
    "%s %d %s (%s) %s %s ma zbyt długi dyżur (%s)."};
inline constexpr warning_message DutyTooShort{13, "w_DutyTooShort",
    "%s %d %s (%s) %s %s ma zbyt krótki dyżur (%s)."};
inline constexpr warning_message TooManyFollowSundays{14, "w_TooManyFollowSundays",
    "%s %s %s ma dyżur w więcej niż %d kolejnych niedzielach (przekroczenie w dniu: %s)."};
inline constexpr warning_message NoWarnings{15, "w_NoWarnings",
    "Brak uwag"};
}  // namespace warning_texts

// The message text of the language file (or the default) filled with the
// arguments in order.
std::string warning_line(const Plan& plan, const warning_message& message, const std::vector<format_arg>& args);

// How a rule shows a time: rule k wraps at a day and shows zero as "0",
// rule a shows zero as "0", every other rule leaves zero empty.
enum class warning_time { Wrapped, ShowZero, HideZero };
std::string warning_minutes(long long minutes, warning_time mode);

// Short weekday name (1 = Sunday .. 7 = Saturday) in the chosen language;
// empty for a code outside that range.
std::string short_day_name(const Plan& plan, int dayOfWeek);
// The same for a date; empty for a date that does not exist.
std::string short_day_name(const Plan& plan, int year, int month, int day);

// A date in the short form of the chosen language ("08.12.2026" in Polish,
// "08/12/2026" in English).
std::string short_date_text(const Plan& plan, const civil_date& date);

// Where a warning line points in the shown month: its day (1-based, 0 for
// none or a day of another month), its shift (0-based, -1 for none) and
// the worker (index, -1 for a line about the whole group).
struct warning_place {
    int day = 0;
    int shift = -1;
    int worker = -1;
    bool operator==(const warning_place&) const = default;
};

// A written line with the place its arguments name.
struct placed_line {
    std::string text;
    warning_place place;
};

// The place of a line from the arguments of its message, independent of
// how a language file words and orders the text.
warning_place place_of(const Plan& plan, const warning_message& message, const std::vector<format_arg>& args);

// What the rules write with: the plan and, looked up once per run, the
// message formats, the month names and the short day names. Given a log,
// every line written is also recorded there with its place.
class warning_writer {
public:
    explicit warning_writer(const Plan& plan, std::vector<placed_line>* log = nullptr);
    const Plan& plan() const { return plan_; }
    std::string line(const warning_message& message, const std::vector<format_arg>& args) const;
    // Empty outside 1..12 and 1..7.
    const std::string& month(int month) const;
    const std::string& day(int dayOfWeek) const;
    // The short day name of a date; empty for a date that does not exist.
    std::string day(int year, int month, int day) const;
    std::string date(const civil_date& date) const { return short_date_text(plan_, date); }

private:
    const Plan& plan_;
    std::vector<placed_line>* log_;
    std::array<std::string, kWarningMessageCount> formats_;
    std::array<std::string, 13> months_;
    std::array<std::string, 8> days_;
};

// Whether a date exists in the Gregorian calendar (year 1 and later).
bool valid_date(int year, int month, int day);

}  // namespace planek
