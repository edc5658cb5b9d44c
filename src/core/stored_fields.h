#pragma once
// The fields of the records the staff and group files keep, in file order:
// one table that the file lines are written and read by and that the undo
// history compares states by, so a field added to a file is one an act can
// take back, and the counts below stop the build when the two could part.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>
#include <variant>

#include "core/group.h"
#include "core/types.h"
#include "core/worker.h"

namespace planek {

// One field of a stored "¤" line: its name (for problem reports) and the
// record member it holds. A null member is a placeholder written as "0" and
// ignored on reading.
template <class R>
struct record_field {
    const char* name;
    std::variant<std::nullptr_t, std::string R::*, word R::*, byte R::*, smallint R::*, std::int32_t R::*,
                 bool R::*, double R::*, colour R::*>
        member;
};

// Fields 1 to 45 of a "p" line (kadra.ini).
inline const record_field<prac> kStaffFields[] = {
    {"id", &prac::id},
    {"groupId", &prac::groupId},
    {"holidayCurrentYear", &prac::holidayCurrentYear},
    {"holidayPreviousYear", &prac::holidayPreviousYear},
    {"careDays", &prac::careDays},
    {"rehaDays", &prac::rehaDays},
    {"partTimeDefault", &prac::partTimeDefault},
    {"prefDayNight", &prac::prefDayNight},
    {"prefNormalHoliday", &prac::prefNormalHoliday},
    {"prefAuto8", &prac::prefAuto8},
    {"systemPattern8", &prac::systemPattern8},
    {"prefWithoutAuto", &prac::prefWithoutAuto},
    {"prefSystem", &prac::prefSystem},
    {"systemStartFrom", &prac::systemStartFrom},
    {"systemPattern", &prac::systemPattern},
    {"surname", &prac::surname},
    {"firstName", &prac::firstName},
    {"pesel", &prac::pesel},
    {"education", &prac::education},
    {"courses", &prac::courses},
    {"user1", &prac::user1},
    {"user2", &prac::user2},
    {"user3", &prac::user3},
    {"address", &prac::address},
    {"postOffice", &prac::postOffice},
    {"zipCode", &prac::zipCode},
    {"phone", &prac::phone},
    {"email", &prac::email},
    {"occupation", &prac::occupation},
    {"nick", &prac::nick},
    {"color", &prac::color},
    {"old", &prac::old},
    {"groups", &prac::groups},
    {"systemAsWeek", &prac::systemAsWeek},
    {"systemStartFrom8", &prac::systemStartFrom8},
    {"automatDays", &prac::automatDays},
    {"auto8ConstStart", &prac::auto8ConstStart},
    {"autoConstStart", &prac::autoConstStart},
    {"automatFromHourOn", &prac::automatFromHourOn},
    {"automatFromHour", &prac::automatFromHour},
    {"employmentFrom", &prac::employmentFrom},
    {"careDaysMode", &prac::careDaysMode},
    {"ownNormDefault", &prac::ownNormDefault},
    {"ownNormCalculatedDefault", &prac::ownNormCalculatedDefault},
    {"ownNormValueDefault", &prac::ownNormValueDefault},
};
inline constexpr std::size_t kStaffFieldCount = 45;
static_assert(std::size(kStaffFields) == kStaffFieldCount);

// Fields 1 to 22 of a "g" line (grupy.ini).
inline const record_field<grupa> kGroupFields[] = {
    {"id", &grupa::id},
    {"old", &grupa::old},
    {"autoStaffN", &grupa::autoStaffN},
    {"autoStaffH", &grupa::autoStaffH},
    {"resetBeforeAutomat", &grupa::resetBeforeAutomat},
    {"dailyNorm", &grupa::dailyNorm},
    {"saturdayHoliday", &grupa::saturdayHoliday},
    {"dayOffForSaturdayHoliday", &grupa::dayOffForSaturdayHoliday},
    {"nightOnHolidayAsHoliday", &grupa::nightOnHolidayAsHoliday},
    {"noHolidays", &grupa::noHolidays},
    {"name", &grupa::name},
    {"color", &grupa::color},
    {"algorithm", &grupa::algorithm},
    {"residueDistribution", &grupa::residueDistribution},
    {"dailyNormDefault", &grupa::dailyNormDefault},
    {"saturdayHolidayDefault", &grupa::saturdayHolidayDefault},
    {"dayOffForSaturdayHolidayDefault", &grupa::dayOffForSaturdayHolidayDefault},
    {"nightOnHolidayAsHolidayDefault", &grupa::nightOnHolidayAsHolidayDefault},
    {"noHolidaysDefault", &grupa::noHolidaysDefault},
    {"dayOffForHolidayWorkDistribution", &grupa::dayOffForHolidayWorkDistribution},
    {"nick", &grupa::nick},
    // Read by position, so a version that knows only the fields before it
    // reads the line as it always did.
    {"aim", &grupa::aim},
};
inline constexpr std::size_t kGroupFieldCount = 22;
static_assert(std::size(kGroupFields) == kGroupFieldCount);

// Fields 1 to 8 of a "z" line, a shift of the group above it. Field 3 has
// always been written "0" and is not read.
inline const record_field<zmiana_> kShiftFields[] = {
    {"start", &zmiana_::start},       {"length", &zmiana_::length}, {"-", nullptr},
    {"staffMin", &zmiana_::staffMin}, {"staffMinS", &zmiana_::staffMinS}, {"color", &zmiana_::color},
    {"symbol", &zmiana_::symbol},     {"name", &zmiana_::name},
};
inline constexpr std::size_t kShiftFieldCount = 8;
static_assert(std::size(kShiftFields) == kShiftFieldCount);

// Whether two records hold the same value in every field of the table.
template <class R, std::size_t N>
bool same_fields(const R& a, const R& b, const record_field<R> (&fields)[N]) {
    for (const record_field<R>& f : fields) {
        const bool same = std::visit(
            [&](auto m) {
                if constexpr (std::is_same_v<decltype(m), std::nullptr_t>)
                    return true;
                else
                    return a.*m == b.*m;
            },
            f.member);
        if (!same) return false;
    }
    return true;
}

// Copies the fields of the table, and nothing else, from one record to another.
template <class R, std::size_t N>
void copy_fields(R& to, const R& from, const record_field<R> (&fields)[N]) {
    for (const record_field<R>& f : fields)
        std::visit(
            [&](auto m) {
                if constexpr (!std::is_same_v<decltype(m), std::nullptr_t>) to.*m = from.*m;
            },
            f.member);
}

}  // namespace planek
