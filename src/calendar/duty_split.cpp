#include "calendar/duty_split.h"

#include <algorithm>
#include <array>

namespace planek {

namespace {

constexpr int kDayMinutes = 1440;

struct span {
    long from;
    long to;
};

// Minutes of [from, to) covered by at least one of the spans.
long covered(std::array<span, 8>& spans, int count, long from, long to) {
    for (int i = 0; i < count; ++i) {
        spans[i].from = std::max(spans[i].from, from);
        spans[i].to = std::min(spans[i].to, to);
    }
    std::sort(spans.begin(), spans.begin() + count, [](const span& a, const span& b) { return a.from < b.from; });
    long total = 0;
    long reached = from;
    for (int i = 0; i < count; ++i) {
        const long a = std::max(spans[i].from, reached);
        if (spans[i].to > a) {
            total += spans[i].to - a;
            reached = spans[i].to;
        }
    }
    return total;
}

}  // namespace

overtime_split split_overtime(const dyzur& d, const split_rules& r, const duty_days& days) {
    const long length = d.alsoOvertime ? 0 : long(d.length);
    const long overtime = d.alsoOvertime ? long(d.length) : long(d.overtime);
    overtime_split out;
    if (overtime <= 0) {
        out.low = std::int32_t(overtime);
        return out;
    }
    const long from = long(d.start) + length;
    const long to = from + overtime;
    const long dayEnd = long(r.naturalDay) + kDayMinutes;  // the duty's day ends here
    const long lineEnd = 2L * kDayMinutes + r.naturalDay;
    std::array<span, 8> spans{};
    int n = 0;
    if ((r.overtimeOnHoliday && days.holiday) || (r.overtimeOnDayOffForHoliday && days.dayOffForHoliday))
        spans[n++] = {0, dayEnd};
    if ((r.overtimeOnHoliday && days.nextHoliday) || (r.overtimeOnDayOffForHoliday && days.nextDayOffForHoliday))
        spans[n++] = {dayEnd, lineEnd};
    if (r.overtimeFrom != r.overtimeTo) {
        // The window recurs every day: the tail of the previous night, this
        // one and the next.
        for (long shift : {-kDayMinutes, 0, kDayMinutes})
            spans[n++] = {r.overtimeFrom + shift, r.overtimeTo + shift};
    }
    if (overtime > r.overtimeAbove) spans[n++] = {from + std::max(0, r.overtimeAbove), to};
    if (r.overtimeOfZeroDuty && length == 0) spans[n++] = {from, to};
    out.high = std::int32_t(covered(spans, n, from, to));
    out.low = std::int32_t(overtime - out.high);
    return out;
}

time_split split_working_time(const dyzur& d, const split_rules& r) {
    const long s = d.start;
    const long L = d.medical ? long(d.length) + long(d.overtime) : long(d.length);
    const long e = s + L;
    const long n0 = r.nightStart, n1 = r.nightEnd;
    long before = 0, night = 0, after = 0;
    long beforeFrom = s;  // where the before part begins
    if (d.shift == 1 && n0 < s + kDayMinutes && s + kDayMinutes < n1 && e + kDayMinutes > n1) {
        // A first-shift duty starting in the tail of the previous night.
        night = n1 - s - kDayMinutes;
        before = e + kDayMinutes - n1;
        beforeFrom = n1 - kDayMinutes;
    } else if (e <= n0) {
        before = L;
    } else if (s < n0 && e <= n1) {
        before = n0 - s;
        night = e - n0;
    } else if (s <= n0 && e >= n1) {
        before = n0 - s;
        night = n1 - n0;
        after = e - n1;
    } else if (n0 <= s && e <= n1) {
        night = L;
    } else if (s < n1) {
        night = n1 - s;
        after = e - n1;
    } else {
        after = L;
    }
    // Cut at the end of the natural day: day-time past it belongs to the next
    // day, day-time after the night but before it to the duty's day.
    const long dayEnd = long(r.naturalDay) + kDayMinutes;
    if (before > 0 && beforeFrom + before > dayEnd) {
        const long moved = std::min(before, beforeFrom + before - dayEnd);
        before -= moved;
        after += moved;
    } else if (after > 0) {
        const long afterFrom = std::max(n1, s);
        if (dayEnd > afterFrom) {
            const long moved = std::min(after, dayEnd - afterFrom);
            after -= moved;
            before += moved;
        }
    }
    return {std::int32_t(before), std::int32_t(night), std::int32_t(after)};
}

}  // namespace planek
