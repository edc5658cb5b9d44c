#pragma once
// What an editing rule has to say about an edit: why it was refused, or how
// it was changed on the way in. The rule only returns it; the caller decides
// whether the user hears it (the window and the command line through
// tell_user), the month reader turns it into a line of its report, and the
// scheduler counts it.
#include <string>

#include "core/interaction.h"

namespace planek {

enum class refusal_kind {
    None,
    TooManyDuties,      // the day already holds the most duties a worker may have
    DutyOverlaps,       // the duty would overlap one already there
    DayOffTaken,        // another day off holds the day
    NoWorker,           // the staff list is empty, or no worker is chosen
    NoGroup,            // there is no group to add to or edit
    WorkerBlocked,      // the worker is archived
    NoCellSelected,     // no valid day and shift is selected
    SplitOnLastDay,     // a split at or after midnight of the month's last day
    CareDaysOverLimit,  // the care days off would take more than the worker has left
    RehaDaysOverLimit,  // the same for rehabilitation leave
    NoDutyLength,       // the duty dialog holds no length (or no month to put it in)
    FormInvalid,        // a dialog's field cannot be stored (empty name, bad time...)
    DayOffEndCorrected  // stored, but the range was cut short (a notice)
};

struct refusal {
    refusal_kind kind = refusal_kind::None;
    std::string text;  // translated, ready to show
};

// Whether a rule stored the entry, and what it has to say. Tests as the
// stored flag, so a caller that only needs that reads it as before.
struct [[nodiscard]] edit_result {
    bool stored = false;
    refusal said;

    operator bool() const { return stored; }
};

// What a dialog's OK did, and what the rules it ran had to say. Compares as
// its result, so a caller that only needs that reads it as before.
template <class Result>
struct [[nodiscard]] dialog_outcome {
    Result result;
    refusal said;

    bool operator==(Result r) const { return result == r; }
};

// Shows what a rule said: a refusal as a warning, a notice as information,
// nothing when it said nothing.
void tell_user(Interaction& ui, const refusal& said);

}  // namespace planek
