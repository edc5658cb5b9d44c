#pragma once
// A ward for the warnings tests: one group with a day shift 07:00-19:00 and
// a night shift 19:00-07:00 (one person each, also on holidays), a standard
// day of 7:35, the month laid out by the calendar routine, in a temporary
// program root.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calendar/norm.h"
#include "core/plan.h"
#include "scheduler/warnings.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "support/two_shift_group.h"

namespace planek::test {

struct warnings_ward {
    TempDir root;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    explicit warnings_ward(int year = 2026, int month = 6, int workers = 1) {
        plan.ui = ui;
        plan.paths = Paths::local(root.path());
        std::filesystem::create_directories(plan.paths.data);
        plan.year = year;
        plan.month = month;
        plan.groups.push_back(two_shift_group(1, 1));
        plan.currentGroup = 0;
        miesiac m;
        m.year = word(year);
        m.month = byte(month);
        plan.months.push_back(m);
        plan.currentMonth = 0;
        static const char* const names[][2] = {{"Anna", "Nowak"}, {"Ewa", "Kowalska"}, {"Zofia", "Lis"}};
        for (int i = 0; i < workers; ++i) {
            prac w;
            w.id = word(i + 1);
            w.groups = "1|";
            w.firstName = i < 3 ? names[i][0] : "Imię" + std::to_string(i + 1);
            w.surname = i < 3 ? names[i][1] : "Nazwisko" + std::to_string(i + 1);
            plan.workers.push_back(w);
        }
        normatyw(plan, true, 0, false);
        odswiez_dall(plan, 0, true);
    }

    int days() const { return int(plan.days.size()); }

    // Appends the next calendar month as a second period month and shows
    // it; the first month's per-day lists stay as they were built.
    void addNextMonth() {
        const int year = plan.month == 12 ? plan.year + 1 : plan.year;
        const int month = plan.month == 12 ? 1 : plan.month + 1;
        miesiac m;
        m.year = word(year);
        m.month = byte(month);
        plan.months.push_back(m);
        for (grupa& g : plan.groups) g.monthSettings.resize(plan.months.size());
        for (prac& w : plan.workers) w.months.resize(plan.months.size());
        plan.year = year;
        plan.month = month;
        plan.currentMonth = int(plan.months.size()) - 1;
        normatyw(plan, true, plan.currentMonth, false);
        odswiez_dall(plan, plan.currentMonth, true);
    }

    // A duty in period month m (the month's own year and month stamped).
    dyzur& dutyIn(int m, int worker, int dayOfMonth, int start, int length, int shift = 1) {
        dyzur& d = duty(worker, dayOfMonth, start, length, 0, shift);
        dyzur copy = d;
        plan.workers[worker].months[0].duties[dayOfMonth - 1].pop_back();
        copy.month = plan.months[m].month;
        copy.year = plan.months[m].year;
        auto& list = plan.workers[worker].months[m].duties[dayOfMonth - 1];
        list.push_back(copy);
        return list.back();
    }

    // What opening the earlier tabs did: their per-day lists and duty lists.
    void refreshEarlierMonths() {
        odswiez_liste_prac_panel(plan);
        for (int m = 0; m < plan.currentMonth; ++m) {
            odswiez_dall(plan, m, false);
            odswiez_dall2(plan, m);
        }
    }

    // A duty of a worker on a day of the first month (1-based).
    dyzur& duty(int worker, int dayOfMonth, int start, int length, int overtime = 0, int shift = 1) {
        dyzur d;
        d.id = ++plan.dutyCounter;
        d.workerId = plan.workers[worker].id;
        d.groupId = 1;
        d.day = word(dayOfMonth);
        d.dayIndex = byte(dayOfMonth - 1);
        d.shift = byte(shift);
        d.start = word(start);
        d.length = word(length);
        d.overtime = smallint(overtime);
        d.dutyAs = 1;
        d.month = plan.months[0].month;
        d.year = plan.months[0].year;
        auto& list = plan.workers[worker].months[0].duties[dayOfMonth - 1];
        list.push_back(d);
        return list.back();
    }
    dyzur& dayDuty(int worker, int dayOfMonth) { return duty(worker, dayOfMonth, 420, 720, 0, 1); }
    dyzur& nightDuty(int worker, int dayOfMonth) { return duty(worker, dayOfMonth, 1140, 720, 0, 2); }

    // Every rule off but those whose letters are given ("c" switches both
    // rules c, "j" both rules j, "e"/"d" one each).
    void only(const std::string& letters) {
        warnings_options& o = plan.options.warnings;
        const auto on = [&](char c) { return letters.find(c) != std::string::npos; };
        o.DutyNexttoDuty = on('a');
        o.Nights2 = on('b');
        o.StaffLess = o.StaffBigger = on('c');
        o.DutyTooShort = on('d');
        o.DutyTooLong = on('e');
        o.NormativeExceeded = on('f');
        o.LacksDuties = on('g');
        o.WeekIntervalTooShort = on('h');
        o.WorkSundaysMaxCount = on('i');
        o.StaffLessPercent = o.StaffBiggerPercent = on('j');
        o.DiscontinuosStaff = on('k');
        o.WeekWorkTime = on('l');
    }

    warnings_report run(const warnings_hooks& hooks = {}) { return a_WarningsExecute(plan, hooks); }
    std::vector<std::string> lines(const warnings_hooks& hooks = {}) { return run(hooks).lines; }
};

}  // namespace planek::test
