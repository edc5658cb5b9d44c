#pragma once
#include "core/plan.h"
#include "support/two_shift_group.h"

namespace planek::test {

// A plan showing one month with one group of two 12-hour shifts (day from
// 07:00, night from 19:00), a standard day of 7:35 and one period month.
inline Plan month_plan(int year, int month, int workers = 0) {
    Plan plan;
    plan.year = year;
    plan.month = month;
    plan.groups.push_back(two_shift_group());
    plan.currentGroup = 0;
    miesiac m;
    m.year = word(year);
    m.month = byte(month);
    plan.months.push_back(m);
    plan.currentMonth = 0;
    for (int i = 0; i < workers; ++i) {
        prac w;
        w.id = word(i + 1);
        w.groups = "1|";
        plan.workers.push_back(w);
    }
    return plan;
}

inline dyzur duty_on(int day, int length = 720, int start = 420) {
    dyzur d;
    d.day = word(day);
    d.dayIndex = byte(day - 1);
    d.length = word(length);
    d.start = word(start);
    d.groupId = 1;
    d.shift = 1;
    return d;
}

}  // namespace planek::test
