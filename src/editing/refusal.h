#pragma once
// What an editing rule has to say about an edit: the rules return a
// result (core/result.h), refused with why, or stored with a notice of how
// the entry was changed on the way in. The caller decides whether the user
// hears it (the window and the command line through tell_user), the month
// reader turns it into a line of its report, and the scheduler counts it.
#include "core/interaction.h"
#include "core/result.h"

namespace planek {

// What a dialog's OK did, and what the rules it ran had to say. Compares as
// its result, so a caller that only needs that reads it as before.
template <class Result>
struct [[nodiscard]] dialog_outcome {
    Result result;
    refusal said;

    bool operator==(Result r) const { return result == r; }
};

// Shows what was said: a refusal as a warning, a notice as information,
// nothing when nothing was said. Only the front ends call these.
void tell_user(Interaction& ui, const refusal& said);
template <class T>
void tell_user(Interaction& ui, const result<T>& r) {
    for (const refusal& said : said_by(r)) tell_user(ui, said);
}

}  // namespace planek
