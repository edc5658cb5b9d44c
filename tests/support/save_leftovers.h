#pragma once
// What a save killed half way leaves behind: the temporary files of the safe
// write and the journal of a save of several files.
#include <filesystem>
#include <vector>

namespace planek::test {

bool is_save_leftover(const std::filesystem::path& file);

// Makes every leftover below `folder` two minutes old, so the next start
// takes it for the remains of a dead program, not of a save running now.
void age_save_leftovers(const std::filesystem::path& folder);

std::vector<std::filesystem::path> save_leftovers(const std::filesystem::path& folder);

}  // namespace planek::test
