#pragma once
// A small ward for the staffing and summary tests: one group with a day and
// a night shift, a month laid out by hand (no calendar routine needed).
#include <string>

#include "core/plan.h"

namespace planek::test {

struct ward {
    Plan plan;

    // days: length of the month; firstDow: weekday of day 1 (1 = Sunday ..
    // 7 = Saturday). Sundays are holidays.
    explicit ward(int days = 30, int firstDow = 2, int workers = 2) {
        grupa g;
        g.id = 1;
        g.name = "Oddział";
        g.dailyNorm = 455;
        zmiana_ dayShift;
        dayShift.start = 420;
        dayShift.length = 720;
        dayShift.name = "Dzień";
        dayShift.staffMin = 2;
        dayShift.staffMinS = 1;
        zmiana_ night = dayShift;
        night.start = 1140;
        night.name = "Noc";
        g.shifts = {dayShift, night};
        plan.groups.push_back(g);
        plan.currentGroup = 0;
        plan.year = 2026;
        plan.month = 6;
        miesiac m;
        m.year = 2026;
        m.month = 6;
        m.dayCount = byte(days);
        m.nextMonthStart = 4;  // a Wednesday
        m.days.resize(days);
        int working = 0;
        plan.days.resize(days);
        for (int d = 0; d < days; ++d) {
            plan.days[d].dayOfWeek = byte((firstDow - 1 + d) % 7 + 1);
            plan.days[d].holiday = plan.days[d].dayOfWeek == 1;
            m.days[d].dayNumber = byte(d + 1);
            if (plan.days[d].dayOfWeek >= 2 && plan.days[d].dayOfWeek <= 6) ++working;
        }
        m.workingDays = byte(working);
        m.normMinutes = word(working * 455);
        plan.months.push_back(m);
        for (int i = 0; i < workers; ++i) addWorker();
    }

    int addWorker(const std::string& groups = "1|") {
        prac w;
        w.id = word(plan.workers.size() + 1);
        w.groups = groups;
        w.surname = "Nazwisko" + std::to_string(w.id);
        w.firstName = "Imię";
        w.months.assign(plan.months.size(), ms_{});
        plan.workers.push_back(w);
        return int(plan.workers.size()) - 1;
    }

    dyzur& duty(int worker, int dayIndex, int shift, int start, int length, int overtime = 0, int kind = 1,
                int month = 0) {
        dyzur d;
        d.id = ++plan.dutyCounter;
        d.workerId = plan.workers[worker].id;
        d.groupId = 1;
        d.day = word(dayIndex + 1);
        d.dayIndex = byte(dayIndex);
        d.shift = byte(shift);
        d.start = word(start);
        d.length = word(length);
        d.overtime = smallint(overtime);
        d.dutyAs = byte(kind);
        auto& list = plan.workers[worker].months[month].duties[dayIndex];
        list.push_back(d);
        return list.back();
    }

    // A day off of the given kind over day indexes from..to, head in slot from.
    wolne_& dayOff(int worker, int from, int to, char kind, bool blocks = true, int month = 0) {
        auto& slots = plan.workers[worker].months[month].daysOff;
        wolne_ w;
        w.id = ++plan.dayOffCounter;
        w.workerId = plan.workers[worker].id;
        w.groupId = 1;
        w.dayFrom = byte(from + 1);
        w.dayTo = byte(to + 1);
        w.firstIndex = byte(from);
        w.symbol = kind;
        slots[from] = w;
        for (int d = from; d <= to; ++d) {
            slots[d].symbol = kind;
            slots[d].headIndex = byte(from);
            slots[d].blocks = blocks;
        }
        return slots[from];
    }
};

}  // namespace planek::test
