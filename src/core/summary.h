#pragma once
// Run-time totals of a worker's month, recomputed from the duties and days
// off; never saved. Filled by the summaries of the calendar library.
//
// Every minute total is 32-bit: a month of long duties passes 32767 minutes,
// which a 16-bit counter would wrap.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace planek {

// Category 0 holds all counted duties, categories 1..4 the duties of duty-as
// kind 1..4.
inline constexpr int kSummaryCategories = 5;
// One total per row of the day-off kind table.
inline constexpr int kDayOffKindTotals = 24;

struct category_sum {
    std::array<std::int32_t, 7> weekdayMinutes{};  // Sunday .. Saturday
    std::int32_t dayMinutes = 0;                   // day-time on working days
    std::int32_t nightMinutes = 0;
    std::int32_t holidayMinutes = 0;
    std::int32_t overtime100 = 0;
    std::int32_t overtime50 = 0;
    std::int32_t medicalOvertime100 = 0;
    std::int32_t medicalOvertime50 = 0;
    std::int32_t extraOvertime100 = 0;  // duties counted also as overtime
    std::int32_t extraOvertime50 = 0;
    std::int32_t workedMinutes = 0;  // dayMinutes + nightMinutes + holidayMinutes

    void add(const category_sum& o) {
        for (int i = 0; i < 7; ++i) weekdayMinutes[i] += o.weekdayMinutes[i];
        dayMinutes += o.dayMinutes;
        nightMinutes += o.nightMinutes;
        holidayMinutes += o.holidayMinutes;
        overtime100 += o.overtime100;
        overtime50 += o.overtime50;
        medicalOvertime100 += o.medicalOvertime100;
        medicalOvertime50 += o.medicalOvertime50;
        extraOvertime100 += o.extraOvertime100;
        extraOvertime50 += o.extraOvertime50;
        workedMinutes += o.workedMinutes;
    }
    bool operator==(const category_sum&) const = default;
    std::int32_t overtimeSum() const {
        return overtime100 + overtime50 + medicalOvertime100 + medicalOvertime50 + extraOvertime100 +
               extraOvertime50;
    }
};

using category_set = std::array<category_sum, kSummaryCategories>;
using day_off_totals = std::array<std::int32_t, kDayOffKindTotals>;

// How one counted duty of a day was split and booked. "after" minutes belong
// to the next day.
struct duty_split {
    int position = -1;  // index in the day's duty list
    int category = 1;   // duty-as kind 1..4
    std::int32_t before = 0;
    std::int32_t night = 0;
    std::int32_t after = 0;
    bool beforeHoliday = false;
    bool nightHoliday = false;
    bool afterHoliday = false;
    std::int32_t overtime100 = 0;
    std::int32_t overtime50 = 0;

    bool operator==(const duty_split&) const = default;
};

// The parts of a day's duties for the calendar cells: letters "D" (day-time),
// "N" (night), "S" (holiday), the duties joined by "/", and the minutes of
// each letter in the same order.
struct duty_parts {
    std::string text;
    std::vector<std::int32_t> minutes;
    std::vector<duty_split> duties;

    bool operator==(const duty_parts&) const = default;
};

struct day_summary {
    category_set categories{};
    std::int32_t creditedMinutes = 0;  // day-off minutes credited on this day

    bool operator==(const day_summary&) const = default;
};

struct ms_summary {
    std::vector<day_summary> days;   // one per day of the month
    std::vector<duty_parts> parts;   // one per day of the month
    category_set total{};            // month totals (zsumuj_dyzury)
    std::int32_t creditedMinutes = 0;
    day_off_totals dayOffMinutes{};  // per row of the day-off kind table
    std::int32_t dutyCount = 0;      // the worker's counters as this month left them
    std::int32_t dayOffDays = 0;
    bool computed = false;           // set once odswiez_pracownika ran

    bool operator==(const ms_summary&) const = default;
};

// Totals of a settlement period, per worker, per period month and overall.
struct period_totals {
    std::int64_t periodNorm = 0;
    std::int64_t periodCreditedMinutes = 0;
    std::int64_t periodDutyMinutes = 0;  // worked minutes
    std::int64_t dayMinutes = 0;
    std::int64_t nightMinutes = 0;
    std::int64_t holidayMinutes = 0;
    std::int64_t overtime1 = 0;  // higher rate, ordinary and also-as-overtime duties
    std::int64_t overtime2 = 0;  // lower rate, the same duties
    std::int64_t medicalOvertime100 = 0;
    std::int64_t medicalOvertime50 = 0;
    std::array<std::int64_t, kDayOffKindTotals> dayOffMinutes{};

    void add(const period_totals& o, int sign = 1) {
        periodNorm += sign * o.periodNorm;
        periodCreditedMinutes += sign * o.periodCreditedMinutes;
        periodDutyMinutes += sign * o.periodDutyMinutes;
        dayMinutes += sign * o.dayMinutes;
        nightMinutes += sign * o.nightMinutes;
        holidayMinutes += sign * o.holidayMinutes;
        overtime1 += sign * o.overtime1;
        overtime2 += sign * o.overtime2;
        medicalOvertime100 += sign * o.medicalOvertime100;
        medicalOvertime50 += sign * o.medicalOvertime50;
        for (int i = 0; i < kDayOffKindTotals; ++i) dayOffMinutes[i] += sign * o.dayOffMinutes[i];
    }
};

struct prac_summary {
    std::int32_t dutyCount = 0;   // counted duties of the month
    std::int32_t dayOffDays = 0;  // days of crediting day-off entries
    period_totals period;         // the worker's settlement-period totals
    // What this worker last added into the period months' totals, so that a
    // one-worker refresh can replace its share without touching the others.
    std::vector<period_totals> contributed;
    bool inPeriodTotals = false;
};

// The settlement period as a whole (read by printouts).
struct period_summary {
    std::vector<period_totals> months;  // per period month, over the workers
    period_totals all;                  // over the workers
    int fromYear = 0, fromMonth = 0, fromDay = 0;
    int toYear = 0, toMonth = 0, toDay = 0;
    std::int64_t normMinutes = 0;  // sum of the months' norms
    int longestMonth = -1;         // first period month with the most days
};

}  // namespace planek
