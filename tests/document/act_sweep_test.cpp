// Every act of the document on a real ward: an act that changes the month
// is one step that undo takes back to the byte, it leaves the plan modified,
// it tells the views exactly once, and the figures it leaves are the ones a
// full recount gives. The acts that are no step tell once and keep the
// figures the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/day_off_acts.h"
#include "document/duty_acts.h"
#include "document/figures.h"
#include "document/history_acts.h"
#include "document/month_acts.h"
#include "document/option_acts.h"
#include "document/parameter_acts.h"
#include "document/schedule_acts.h"
#include "document/staff_acts.h"
#include "document/view_acts.h"
#include "editing/month_access.h"
#include "files/file_problems.h"
#include "files/group_file.h"
#include "files/month_file.h"
#include "files/staff_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// What the files would hold: the month, the staff and the groups, as lines.
std::vector<std::string> stored_lines(const Plan& plan) {
    file_problems ignored{plan.tr, {}};
    std::vector<std::string> lines = month_file_lines(plan);
    for (const std::string& l : staff_file_lines(plan.workers, ignored)) lines.push_back(l);
    for (const std::string& l : group_file_lines(plan.groups, ignored)) lines.push_back(l);
    return lines;
}

// Plain records of whole numbers: compared byte for byte.
template <class T>
bool same_bytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The figures a view shows, as the document keeps them against a recount
// of everything from the tables.
::testing::AssertionResult FiguresAsRecounted(const roster_document& doc) {
    Plan fresh = doc.copy();
    recount_figures(fresh);
    const Plan& kept = doc.plan();
    std::vector<int> listed, recounted;
    for (const listed_worker& l : kept.listed)
        if (!l.outsider) listed.push_back(l.worker);
    for (const listed_worker& l : fresh.listed) recounted.push_back(l.worker);
    if (listed != recounted) return ::testing::AssertionFailure() << "listed workers";
    if (kept.currentWorker != fresh.currentWorker) return ::testing::AssertionFailure() << "chosen worker";
    if (kept.currentGroup != fresh.currentGroup) return ::testing::AssertionFailure() << "shown group";
    for (int w : listed) {
        const ms_& a = *worker_month(kept, w);
        const ms_& b = *worker_month(fresh, w);
        if (!same_bytes(a.sum.total, b.sum.total) || a.sum.creditedMinutes != b.sum.creditedMinutes ||
            a.workerNorm != b.workerNorm || !(a.sum.dayOffMinutes == b.sum.dayOffMinutes))
            return ::testing::AssertionFailure() << "sums of worker " << w;
        if (kept.workers[size_t(w)].sum.dutyCount != fresh.workers[size_t(w)].sum.dutyCount)
            return ::testing::AssertionFailure() << "duty count of worker " << w;
    }
    if (!same_bytes(kept.period.all, fresh.period.all)) return ::testing::AssertionFailure() << "period totals";
    if (kept.calendar.normMinutes != fresh.calendar.normMinutes) return ::testing::AssertionFailure() << "norm";
    for (size_t d = 0; d < kept.days.size(); ++d)
        if (kept.days[d].shiftHeadcount != fresh.days[d].shiftHeadcount ||
            kept.days[d].shiftMinutes != fresh.days[d].shiftMinutes || kept.days[d].holiday != fresh.days[d].holiday)
            return ::testing::AssertionFailure() << "staffing of day " << d + 1;
    return ::testing::AssertionSuccess();
}

struct outside_act {
    std::string name;
    std::function<bool(roster_document&)> run;
    int modified = -1;  // what the plan is after it: 1 modified, 0 not, -1 either
};

struct sweep_act {
    std::string name;
    std::function<bool(roster_document&)> run;  // true: the act did what it was asked
    // A step that makes room for the act first (taken back after it).
    std::function<bool(roster_document&)> prepare = {};
};

class ActSweep : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        const fs::path root = dir / "ward";
        const std::string cmd = quote(PLANEK_CLI) + " demo " + quote(root.string()) + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        talk->fallback = Answer::Yes;
        doc.set_interaction(talk);
        doc.set_clock(std::make_shared<FixedClock>(2030, 5, 14));
        session_request request;
        request.root = root;
        ASSERT_TRUE(open_folder(doc, request).ok());
        std::vector<std::string> months;
        for (const auto& e : fs::directory_iterator(doc.plan().paths.data))
            if (e.path().extension() == ".pnk") months.push_back(e.path().string());
        std::sort(months.begin(), months.end());
        ASSERT_EQ(months.size(), 2u);
        open_request open;
        open.months.files = months;
        open.months.touchFiles = true;
        const result<std::vector<std::string>> opened = open_months(doc, open);
        ASSERT_TRUE(opened.ok()) << opened.error().text;
        ASSERT_FALSE(doc.plan().listed.empty());
        ASSERT_FALSE(doc.modified());
    }

    // A listed worker, a day of the month free of her duties and days off.
    void free_cell(int& worker, int& dayIndex) const {
        const Plan& plan = doc.plan();
        for (const listed_worker& lw : plan.listed) {
            const ms_* m = worker_month(plan, lw.worker);
            if (!m || plan.workers[size_t(lw.worker)].old) continue;
            for (int d = 1; d + 1 < int(plan.days.size()); ++d)
                if (m->duties[size_t(d)].empty() && m->duties[size_t(d - 1)].empty() &&
                    m->duties[size_t(d + 1)].empty() && !m->daysOff[size_t(d)].used() &&
                    m->daysOff[size_t(d)].headIndex == kNoHead) {
                    worker = lw.worker;
                    dayIndex = d;
                    return;
                }
        }
    }

    // A day duty of the worker's, well inside the month.
    duty_id some_duty(int worker) const {
        const Plan& plan = doc.plan();
        if (const ms_* m = worker_month(plan, worker))
            for (int d = 2; d + 2 < int(plan.days.size()); ++d)
                for (const dyzur& x : m->duties[size_t(d)])
                    if (x.loaded && !x.onRequest && x.start % 1440 < 1000 && x.shift == 1) return {x.id};
        return {};
    }

    day_off_id some_day_off() const {
        const Plan& plan = doc.plan();
        for (const listed_worker& lw : plan.listed)
            if (const ms_* m = worker_month(plan, lw.worker))
                for (int d = 0; d < int(plan.days.size()); ++d)
                    if (m->daysOff[size_t(d)].used()) return {m->daysOff[size_t(d)].id};
        return {};
    }

    TempDir dir;
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();
    roster_document doc;
};

TEST_F(ActSweep, EveryStepIsUndoneToTheByteAndToldOnce) {
    int worker = -1, day = -1;
    free_cell(worker, day);
    ASSERT_GE(worker, 0);
    const Plan& plan = doc.plan();
    const word workerId = plan.workers[size_t(worker)].id;
    const grupa& group = *plan.group();
    const duty_id duty = some_duty(worker);
    const day_off_id dayOff = some_day_off();
    ASSERT_NE(duty.value, 0);
    ASSERT_NE(dayOff.value, 0);
    const fs::path other = doc.plan().openFiles.front();

    auto cell_duty = [&](int length) {
        duty_args a;
        a.worker = workerId;
        a.day = day + 1;
        a.shift = 1;
        a.start = group.shifts[0].start;
        a.length = length;
        a.dutyAs = 1;
        return a;
    };
    auto leave = [&](int from, int to) {
        day_off_args a;
        a.worker = workerId;
        a.kind = 'u';
        a.firstDay = from;
        a.lastDay = to;
        return a;
    };
    const std::vector<sweep_act> acts = {
        {"add duty", [&](roster_document& d) { return add_duty(d, cell_duty(360)).ok(); }},
        {"add the shift's duty", [&](roster_document& d) { return add_shift_duty(d, worker, day, 1).ok(); }},
        {"edit duty", [&](roster_document& d) {
             const duty_place at = *find_duty(d.plan(), duty);
             duty_args a;
             const dyzur& x = worker_month(d.plan(), at.worker)->duties[size_t(at.dayIndex)][size_t(at.position)];
             a.worker = x.workerId, a.day = x.day, a.shift = x.shift, a.start = x.start, a.length = x.length - 60;
             a.dutyAs = x.dutyAs, a.note = "krócej";
             return edit_duty(d, duty, a).ok();
         }},
        {"move duty", [&](roster_document& d) { return move_duty(d, duty, day, 1).ok(); }},
        {"copy duty", [&](roster_document& d) { return copy_duty(d, duty, day, 1).ok(); }},
        {"split duty", [&](roster_document& d) {
             const duty_place at = *find_duty(d.plan(), duty);
             const dyzur& x = worker_month(d.plan(), at.worker)->duties[size_t(at.dayIndex)][size_t(at.position)];
             return split_duty(d, duty, (x.start + 120) % 1440).ok();
         }},
        {"remove duty", [&](roster_document& d) { return remove_duty(d, duty, true).ok(); }},
        {"remove the worker's duties", [&](roster_document& d) {
             return remove_entries(d, bulk_removal::DutiesOfWorker).ok();
         }},
        {"add day off", [&](roster_document& d) { return add_day_off(d, leave(day + 1, day + 1)).ok(); }},
        {"edit day off", [&](roster_document& d) {
             const day_off_place at = *find_day_off(d.plan(), dayOff);
             const wolne_& w = worker_month(d.plan(), at.worker)->daysOff[size_t(at.dayIndex)];
             day_off_args a = leave(w.dayFrom, w.dayFrom);
             a.worker = w.workerId, a.kind = w.symbol, a.customNorm = 300;
             return edit_day_off(d, dayOff, a).ok();
         }},
        {"move day off", [&](roster_document& d) {
             const day_off_place at = *find_day_off(d.plan(), dayOff);
             return move_day_off(d, dayOff, at.dayIndex == 0 ? 1 : 0).ok();
         }},
        {"remove day off", [&](roster_document& d) { return remove_day_off(d, dayOff).ok(); }},
        {"add worker", [&](roster_document& d) {
             prac w;
             w.id = id(d.plan(), 'k', "max");
             w.surname = "Nowa";
             w.firstName = "Osoba";
             w.nick = "NO";
             w.groups = std::to_string(group.id) + "|";
             return save_worker(d, w, -1).ok();
         }},
        {"edit worker", [&](roster_document& d) {
             prac w = d.plan().workers[size_t(worker)];
             w.holidayCurrentYear += 480;
             return save_worker(d, w, worker).ok();
         }},
        {"archive worker", [&](roster_document& d) { return archive_worker(d, worker).ok(); }},
        {"edit group", [&](roster_document& d) {
             grupa g = *d.plan().group();
             g.shifts[0].staffMin = byte(g.shifts[0].staffMin + 1);
             return save_group(d, g, d.plan().currentGroup).ok();
         }},
        {"group defaults", [&](roster_document& d) {
             group_norm_defaults n;
             n.dailyNorm = 420;
             n.noHolidays = true;
             return save_group_defaults(d, n).ok();
         }},
        {"delete group", [&](roster_document& d) { return delete_group(d, d.plan().currentGroup).ok(); }},
        {"holiday", [&](roster_document& d) { return toggle_holiday(d, day).ok(); }},
        {"emergency duty", [&](roster_document& d) { return toggle_er_duty(d, day).ok(); }},
        {"day properties", [&](roster_document& d) { return save_day_properties(d, day, "Szkolenie", true).ok(); }},
        {"overtime carried", [&](roster_document& d) { return load_overtime(d, other).ok(); }},
        {"overtime cleared", [&](roster_document& d) { return clear_overtime(d).ok(); },
         [&](roster_document& d) { return load_overtime(d, other).ok(); }},
        {"scheduler accepted", [&](roster_document& d) { return run_scheduler(d, {1, 0, 7}, proposals::Accept).ok(); },
         [&](roster_document& d) { return remove_entries(d, bulk_removal::DutiesOfGroup).ok(); }},
    };
    for (const sweep_act& a : acts) {
        if (a.prepare) {
            ASSERT_TRUE(a.prepare(doc)) << a.name << ": prepared";
        }
        const std::vector<std::string> before = stored_lines(plan);
        const std::uint64_t told = doc.notices();
        const bool prepared = doc.history().canUndo();
        ASSERT_TRUE(a.run(doc)) << a.name;
        EXPECT_EQ(doc.notices(), told + 1) << a.name << ": notices";
        EXPECT_TRUE(doc.history().canUndo()) << a.name << ": a step";
        EXPECT_TRUE(doc.modified()) << a.name;
        EXPECT_NE(stored_lines(plan), before) << a.name << ": changed nothing";
        EXPECT_TRUE(FiguresAsRecounted(doc)) << a.name;
        const std::uint64_t done = doc.notices();
        ASSERT_TRUE(undo(doc).ok()) << a.name;
        EXPECT_EQ(doc.history().canUndo(), prepared) << a.name << ": one step, not more";
        EXPECT_EQ(doc.notices(), done + 1) << a.name << ": undo notices";
        EXPECT_TRUE(stored_lines(plan) == before) << a.name << ": undone";
        EXPECT_TRUE(FiguresAsRecounted(doc)) << a.name << ": undone";
        ASSERT_TRUE(redo(doc).ok()) << a.name;
        EXPECT_TRUE(FiguresAsRecounted(doc)) << a.name << ": redone";
        ASSERT_TRUE(undo(doc).ok()) << a.name;
        if (a.prepare) {
            ASSERT_TRUE(undo(doc).ok()) << a.name << ": preparation undone";
        }
    }
}

TEST_F(ActSweep, ActsOutsideTheHistoryTellOnceAndKeepTheFigures) {
    int worker = -1, day = -1;
    free_cell(worker, day);
    const Plan& plan = doc.plan();
    const std::vector<outside_act> acts = {
        {"show group", [&](roster_document& d) { return show_group(d, 1).ok(); }, 0},
        {"show worker", [&](roster_document& d) { return show_worker(d, d.plan().listed.back().worker).ok(); }, 0},
        {"everybody listed", [&](roster_document& d) { return show_workers(d, ShowWorkers::All, true).ok(); }, 0},
        {"duty-as filter", [&](roster_document& d) { return show_entries(d, 0, {true, false, true, true}).ok(); }, 0},
        {"select cell", [&](roster_document& d) { return select_cell(d, day, 1).ok(); }, 0},
        // The day-off kinds applied give the month its flags of them: a change
        // of the month when they differ from its own.
        {"options applied", [&](roster_document& d) { return apply_options(d, current_options(d.plan())).ok(); }},
        {"other tab", [&](roster_document& d) { return show_tab(d, d.plan().currentMonth == 0 ? 1 : 0).ok(); }, 0},
        // Status and type are no step of the history, and the plan is modified all the same.
        {"parameters", [&](roster_document& d) {
             plan_parameters p;
             p.year = d.plan().year, p.month = d.plan().month, p.approvedStatus = 1 - d.plan().approvedStatus;
             return change_parameters(d, p).ok();
         }, 1},
        {"saved", [&](roster_document& d) { return save_month(d).ok(); }, 0},
        {"move worker", [&](roster_document& d) { return move_worker(d, 0, 2).ok(); }, 0},
        {"new month", [&](roster_document& d) { return new_month(d).ok(); }, 0},
    };
    for (const outside_act& a : acts) {
        const std::uint64_t told = doc.notices();
        ASSERT_TRUE(a.run(doc)) << a.name;
        EXPECT_EQ(doc.notices(), told + 1) << a.name << ": notices";
        EXPECT_TRUE(FiguresAsRecounted(doc)) << a.name;
        if (a.modified >= 0) {
            EXPECT_EQ(doc.modified(), a.modified == 1) << a.name;
        }
        EXPECT_EQ(plan.modified, doc.modified()) << a.name << ": the flag routines read";
    }
}

}  // namespace
}  // namespace planek::test
