#pragma once
// The lock a program leaves beside a month file it has open for editing,
// so a second planner opening it learns who has it.
#include <string>

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

}  // namespace planek
