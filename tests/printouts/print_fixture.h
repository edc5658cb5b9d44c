#pragma once
// A small ward for the printout tests: March 2026 (the 1st is a Sunday),
// two groups, four workers.
#include <memory>

#include "calendar/holidays.h"
#include "core/plan.h"

namespace planek::test {

inline void add_duty(Plan& plan, int w, int d, int start, int length, int shift, word groupId = 1,
                     byte dutyAs = 1) {
    dyzur x;
    x.id = ++plan.dutyCounter;
    x.start = word(start);
    x.length = word(length);
    x.shift = byte(shift);
    x.groupId = groupId;
    x.workerId = plan.workers[w].id;
    x.dutyAs = dutyAs;
    x.dayIndex = byte(d);
    x.day = word(d + 1);
    plan.workers[w].months[plan.currentMonth].duties[d].push_back(x);
}

inline wolne_& add_day_off(Plan& plan, int w, int from, int to, char kind, bool blocks = true, word groupId = 1) {
    ms_& m = plan.workers[w].months[plan.currentMonth];
    for (int k = from; k <= to; ++k) {
        m.daysOff[k].symbol = kind;
        m.daysOff[k].headIndex = byte(from);
        m.daysOff[k].blocks = blocks;
    }
    wolne_& h = m.daysOff[from];
    h.id = ++plan.dayOffCounter;
    h.dayFrom = byte(from + 1);
    h.dayTo = byte(to + 1);
    h.firstIndex = byte(from);
    h.groupId = groupId;
    h.workerId = plan.workers[w].id;
    h.normMinutes = word(455 * (to - from + 1));
    return h;
}

inline prac make_worker(word id, const char* nick, const char* first, const char* surname, const char* groups) {
    prac p;
    p.id = id;
    p.nick = nick;
    p.firstName = first;
    p.surname = surname;
    p.groups = groups;
    return p;
}

inline Plan make_ward() {
    Plan plan;
    plan.clock = std::make_shared<FixedClock>(2026, 3, 15);
    plan.year = 2026;
    plan.month = 3;
    miesiac m;
    m.month = 3;
    m.year = 2026;
    m.dayCount = 31;
    m.workingDays = 22;
    m.normMinutes = 22 * 455;
    m.normRemainder = 300;
    for (int d = 0; d < 31; ++d) {
        int wd = day_of_week(2026, 3, d + 1);
        day dd;
        dd.dayOfWeek = byte(wd);
        dd.holiday = wd == 1 ? 1 : 0;
        plan.days.push_back(dd);
        day_param p;
        p.dayClass = wd == 1 ? "sw" : wd == 7 ? "so" : "da";
        p.dayNumber = byte(d + 1);
        m.days.push_back(p);
    }
    plan.months.push_back(m);
    plan.calendar.normRemainder = 300;
    plan.dyz8 = 455;
    plan.dyz12 = 720;

    grupa g;
    g.id = 1;
    g.nick = "PIE";
    g.name = "Pielęgniarki";
    g.dailyNorm = 455;
    g.monthNorm = word(22 * 455);
    g.color = rgb(0x12, 0x34, 0x56);
    g.shifts.push_back({420, 720, 0xFFFFFF, "D", "Dzienna", {}, 2, 1});
    g.shifts.push_back({1140, 720, 0xFFFFFF, "N", "Nocna", {}, 1, 1});
    plan.groups.push_back(g);
    grupa g2 = g;
    g2.id = 2;
    g2.nick = "POŁ";
    g2.name = "Położne";
    plan.groups.push_back(g2);

    plan.workers.push_back(make_worker(1, "AK", "Anna", "Kowalska", "1|"));
    plan.workers.push_back(make_worker(2, "BN", "Beata", "Nowak", "1|"));
    plan.workers.push_back(make_worker(3, "CZ", "Celina", "Zając", "1|"));
    plan.workers.push_back(make_worker(4, "DW", "Daria", "Wiśniewska", "2|"));
    for (int i = 0; i < 4; ++i) plan.listed.push_back({i, plan.workers[i].fullName(), false});
    plan.currentGroup = 0;
    plan.currentWorker = 0;
    plan.currentMonth = 0;
    plan.rebuildWorkerIds();
    return plan;
}

}  // namespace planek::test
