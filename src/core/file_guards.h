#pragma once
// What the plan knows about the files it shares with other programs.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/file_fingerprint.h"

namespace planek {

// How a month held open by another program is met: asked (the window),
// refused, or opened over the lock (the command line without and with --force).
enum class lock_policy { Ask, Refuse, Force };

struct file_guards {
    read_fingerprints read;                        // files as read, checked before they are written back
    std::vector<std::filesystem::path> heldLocks;  // open locks this program made
    std::set<std::string> readOnly;                // guard keys of months opened read-only
    lock_policy lockPolicy = lock_policy::Ask;
};

}  // namespace planek
