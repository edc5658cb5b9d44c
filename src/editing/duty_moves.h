#pragma once
// Drops on the calendar grid and the split of a duty: what happens when a
// new duty or day off, or an existing panel, is let go over a day cell.
#include <string>
#include <vector>

#include "core/plan.h"
#include "editing/duty_remove.h"
#include "editing/refusal.h"

namespace planek {

enum class drop_outcome {
    Nothing,           // nothing to do (same cell, not a panel name)
    Refused,           // `said` tells why (or nothing); the plan is as it was
    Cancelled,         // the user answered No
    OpenDutyDialog,    // the duty dialog is to open with `duty`
    OpenDayOffDialog,  // the day-off dialog is to open for `dayIndex`
    Added,
    Moved,
    Copied,
};

struct drop_result {
    drop_outcome outcome = drop_outcome::Nothing;
    dyzur duty;         // the prepared duty for the dialog
    int worker = -1;
    int dayIndex = -1;
    std::string panel;  // name of the panel placed or moved
    std::vector<panel_rename> renames;
    refusal said;  // for the caller to show (tell_user)
};

// The duty a drop on day and shift offers the dialog, before anything is
// stored: refused for no worker or an archived one and a day outside the
// month; Cancelled when the worker asked not to work the shift and the user
// kept to that. OpenDutyDialog carries the prepared duty.
drop_result przygotuj_dyzur(const Plan& plan, int worker, int dayIndex, int shift);

// A new duty ("d" or a worker from the list) dropped on day and shift.
// Without Ctrl the duty dialog opens; with Ctrl the whole-shift duty is added.
drop_result upusc_dyzur(Plan& plan, int worker, int dayIndex, int shift, bool ctrl);

// A duty panel dropped on day and shift: moved, or copied with Ctrl. A
// refused add puts a moved duty back exactly where it was.
drop_result upusc_panel_dyzuru(Plan& plan, const std::string& panel, int dayIndex, int shift, bool ctrl);

// The new day-off item "w" dropped on a day.
drop_result upusc_wolne(const Plan& plan, int worker, int dayIndex);

// A day-off panel dropped on another day: the day off moves there with its
// kind and length in days.
drop_result upusc_panel_wolnego(Plan& plan, const std::string& panel, int dayIndex);

// Whether the calendar's selected cell is a day and shift of the month;
// refused with msg_CheckValidDay.
result<> selected_cell(const Plan& plan);

// The add actions: a drop of "d" (or "w") of the current worker on the
// calendar's selected cell; an invalid cell gives "msg_CheckValidDay".
drop_result a_DutyAddExecute(Plan& plan);
drop_result a_DayOffAddExecute(Plan& plan);

enum class split_outcome { Unchanged, RefusedLastDay, Refused, Split };

struct split_result {
    split_outcome outcome = split_outcome::Unchanged;
    std::string secondPanel;
    refusal said;  // for the caller to show (tell_user)
};

// Splits the duty behind the panel at minute splitMinute (0..1439).
split_result podziel_dyzur(Plan& plan, const std::string& panel, int splitMinute);

// The split dialog's line "Dyżur w godzinach:": the duty's start and end.
std::string split_dialog_range(const Plan& plan, const dyzur& d);

}  // namespace planek
