#pragma once
// What the plan knows about the files it shares with other programs.
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/file_fingerprint.h"
#include "core/types.h"

namespace planek {

// How a month held open by another program is met: asked (the window),
// refused, or opened over the lock (the command line without and with --force).
enum class lock_policy { Ask, Refuse, Force };

// How a damaged staff archive with a good copy is met: the user is asked
// whether the copy replaces it (the window), or the copy is read for
// viewing only and nothing is written over the damaged file (the command
// line, where --yes answers routine questions and must not decide this).
enum class damage_policy { Ask, ViewOnly };

struct file_guards {
    read_fingerprints read;                        // files as read, checked before they are written back
    std::vector<std::filesystem::path> heldLocks;  // open locks this program made
    std::set<std::string> readOnly;                // guard keys of months opened read-only
    // Guard keys of files read that failed to prove they are whole (a cut
    // month, a damaged staff archive), with what is wrong as the user reads
    // it: never written over until the user chooses another file.
    std::map<std::string, std::string> damaged;
    // Set, this program opens months for that group's part only: its lock
    // leaves the other wards free, and its save puts its part onto a month
    // another ward's planner saved meanwhile (from the month as read, kept
    // in monthLines by guard key).
    std::optional<word> lockedGroup;
    std::map<std::string, std::vector<std::string>> monthLines;
    // The window: the group lock follows the group shown (lockedGroup is
    // kept to it), and a ward another planner holds is shown read-only
    // instead of asked about.
    bool wardLocks = false;
    // The last save of the month put this program's part onto a newer file
    // and read the result: every view shows it again.
    bool mergedOnSave = false;
    // Not empty, the months are read for these groups' part only: their
    // records and every record of their workers, the rest of each file left
    // unread. The tables then hold less than the file, so a save puts this
    // program's changes onto the file as it stands (a group lock is needed
    // for that) and never writes the tables anywhere as a whole month.
    std::vector<word> wardOnly;
    lock_policy lockPolicy = lock_policy::Ask;
    damage_policy damagePolicy = damage_policy::Ask;
};

}  // namespace planek
