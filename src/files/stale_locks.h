#pragma once
// The locks a killed run leaves: "<month>.lock" beside a month it had open,
// "<file>.saving" beside a file it was saving.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace planek {

struct stale_lock {
    std::filesystem::path file;
    long pid = 0;  // of the process it names; 0 when it names none
};

// Removes from `folders` the lock and save-lock files whose process is gone
// on this computer, and those cut off before they named anybody (older than
// `min_age`, so one being made this moment stays). A lock of a live process
// or of another computer is left to its owner. Returns what was removed.
std::vector<stale_lock> remove_stale_locks(const std::vector<std::filesystem::path>& folders,
                                           std::chrono::seconds min_age = std::chrono::minutes(1));

}  // namespace planek
