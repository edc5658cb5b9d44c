#pragma once
// The lock a program leaves beside a month file it has open for editing,
// so a second planner opening it learns who has it.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "core/lock_file.h"
#include "core/plan.h"
#include "core/result.h"

namespace planek {

// This program as a lock names it: the user of the per-user settings (else
// the login name), this computer, this process, now.
lock_owner plan_owner(const Plan& plan);

// "Plik jest otwarty przez X na komputerze Y od HH:MM".
std::string lock_holder_text(const Plan& plan, const lock_owner& holder);

struct month_lock_outcome {
    bool open = true;       // go on opening the file
    bool readOnly = false;  // opened, but its saves are refused
    refusal said;           // why it was refused, or a lock taken over
};

// Leaves our lock beside `file` before it is read. A lock of another live
// program is met by plan.guards.lockPolicy: asked (read-only, or open
// anyway and take the lock over), refused with the message, or taken over.
// A stale lock (its process gone on this computer, or older than a day) is
// taken over with a note.
month_lock_outcome lock_month(Plan& plan, const std::string& file);

// Removes the locks this program left (those still naming it).
void release_month_locks(Plan& plan);

// The month was opened read-only because another program has it.
bool opened_read_only(const Plan& plan, const std::string& file);

// Another live program's hold on a month, as the lock files beside it say.
struct month_hold {
    std::optional<word> group;  // nothing: the whole month
    lock_owner owner;
};
// The holds of other programs on `file` (this program's and stale ones left
// out), the whole month's first, then by group id. Reads a few small files.
std::vector<month_hold> month_holds(const std::string& file, std::time_t now);

// "user@computer", as the window names a ward's holder.
std::string holder_name(const lock_owner& owner);

// This program holds the part of `group` of `file`.
bool holds_ward(const Plan& plan, const std::string& file, word group);

// The window showed another group: each open month is held for that
// group's part now, the lock of the group left given back, unless the month
// shown has unsaved edits of it (kept until they are saved). A group
// another planner holds is shown read-only; the notice names the holder.
refusal follow_shown_ward(Plan& plan);

// A save landed: the locks of `file`'s wards other than the one shown are
// given back.
void release_other_wards(Plan& plan, const std::string& file);

// Why a save of `file` may not land while months are held by ward (nothing
// when it may): a ward this program changed and another planner holds (the
// free ones are taken now), or the whole month held by another program.
// Without ward locks: the month opened read-only.
refusal ward_save_refusal(Plan& plan, const std::string& file);

// An act on the whole file (its backup copy put back): the whole month's
// lock taken beside the ward's, or the refusal naming who holds a part;
// given back when the act is done.
refusal take_whole_month(Plan& plan, const std::string& file);
void give_back_whole_month(Plan& plan, const std::string& file);

}  // namespace planek
