#pragma once
// The duty acts: add, edit, move, copy, split and remove a duty, the whole
// shift at once, and the removals over the month. A duty is named by its id
// in the open month and its times are minutes; how a front end came by them
// (a panel, a dialog's "h:mm" fields, the command line) is its own affair.
#include "core/result.h"
#include "document/roster_document.h"
#include "editing/duty_remove.h"
#include "editing/entry_args.h"

namespace planek {

// The duty a cell offers the worker before anything is typed (what the duty
// dialog opens with): the shift's start and length, her usual duty-as.
// Refused for no worker, an archived one, a day outside the month; when she
// asked not to work that shift the user is asked first, and No refuses
// (Cancelled).
result<dyzur> duty_for_cell(const roster_document& doc, int worker, int dayIndex, int shift);

// A new duty. When it is the worker's daily norm and her month holds no
// duty yet, the user is offered the whole month of such duties; `filled`
// then says the month was filled and the id is that of none.
struct duty_added {
    duty_id id;
    bool filledMonth = false;
};
result<duty_added> add_duty(roster_document& doc, const duty_args& duty);
// The whole shift at once (a drop with Ctrl, Enter on the calendar with it).
result<duty_id> add_shift_duty(roster_document& doc, int worker, int dayIndex, int shift);
// The duty replaced by what the arguments give; another day moves it there
// (and it stays where it was when the new day refuses it).
result<duty_id> edit_duty(roster_document& doc, duty_id duty, const duty_args& changed);
// To another day and shift (the shift's start when the shift changes); a
// refused one stays exactly where it was. The copy leaves the duty in place.
result<duty_id> move_duty(roster_document& doc, duty_id duty, int dayIndex, int shift);
result<duty_id> copy_duty(roster_document& doc, duty_id duty, int dayIndex, int shift);
// Cut at `minute` (0..1439 of the day it lies on, past midnight for a night
// duty); gives the id of the second part.
result<duty_id> split_duty(roster_document& doc, duty_id duty, int minute);
// The trash takes it without asking; removing it with `confirm` asks first
// when the duty was taken at the worker's request.
result<> remove_duty(roster_document& doc, duty_id duty, bool confirm);

// The remove dialog's OK and the six bulk removals of the calendar menu,
// each after its question.
result<> remove_entries(roster_document& doc, const remove_dialog_model& dialog);
result<> remove_entries(roster_document& doc, bulk_removal what);

}  // namespace planek
