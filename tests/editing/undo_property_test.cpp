// Random edits over real wards, then every step undone and redone: the
// month must come back to the very state it had at each end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "calendar/norm.h"
#include "calendar/period_params.h"
#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"
#include "calendar/summaries.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_dialog_model.h"
#include "editing/day_off_rules.h"
#include "editing/duty_dialog_model.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/group_model.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"
#include "editing/undo_stack.h"
#include "editing/worker_model.h"
#include "files/program_session.h"
#include "support/temp_dir.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

// Answers Yes or No at random, so confirmations and allowance questions go
// both ways.
class CoinInteraction : public Interaction {
public:
    explicit CoinInteraction(std::uint64_t seed) : engine_(seed) {}
    Answer ask(const std::string&, Buttons) override { return engine_() % 3 == 0 ? Answer::No : Answer::Yes; }
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}

private:
    std::mt19937_64 engine_;
};

struct worker_image {
    std::string name, groups;
    bool old;
    std::array<wolne_, kMaxDays> daysOff;
    std::array<std::vector<dyzur>, kMaxDays> duties;
    std::int32_t workerNorm, holidayCurrentYear, holidayPreviousYear, careDays, rehaDays;
    smallint overtimeTotal, overtimeFromPrevious;
    double partTime;
    byte systemStartFrom, systemStartFrom8;
    category_set totals;
    std::int32_t credited;
    day_off_totals dayOffMinutes;
};

// Everything an edit can change, and the figures derived from it.
struct plan_image {
    std::vector<worker_image> workers;
    std::vector<day_param> days;
    std::vector<dyzur> orphanDuties;
    std::vector<wolne_> orphanDaysOff;
    std::vector<std::string> groups;  // what the group dialog changes
    int currentGroup = -1;
    std::vector<int> listed;
    word dutyCounter = 0, dayOffCounter = 0;
    std::vector<std::vector<word>> headcounts;
    std::vector<std::vector<std::int32_t>> minutes;
    std::vector<std::uint8_t> holidays;
    period_totals periodAll;
};

plan_image image_of(Plan& plan) {
    // The window recounts stale staffing before it shows it; so does the image.
    odswiez_iledy_gdy_trzeba(plan);
    plan_image im;
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        const prac& p = plan.workers[size_t(w)];
        const ms_& m = *worker_month(std::as_const(plan), w);
        im.workers.push_back({p.fullName(), p.groups, p.old, m.daysOff, m.duties, m.workerNorm, p.holidayCurrentYear, p.holidayPreviousYear,
                              p.careDays, p.rehaDays, m.overtimeTotal, m.overtimeFromPrevious, m.partTime,
                              p.systemStartFrom, p.systemStartFrom8, m.sum.total, m.sum.creditedMinutes,
                              m.sum.dayOffMinutes});
    }
    im.days = plan.months[size_t(plan.currentMonth)].days;
    im.orphanDuties = plan.orphanDuties;
    im.orphanDaysOff = plan.orphanDaysOff;
    for (const grupa& g : plan.groups) {
        im.groups.push_back(g.name + "|" + std::to_string(g.old) + "|" + std::to_string(g.dailyNorm));
        for (const zmiana_& z : g.shifts) im.groups.back() += "|" + std::to_string(z.staffMin) + "/" + std::to_string(z.staffMinS);
    }
    im.currentGroup = plan.currentGroup;
    for (const listed_worker& l : plan.listed) im.listed.push_back(l.worker);
    im.dutyCounter = plan.dutyCounter;
    im.dayOffCounter = plan.dayOffCounter;
    for (const day& d : plan.days) {
        im.headcounts.push_back(d.shiftHeadcount);
        im.minutes.push_back(d.shiftMinutes);
        im.holidays.push_back(d.holiday);
    }
    im.periodAll = plan.period.all;
    return im;
}

// Plain records of whole numbers: compared byte for byte.
template <class T>
bool same_bytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void expect_same(const plan_image& want, const plan_image& got, const std::string& when) {
    ASSERT_EQ(want.workers.size(), got.workers.size()) << when;
    for (size_t w = 0; w < want.workers.size(); ++w) {
        const worker_image& a = want.workers[w];
        const worker_image& b = got.workers[w];
        const std::string who = when + ", worker " + std::to_string(w);
        EXPECT_EQ(a.name, b.name) << who;
        EXPECT_EQ(a.groups, b.groups) << who;
        EXPECT_EQ(a.old, b.old) << who;
        EXPECT_TRUE(a.duties == b.duties) << who;
        EXPECT_EQ(a.workerNorm, b.workerNorm) << who;
        EXPECT_EQ(a.holidayCurrentYear, b.holidayCurrentYear) << who;
        EXPECT_EQ(a.holidayPreviousYear, b.holidayPreviousYear) << who;
        EXPECT_EQ(a.careDays, b.careDays) << who;
        EXPECT_EQ(a.rehaDays, b.rehaDays) << who;
        EXPECT_EQ(a.overtimeTotal, b.overtimeTotal) << who;
        EXPECT_EQ(a.overtimeFromPrevious, b.overtimeFromPrevious) << who;
        EXPECT_EQ(a.partTime, b.partTime) << who;
        EXPECT_EQ(a.systemStartFrom, b.systemStartFrom) << who;
        EXPECT_EQ(a.systemStartFrom8, b.systemStartFrom8) << who;
        EXPECT_TRUE(same_bytes(a.totals, b.totals)) << who << ": month sums";
        EXPECT_EQ(a.credited, b.credited) << who;
        EXPECT_TRUE(a.dayOffMinutes == b.dayOffMinutes) << who;
    }
    EXPECT_TRUE(want.days == got.days) << when << ": day parameters";
    EXPECT_TRUE(want.orphanDuties == got.orphanDuties) << when;
    EXPECT_TRUE(want.groups == got.groups) << when << ": groups";
    EXPECT_EQ(want.currentGroup, got.currentGroup) << when;
    EXPECT_EQ(want.listed, got.listed) << when << ": listed workers";
    EXPECT_TRUE(want.orphanDaysOff == got.orphanDaysOff) << when;
    EXPECT_EQ(want.dutyCounter, got.dutyCounter) << when;
    EXPECT_EQ(want.dayOffCounter, got.dayOffCounter) << when;
    EXPECT_TRUE(want.headcounts == got.headcounts) << when << ": staffing headcounts";
    EXPECT_TRUE(want.minutes == got.minutes) << when << ": staffing minutes";
    EXPECT_TRUE(want.holidays == got.holidays) << when << ": day table";
    EXPECT_TRUE(same_bytes(want.periodAll, got.periodAll)) << when << ": period totals";
}

// The edits a ward manager makes, each through the routine the window calls
// and each as one step, the way the window wraps its acts.
class RandomEditor {
public:
    RandomEditor(Plan& plan, std::uint64_t seed) : plan_(plan), rng_(seed) {}

    void editOnce() {
        switch (below(17)) {
            case 0: case 1: case 2: addDuty(); break;
            case 3: moveDuty(); break;
            case 4: trash(true); break;
            case 5: addDayOff(); break;
            case 6: moveDayOff(); break;
            case 7: trash(false); break;
            case 8: splitDuty(); break;
            case 9: editDuty(); break;
            case 10: removeRange(); break;
            case 11: dayProperty(); break;
            case 12: bulk(); break;
            case 13: archiveWorker(); break;
            case 14: editGroup(); break;
            case 15: addWorker(); break;
            default: editWorker(); break;
        }
    }

private:
    int below(int n) { return n <= 0 ? 0 : int(rng_() % unsigned(n)); }
    int worker() { return plan_.listed.empty() ? 0 : plan_.listed[size_t(below(int(plan_.listed.size())))].worker; }
    int dayIndex() { return below(int(plan_.days.size())); }
    int shift() { return 1 + below(plan_.group() ? int(plan_.group()->shifts.size()) : 1); }

    // A random panel of a duty (or a day off) of a random listed worker.
    std::string panel(bool duty) {
        for (int tries = 0; tries < 40; ++tries) {
            const int w = worker();
            const int d = dayIndex();
            const ms_* m = worker_month(std::as_const(plan_), w);
            if (!m) continue;
            if (duty && !m->duties[size_t(d)].empty())
                return duty_panel_name(w, d, below(int(m->duties[size_t(d)].size())));
            if (!duty && m->daysOff[size_t(d)].used() && m->daysOff[size_t(d)].headIndex == d)
                return day_off_panel_name(w, d);
        }
        return {};
    }

    void addDuty() {
        undo_scope step(plan_, "undo_DutyAdd", "Dodaj dyżur");
        upusc_dyzur(plan_, worker(), dayIndex(), shift(), true);
    }
    void moveDuty() {
        const std::string p = panel(true);
        if (p.empty()) return;
        undo_scope step(plan_, "undo_DutyMove", "Przenieś dyżur");
        upusc_panel_dyzuru(plan_, p, dayIndex(), shift(), below(3) == 0);
    }
    void trash(bool duty) {
        const std::string p = panel(duty);
        if (p.empty()) return;
        undo_scope step(plan_, "undo_DutyDelete", "Usuń dyżur");
        kosz(plan_, p);
    }
    void addDayOff() {
        undo_scope step(plan_, "undo_DayOffAdd", "Dodaj wolne");
        day_off_dialog_model m;
        const int d = dayIndex();
        m.openAdd(plan_, worker(), d);
        m.kindIndex = below(int(plan_.options.dayOffKinds.size()));
        m.secondDay = m.firstDay + below(4);
        m.refreshNorm(plan_);
        // A refused day off is one of the random steps; the history is checked after.
        static_cast<void>(m.ok(plan_));
    }
    void moveDayOff() {
        const std::string p = panel(false);
        if (p.empty()) return;
        undo_scope step(plan_, "undo_DayOffMove", "Przenieś wolne");
        upusc_panel_wolnego(plan_, p, dayIndex());
    }
    void splitDuty() {
        const std::string p = panel(true);
        if (p.empty()) return;
        undo_scope step(plan_, "undo_DutySplit", "Podziel dyżur");
        podziel_dyzur(plan_, p, below(1440));
    }
    void editDuty() {
        const std::string p = panel(true);
        if (p.empty()) return;
        undo_scope step(plan_, "undo_DutyEdit", "Zmień dyżur");
        duty_dialog_model m;
        if (!m.openEdit(plan_, p)) return;
        m.onRequest = !m.onRequest;
        m.note = "n" + std::to_string(below(100));
        if (below(2) == 0) m.overtimeText = "01:00";
        tell_user(*plan_.ui, m.ok(plan_).said);
    }
    void removeRange() {
        const int first = dayIndex();
        undo_scope step(plan_, "undo_DutyDelete", "Usuń dyżur");
        if (below(2) == 0)
            usun_dyzur_dx(plan_, worker(), first, first + below(5), false, false, true, below(2) == 0, -1);
        else
            usun_wolne(plan_, worker(), first, first + below(5), false, below(2) == 0, false, true);
    }
    void dayProperty() {
        undo_scope step(plan_, "undo_DayProperties", "Właściwości dnia");
        const int d = dayIndex();
        if (below(2) == 0)
            a_MarkAsHoliday(plan_, d);
        else
            zapisz_wlasciwosci_dnia(plan_, d, "uwaga " + std::to_string(below(9)), below(2) == 0);
    }
    void bulk() {
        plan_.currentWorker = worker();
        undo_scope step(plan_, "undo_BulkRemove", "Usuń dyżury i wolne");
        usun_zbiorczo(plan_, below(2) == 0 ? bulk_removal::DutiesOfWorker : bulk_removal::DaysOffOfWorker);
    }

    // What the window shows again after a worker or group act.
    void showAgain() {
        if (plan_.currentGroup >= 0) normatyw(plan_, true, plan_.currentMonth, true);
        odswiez_liste_prac_panel(plan_);
        call_odswiez_okres(plan_, false, false, -1);
    }
    void archiveWorker() {
        const int w = below(int(plan_.workers.size()));
        if (plan_.workers[size_t(w)].old) {
            undo_scope step(plan_, "undo_WorkerRestore", "Przywróć pracownika");
            przywroc_pracownika(plan_, w);
        } else {
            undo_scope step(plan_, "undo_WorkerDelete", "Usuń pracownika");
            (void)usun_pracownika(plan_, w);  // the random answer may keep her
        }
        showAgain();
    }
    void editGroup() {
        {
            undo_scope step(plan_, "undo_GroupEdit", "Edytuj grupę");
            group_dialog_model m;
            if (!m.openEdit(plan_)) return;
            shift_row& row = m.rows[size_t(below(int(m.rows.size())))];
            row.staff = std::to_string(below(6));
            row.staffS = std::to_string(below(4));
            if (below(4) == 0) m.day8 = "07:" + std::to_string(10 + below(50));
            EXPECT_TRUE(m.ok(plan_).ok());
        }
        showAgain();
    }
    void addWorker() {
        if (below(3) != 0) return;  // a ward grows slowly
        {
            undo_scope step(plan_, "undo_WorkerAdd", "Dodaj pracownika");
            worker_dialog_model m;
            if (!m.openAdd(plan_)) return;
            m.f.surname = "Nowa" + std::to_string(below(1000));
            m.f.firstName = "Ewa";
            EXPECT_TRUE(m.ok(plan_).ok());
        }
        showAgain();
    }
    void editWorker() {
        const int w = worker();
        {
            undo_scope step(plan_, "undo_WorkerEdit", "Edytuj pracownika");
            worker_dialog_model m;
            if (!m.openEdit(plan_, w)) return;
            m.f.surname += "x";
            m.f.currentYearHoliday = std::to_string(100 + below(100)) + ":00";
            EXPECT_TRUE(m.ok(plan_).ok());
        }
        showAgain();
    }

    Plan& plan_;
    std::mt19937_64 rng_;
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class UndoProperty : public ::testing::Test {
protected:
    // A ward made by the command line, its first month open as the window opens it.
    void open(const std::string& command, const std::string& options = {}) {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        const fs::path root = dir / "ward";
        const std::string cmd =
            quote(PLANEK_CLI) + " " + command + " " + quote(root.string()) + " " + options + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        session_request request;
        request.root = root;
        ASSERT_TRUE(open_program_session(plan, request).ok());
        std::vector<std::string> months;
        for (const auto& e : fs::directory_iterator(plan.paths.data))
            if (e.path().extension() == ".pnk") months.push_back(e.path().string());
        std::sort(months.begin(), months.end());
        ASSERT_FALSE(months.empty());
        months_request m;
        m.files = {months.front()};
        ASSERT_TRUE(open_session_months(plan, m).ok());
        ASSERT_FALSE(plan.listed.empty());
    }

    void roundTrip(std::uint64_t seed, int edits) {
        plan.ui = std::make_shared<CoinInteraction>(seed);
        undo_history(plan).clear();
        const plan_image start = image_of(plan);
        RandomEditor editor(plan, seed);
        for (int i = 0; i < edits; ++i) editor.editOnce();
        const plan_image end = image_of(plan);
        undo_stack& history = undo_history(plan);
        ASSERT_GT(history.size(), size_t(edits / 4)) << "seed " << seed;
        const size_t steps = history.size();
        while (history.canUndo()) ASSERT_TRUE(history.undo(plan));
        expect_same(start, image_of(plan), "undone, seed " + std::to_string(seed));
        while (history.canRedo()) ASSERT_TRUE(history.redo(plan));
        EXPECT_EQ(history.size(), steps);
        expect_same(end, image_of(plan), "redone, seed " + std::to_string(seed));
    }

    TempDir dir;
    Plan plan;
};

TEST_F(UndoProperty, DemoMonthComesBackAfterRandomEdits) {
    open("demo");
    for (std::uint64_t seed : {1u, 2u, 3u}) roundTrip(seed, 200);
}

TEST_F(UndoProperty, GeneratedWardComesBackAfterRandomEdits) {
    open("generate", "--workers 90 --groups 3 --seed 5 --from 2031-02");
    for (std::uint64_t seed : {11u, 12u}) roundTrip(seed, 200);
}

}  // namespace
}  // namespace planek::test
