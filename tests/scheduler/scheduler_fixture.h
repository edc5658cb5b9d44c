#pragma once
// A ward for the scheduler tests: June 2026 (the 1st a Monday, Corpus Christi
// on Thursday the 4th, 21 working days, norm 159:15 at 7:35 a day), one group
// with a day shift 07:00-19:00 and a night shift 19:00-07:00, laid out by the
// calendar routine. Top-ups and days off for holiday work are off unless a
// test turns them on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "calendar/norm.h"
#include "calendar/summaries.h"
#include "core/plan.h"
#include "editing/day_off_add.h"
#include "editing/duty_add.h"
#include "scheduler/scheduler.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "support/two_shift_group.h"

namespace planek::test {

struct scheduler_ward {
    TempDir root;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    explicit scheduler_ward(int shifts = 2, int year = 2026, int month = 6) {
        plan.ui = ui;
        plan.paths = Paths::local(root.path());
        std::filesystem::create_directories(plan.paths.data);
        plan.year = year;
        plan.month = month;
        plan.random.seed(1);
        grupa g = two_shift_group();
        g.residueDistribution = 1;
        g.dayOffForHolidayWorkDistribution = false;
        g.shifts.resize(size_t(std::clamp(shifts, 0, 2)));
        plan.groups.push_back(g);
        plan.currentGroup = 0;
        miesiac m;
        m.year = word(year);
        m.month = byte(month);
        plan.months.push_back(m);
        plan.currentMonth = 0;
        normatyw(plan, true, 0, false);
    }

    grupa& group() { return plan.groups[0]; }
    int days() const { return int(plan.days.size()); }
    prac& worker(int w) { return plan.workers[w]; }
    ms_& month(int w) { return plan.workers[w].months[0]; }

    // A worker of the group, no leanings, pattern mode unless told otherwise.
    int addWorker(const std::string& pattern = "", int startFrom = 1, const std::string& groups = "1|") {
        prac p;
        p.id = word(plan.workers.size() + 1);
        p.surname = "Nazwisko" + std::to_string(p.id);
        p.firstName = "Imię";
        p.groups = groups;
        p.prefSystem = true;
        p.systemPattern = pattern;
        p.systemStartFrom = byte(startFrom);
        p.prefDayNight = 3;
        p.prefNormalHoliday = 3;
        plan.workers.push_back(p);
        plan.rebuildWorkerIds();
        refresh(int(plan.workers.size()) - 1);
        return int(plan.workers.size()) - 1;
    }
    int addEightHourWorker(const std::string& pattern8 = "", double partTime = 100.0) {
        const int w = addWorker();
        worker(w).prefSystem = false;
        worker(w).prefAuto8 = true;
        worker(w).systemPattern8 = pattern8;
        month(w).partTime = partTime;
        refresh(w);
        return w;
    }
    void ownNorm(int w, int minutes) {
        month(w).ownNorm = true;
        month(w).ownNormCalculated = false;
        month(w).ownNormValue = minutes;
        refresh(w);
    }
    void refresh(int w) { odswiez_pracownika(plan, w, false, 0); }

    dyzur handDuty(int w, int day, int shift, int start = 0, int length = 0) {
        dyzur d;
        d.workerId = worker(w).id;
        d.groupId = group().id;
        d.day = word(day);
        d.shift = byte(shift);
        d.start = word(start);
        d.length = word(length ? length : group().shifts[shift - 1].length);
        d.dutyAs = 1;
        d.loaded = true;
        EXPECT_TRUE(dodaj_dyzur(plan, d, -1, true, w)) << "hand duty on day " << day;
        return d;
    }
    void handDayOff(int w, char kind, int from, int to) {
        wolne_ o;
        o.workerId = worker(w).id;
        o.groupId = group().id;
        o.dayFrom = byte(from);
        o.dayTo = byte(to);
        o.symbol = kind;
        o.normMinutes = word(455 * (to - from + 1));
        o.loaded = true;
        EXPECT_TRUE(dodaj_wolne(plan, o, w, false, true));
        refresh(w);
    }

    scheduler_report run(Answer answer) {
        ui->answers.push_back(answer);
        return uloz_planek(plan);
    }

    // Per day of month (index 0 = the 1st): the shift of the worker's first
    // duty that day, 0 for none.
    std::vector<int> shifts(int w) {
        std::vector<int> out;
        for (int d = 0; d < days(); ++d) out.push_back(month(w).duties[d].empty() ? 0 : month(w).duties[d][0].shift);
        return out;
    }
    int dutyCount(int w) {
        int n = 0;
        for (int d = 0; d < days(); ++d) n += int(month(w).duties[d].size());
        return n;
    }
    int proposals(int w) {
        int n = 0;
        for (int d = 0; d < days(); ++d)
            for (const dyzur& x : month(w).duties[d]) n += x.loaded ? 0 : 1;
        return n;
    }
    // (day of month, kind, loaded) of the worker's days off.
    std::vector<std::pair<int, char>> daysOff(int w) {
        std::vector<std::pair<int, char>> out;
        for (int d = 0; d < days(); ++d)
            if (month(w).daysOff[d].used()) out.push_back({d + 1, month(w).daysOff[d].symbol});
        return out;
    }
    int planned(int w) { return month(w).sum.total[0].workedMinutes + month(w).sum.creditedMinutes; }
};

}  // namespace planek::test
