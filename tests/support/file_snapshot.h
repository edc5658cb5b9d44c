#pragma once
// Files read back into values a test can compare, and a folder put back as
// it was, for the tests that break a save and judge what it left.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace planek::test {

// Every regular file below a folder with what it holds.
using folder_files = std::map<std::filesystem::path, std::string>;

// What a file holds for a comparison: its bytes, or for an archive (.inr,
// .bak) its members by name and bytes, since libzip stamps the time and two
// packs of the same members differ. "<none>" for a missing file.
std::string comparable_content(const std::filesystem::path& file);

// comparable_content of each file, in the order given.
std::vector<std::string> comparable_contents(const std::vector<std::filesystem::path>& files);

folder_files comparable_files(const std::filesystem::path& folder);

// The raw bytes, for restore_files.
folder_files raw_files(const std::filesystem::path& folder);

// Puts the folder back to `files`: each written again, every other file removed.
void restore_files(const std::filesystem::path& folder, const folder_files& files);

}  // namespace planek::test
