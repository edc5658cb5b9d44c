// The undo history over the small ward: what makes a step, what undo and
// redo put back, the clean point, the caps and what forgets the steps.
#include <gtest/gtest.h>

#include "calendar/period_params.h"
#include "core/stored_fields.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/group_model.h"
#include "editing/panel_names.h"
#include "editing/undo_stack.h"
#include "editing/wishes.h"
#include "editing/worker_model.h"
#include "editing_fixture.h"

namespace planek::test {
namespace {

// Gives one field of the record another value, whatever its type.
template <class R>
void change_field(R& rec, const record_field<R>& f) {
    std::visit(
        [&](auto m) {
            if constexpr (!std::is_same_v<decltype(m), std::nullptr_t>) {
                auto& v = rec.*m;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, std::string>)
                    v += "x";
                else if constexpr (std::is_same_v<V, bool>)
                    v = !v;
                else
                    v = V(v + 1);
            }
        },
        f.member);
}

struct UndoStack : EditingFixture {
    undo_stack& history() { return undo_history(plan); }

    bool addDuty(int w, int day, int start = 420) {
        undo_scope step(plan, "undo_DutyAdd", "Dodaj dyżur");
        return dodaj_dyzur(plan, duty(w, day, start, 720), -1, true, w).ok();
    }
};

TEST_F(UndoStack, AnActIsOneStepAndARefusalLeavesNoTrace) {
    const Plan start = plan;
    ASSERT_TRUE(addDuty(0, 5));
    EXPECT_EQ(history().size(), 1u);
    ASSERT_NE(history().undoLabel(), nullptr);
    EXPECT_EQ(undo_label_text(plan, *history().undoLabel()), "Dodaj dyżur");
    const Plan added = plan;

    // The same shift again overlaps: refused, no step, and the number it
    // drew goes back.
    EXPECT_FALSE(addDuty(0, 5));
    EXPECT_EQ(history().size(), 1u);
    EXPECT_EQ(plan.dutyCounter, added.dutyCounter);

    ASSERT_TRUE(history().undo(plan));
    EXPECT_TRUE(SameMonthTables(start, plan));
    EXPECT_EQ(plan.dutyCounter, start.dutyCounter);
    EXPECT_FALSE(history().undo(plan)) << "nothing older";
    ASSERT_TRUE(history().redo(plan));
    EXPECT_TRUE(SameMonthTables(added, plan));
    EXPECT_EQ(month(0).duties[4].front().id, added.workers[0].months[0].duties[4].front().id)
        << "redo puts back the very duty, id and all";
}

TEST_F(UndoStack, AWishComesAndGoesWithItsStepAndTheSameWishAgainIsNone) {
    const wish w{wish_kind::NotShift, 2, 2};
    {
        undo_scope step(plan, "undo_Wish", "Życzenie");
        ASSERT_TRUE(ustaw_zyczenie(plan, 1, 9, w).ok());
    }
    {
        undo_scope step(plan, "undo_Wish", "Życzenie");
        ASSERT_TRUE(ustaw_zyczenie(plan, 1, 9, w).ok());
    }
    EXPECT_EQ(history().size(), 1u);
    ASSERT_TRUE(history().undo(plan));
    EXPECT_FALSE(month(1).wishes[9].used());
    ASSERT_TRUE(history().redo(plan));
    EXPECT_EQ(month(1).wishes[9], w);
}

TEST_F(UndoStack, AMoveAndNestedActsAreOneStepEach) {
    ASSERT_TRUE(addDuty(0, 3));
    const Plan before = plan;
    {
        undo_scope step(plan, "undo_DutyMove", "Przenieś dyżur");
        const drop_result r = upusc_panel_dyzuru(plan, duty_panel_name(0, 2, 0), 9, 1, false);
        ASSERT_EQ(r.outcome, drop_outcome::Moved);
        // An act inside an act joins it.
        undo_scope inner(plan, "undo_DutyAdd", "Dodaj dyżur");
        ASSERT_TRUE(dodaj_dyzur(plan, duty(1, 12, 420, 720), -1, true, 1));
    }
    EXPECT_EQ(history().size(), 2u);
    EXPECT_EQ(history().undoLabel()->key, "undo_DutyMove");
    const Plan after = plan;
    history().undo(plan);
    EXPECT_TRUE(SameMonthTables(before, plan));
    history().redo(plan);
    EXPECT_TRUE(SameMonthTables(after, plan));
}

TEST_F(UndoStack, LeaveTakenComesBackWithoutAskingAgain) {
    prac& p = plan.workers[0];
    p.holidayCurrentYear = 2000;
    wolne_ w = dayOff(0, 'u', 8, 10);
    w.normMinutes = 3 * 455;
    {
        undo_scope step(plan, "undo_DayOffAdd", "Dodaj wolne");
        ui->answers = {Answer::Yes};
        ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    }
    EXPECT_EQ(p.holidayCurrentYear, 2000 - 3 * 455);
    const size_t asked = ui->questions.size();
    history().undo(plan);
    EXPECT_EQ(p.holidayCurrentYear, 2000);
    EXPECT_FALSE(month(0).daysOff[8].used());
    EXPECT_FALSE(month(0).daysOff[9].blocks) << "the covered days are free again";
    history().redo(plan);
    EXPECT_EQ(p.holidayCurrentYear, 2000 - 3 * 455);
    EXPECT_TRUE(month(0).daysOff[7].used());
    EXPECT_EQ(ui->questions.size(), asked);

    // The trash gives the leave back (Yes); undoing it takes it again.
    {
        undo_scope step(plan, "undo_DayOffDelete", "Usuń wolne");
        ui->answers = {Answer::Yes};
        kosz(plan, day_off_panel_name(0, 7));
    }
    EXPECT_EQ(p.holidayCurrentYear, 2000);
    history().undo(plan);
    EXPECT_EQ(p.holidayCurrentYear, 2000 - 3 * 455);
    EXPECT_TRUE(month(0).daysOff[7].used());
}

TEST_F(UndoStack, UndoingBackToTheSavedStateIsTheCleanPoint) {
    ASSERT_TRUE(addDuty(0, 2));
    EXPECT_FALSE(history().atClean());
    history().markClean();  // saved here
    ASSERT_TRUE(addDuty(0, 6));
    ASSERT_TRUE(addDuty(1, 6));
    history().undo(plan);
    EXPECT_FALSE(history().atClean());
    history().undo(plan);
    EXPECT_TRUE(history().atClean()) << "this is what is on disk";
    history().undo(plan);
    EXPECT_FALSE(history().atClean()) << "older than the file";
    history().redo(plan);
    EXPECT_TRUE(history().atClean());

    // A new act drops the steps undone before it, the saved one among them.
    history().undo(plan);
    ASSERT_TRUE(addDuty(1, 20));
    EXPECT_FALSE(history().canRedo());
    history().undo(plan);
    EXPECT_FALSE(history().atClean()) << "no step leads back to the saved state any more";
}

TEST_F(UndoStack, TheOldestStepsGoPastTheCaps) {
    history().setLimits(3, undo_stack::kMaxBytes);
    for (int day = 1; day <= 9; day += 2) ASSERT_TRUE(addDuty(0, day));
    EXPECT_EQ(history().size(), 3u);
    while (history().undo(plan)) {
    }
    EXPECT_EQ(month(0).duties[0].size(), 1u) << "the first two acts can no longer be undone";
    EXPECT_EQ(month(0).duties[2].size(), 1u);
    EXPECT_TRUE(month(0).duties[4].empty());
    EXPECT_FALSE(history().atClean()) << "the state as read is out of reach";

    history().clear();
    history().setLimits(200, 1);
    ASSERT_TRUE(addDuty(1, 4));
    ASSERT_TRUE(addDuty(1, 8));
    EXPECT_EQ(history().size(), 1u) << "the newest step stays even past the memory cap";
    EXPECT_GT(history().bytes(), sizeof(dyzur));
}

TEST_F(UndoStack, ReadingTheMonthAgainForgetsEverything) {
    ASSERT_TRUE(addDuty(0, 2));
    {
        undo_scope step(plan, "undo_DutyAdd", "Dodaj dyżur");
        ASSERT_TRUE(dodaj_dyzur(plan, duty(1, 3, 420, 720), -1, true, 1));
        czysc_dyzury_i_wolne(plan);  // what a read of the month starts with
    }
    EXPECT_FALSE(history().canUndo());
    EXPECT_EQ(history().size(), 0u) << "a step open while the month went is dropped too";
}

TEST_F(UndoStack, ADayMarkedAsHolidayIsTakenBack) {
    plan.months[0].days.resize(31);
    const bool wasHoliday = plan.days[10].holiday != 0;
    {
        undo_scope step(plan, "undo_Holiday", "Święto");
        ASSERT_TRUE(a_MarkAsHoliday(plan, 10));
    }
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(plan.months[0].days[10].ownHoliday, 1);
    history().undo(plan);
    EXPECT_EQ(plan.months[0].days[10].ownHoliday, 0);
    EXPECT_EQ(plan.days[10].holiday != 0, wasHoliday);
    history().redo(plan);
    EXPECT_EQ(plan.months[0].days[10].ownHoliday, 1);
}

TEST_F(UndoStack, ArchivingAWorkerOrAGroupIsOneStepThatPutsEverythingBack) {
    ASSERT_TRUE(addDuty(1, 4));
    plan.workers[1].holidayCurrentYear = 900;
    const Plan before = plan;
    {
        undo_scope step(plan, "undo_WorkerDelete", "Usuń pracownika");
        ui->answers = {Answer::Yes};
        ASSERT_TRUE(usun_pracownika(plan, 1));
    }
    ASSERT_EQ(history().size(), 2u);
    ASSERT_TRUE(plan.workers[1].old);
    history().undo(plan);
    EXPECT_FALSE(plan.workers[1].old);
    EXPECT_TRUE(SameMonthTables(before, plan)) << "her duties and balances stay hers";
    history().redo(plan);
    EXPECT_TRUE(plan.workers[1].old);
    {
        undo_scope step(plan, "undo_WorkerRestore", "Przywróć pracownika");
        przywroc_pracownika(plan, 1);
    }
    EXPECT_FALSE(plan.workers[1].old);
    history().undo(plan);
    EXPECT_TRUE(plan.workers[1].old);
    history().redo(plan);

    // A deleted group takes its workers' membership with it; undo gives it
    // back to every one of them, and the group is shown again.
    plan.currentGroup = 0;
    {
        undo_scope step(plan, "undo_GroupDelete", "Usuń grupę");
        ui->answers = {Answer::Yes};
        ASSERT_TRUE(usun_grupe(plan, 0));
    }
    ASSERT_TRUE(plan.groups[0].old);
    ASSERT_EQ(plan.currentGroup, 1);
    EXPECT_EQ(plan.workers[0].groups, "");
    history().undo(plan);
    EXPECT_FALSE(plan.groups[0].old);
    EXPECT_EQ(plan.currentGroup, 0);
    EXPECT_EQ(plan.workers[0].groups, "1|");
    EXPECT_EQ(plan.workers[1].groups, "1|");
    EXPECT_TRUE(history().lastMovedLists());
    history().redo(plan);
    EXPECT_TRUE(plan.groups[0].old);
    EXPECT_EQ(plan.workers[1].groups, "");
}

TEST_F(UndoStack, AGroupEditAndAnAddedWorkerComeAndGoWithTheirSteps) {
    plan.currentGroup = 0;
    const std::vector<zmiana_> shifts = plan.groups[0].shifts;
    {
        undo_scope step(plan, "undo_GroupEdit", "Edytuj grupę");
        group_dialog_model m;
        ASSERT_TRUE(m.openEdit(plan));
        m.rows[0].staff = "7";
        ASSERT_TRUE(m.ok(plan));
    }
    ASSERT_EQ(history().size(), 1u);
    ASSERT_EQ(plan.groups[0].shifts[0].staffMin, 7);
    history().undo(plan);
    EXPECT_EQ(plan.groups[0].shifts[0].staffMin, shifts[0].staffMin) << "the staffing target as it was";
    EXPECT_EQ(plan.groups[0].shifts.size(), shifts.size());
    history().redo(plan);
    EXPECT_EQ(plan.groups[0].shifts[0].staffMin, 7);

    prac added;
    added.surname = "Zając";
    added.firstName = "Maria";
    added.groups = "1|";
    added.id = 30;
    {
        undo_scope step(plan, "undo_WorkerAdd", "Dodaj pracownika");
        ASSERT_TRUE(dodaj_pracow(plan, added, false, 0, -1));
        plan.currentWorker = 2;
    }
    ASSERT_EQ(plan.workers.size(), 3u);
    ASSERT_TRUE(addDuty(2, 9));
    history().undo(plan);
    history().undo(plan);
    EXPECT_EQ(plan.workers.size(), 2u) << "the worker added leaves the list";
    EXPECT_EQ(plan.workerIds.size(), 2u);
    EXPECT_LT(plan.currentWorker, 2);
    EXPECT_EQ(plan.workerIndexById(30), -1);
    history().redo(plan);
    history().redo(plan);
    ASSERT_EQ(plan.workers.size(), 3u);
    EXPECT_EQ(plan.workers[2].surname, "Zając");
    EXPECT_EQ(plan.workerIndexById(30), 2);
    EXPECT_EQ(dutiesOn(2, 9).size(), 1u) << "and her duty comes back after her";
}

// The history tells a change from none by the same field tables the staff
// and group files are written by: whatever a file would keep differently,
// an act on it is a step.
TEST_F(UndoStack, EveryFieldTheFilesKeepIsAChangeAStepRecords) {
    const worker_state before = take_worker_state(plan, 0);
    for (const record_field<prac>& f : kStaffFields) {
        if (std::holds_alternative<std::nullptr_t>(f.member)) continue;
        worker_state after = before;
        change_field(after.record, f);
        EXPECT_FALSE(same_worker_state(before, after)) << "staff field " << f.name;
    }
    worker_state daily = before;
    ++daily.record.dailyNorm;
    EXPECT_FALSE(same_worker_state(before, daily)) << "the month's daily norm of her";
    worker_state scratch = before;
    ++scratch.record.work;
    EXPECT_TRUE(same_worker_state(before, scratch)) << "the scheduler's scratch is no change";

    const month_state month = take_month_state(plan);
    ASSERT_TRUE(month.groups.has_value());
    ASSERT_FALSE(month.groups->empty());
    ASSERT_FALSE(month.groups->front().shifts.empty());
    for (const record_field<grupa>& f : kGroupFields) {
        month_state after = month;
        change_field(after.groups->front(), f);
        EXPECT_TRUE(month_changed(month, after)) << "group field " << f.name;
    }
    for (const record_field<zmiana_>& f : kShiftFields) {
        if (std::holds_alternative<std::nullptr_t>(f.member)) continue;
        month_state after = month;
        change_field(after.groups->front().shifts.front(), f);
        EXPECT_TRUE(month_changed(month, after)) << "shift field " << f.name;
    }
    month_state work = month;
    ++work.groups->front().shifts.front().work[0];
    EXPECT_FALSE(month_changed(month, work)) << "the counts' scratch of a shift is no change";
}

}  // namespace
}  // namespace planek::test
