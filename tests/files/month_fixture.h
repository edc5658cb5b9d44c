#pragma once
// A small ward for the month-file tests: two groups (one archived), three
// workers, the clock on 15 March 2024, everything in a temporary root.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/plan.h"
#include "editing/day_off_add.h"
#include "editing/duty_add.h"
#include "files/month_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek::test {

inline zmiana_ make_shift(const char* symbol, int start, int length) {
    zmiana_ z;
    z.symbol = symbol;
    z.name = symbol;
    z.start = word(start);
    z.length = word(length);
    return z;
}

inline grupa make_group(word id, const char* name, bool old = false) {
    grupa g;
    g.id = id;
    g.name = name;
    g.old = old;
    g.dailyNorm = g.dailyNormDefault = 455;
    g.shifts = {make_shift("R", 420, 720), make_shift("N", 1140, 720)};
    return g;
}

inline prac make_worker(word id, const char* surname, const char* groups = "1|") {
    prac w;
    w.id = id;
    w.surname = surname;
    w.firstName = "Anna";
    w.nick = std::string(surname).substr(0, 2);
    w.groups = groups;
    return w;
}

class MonthFixture : public ::testing::Test {
protected:
    TempDir dir;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    void SetUp() override {
        plan.paths = Paths::local(dir.path());
        std::filesystem::create_directories(plan.paths.data);
        // The user's own lists (recent projects, the folder last opened).
        plan.options.userSettingsFolder = dir.path() / "user";
        std::filesystem::create_directories(plan.options.userSettingsFolder);
        plan.clock = std::make_shared<FixedClock>(2024, 3, 15);
        plan.ui = ui;
        plan.groups = {make_group(1, "Chirurgia"), make_group(2, "Dawna", true)};
        plan.workers = {make_worker(1, "Kowalska"), make_worker(2, "Nowak"), make_worker(3, "Wiśniewska")};
        plan.rebuildWorkerIds();
        plan.currentGroup = 0;
        plan.months.resize(1);
    }

    // Opens an empty month through the reader (a file that does not exist).
    void empty_month(const std::string& name = "2024_03.pnk") {
        plan.currentFile = (dir.path() / name).string();
        wczytaj_dyzury_i_wolne(plan);
    }

    bool add_duty(int worker, int day, int start, int length, int shift = 1) {
        dyzur d;
        d.groupId = 1;
        d.workerId = plan.workers[worker].id;
        d.day = word(day);
        d.start = word(start);
        d.length = word(length);
        d.shift = byte(shift);
        d.dutyAs = 1;
        return add(d, worker);
    }
    bool add(const dyzur& d, int worker) { return dodaj_dyzur(plan, d, -1, false, worker).ok(); }
    bool add_day_off(int worker, int from, int to, char kind = 'u', word norm = 455 * 3) {
        wolne_ w;
        w.groupId = 1;
        w.workerId = plan.workers[worker].id;
        w.dayFrom = byte(from);
        w.dayTo = byte(to);
        w.symbol = kind;
        w.normMinutes = norm;
        w.normWithPartTime = true;
        return add(w, worker);
    }
    bool add(const wolne_& w, int worker) { return dodaj_wolne(plan, w, worker, false, true).ok(); }

    ms_& month(int worker) { return plan.workers[worker].months[plan.currentMonth]; }
    std::filesystem::path path(const std::string& name) const { return dir.path() / name; }
};

}  // namespace planek::test
