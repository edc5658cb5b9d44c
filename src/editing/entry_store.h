#pragma once
// What the duty and day-off dialogs' OK stores, from typed arguments: the
// one way a typed duty or day off enters the month, for the window, the
// command line and the tests alike (the acts of document/ run these).
#include <functional>
#include <optional>

#include "core/plan.h"
#include "core/result.h"
#include "editing/entry_args.h"

namespace planek {

// Hands a duty to the whole-month fill (the scheduler's rozpisz_8).
using fill_month_fn = std::function<void(Plan&, const dyzur&, int worker)>;

// The record the rules get for the arguments, over the duty it replaces.
dyzur duty_record(const Plan& plan, const duty_args& duty, const dyzur* replaced);

// A new duty (edited empty), or the duty at `edited` replaced by the
// arguments; another day moves it there, and it stays where it was when the
// new day refuses it. A new duty of the worker's daily norm in a month of
// hers without duties offers the whole month (fillMonth given): filledMonth
// then, with no place. Otherwise where the duty now lies.
struct duty_stored {
    duty_place at;
    bool filledMonth = false;
};
result<duty_stored> store_dialog_duty(Plan& plan, const duty_args& duty, const std::optional<duty_place>& edited,
                                      const fill_month_fn& fillMonth = {});

// The norm a day off counts over its days (working days in week mode).
int day_off_range_norm(const Plan& plan, int worker, const day_off_args& dayOff);
// The minutes the range is worth, in both modes: what is stored with the day
// off and what the worker's summary credits for it.
int day_off_range_minutes(const Plan& plan, int worker, const day_off_args& dayOff);
wolne_ day_off_record(const Plan& plan, int worker, const day_off_args& dayOff);

// A new day off (edited empty), with the allowance questions; or the day
// off with its head at `edited` given the arguments' days and norm (its kind
// stays). A range that runs into another day off is cut short: stored, with
// the notice. Gives the head slot it now has.
result<day_off_place> store_dialog_day_off(Plan& plan, const day_off_args& dayOff,
                                           const std::optional<day_off_place>& edited);

}  // namespace planek
