#pragma once
// The recent-files list (section pliki_Project, keys plik1..plik4) and the
// remembered folder of the last opened month file (section program) of one
// user: in the per-user settings, seeded once from the keys the shared
// configuration held before. A run without a user folder (the command
// line) remembers them for itself only.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/plan.h"
#include "core/result.h"

namespace planek {

inline constexpr int kRecentCount = 4;

// The file the project actions keep their keys in; empty without a user folder.
std::filesystem::path recent_config_file(const Plan& plan);

// Puts `entry` at the head of the list kept in `section` of `configFile`:
// the entry, then the old values that differ from it, at most four in all.
// Nothing happens for an empty entry or one that contains "autosave".
// Returns the list as stored (always four values, empty ones at the end).
std::array<std::string, kRecentCount> dopisz_ostatni(const std::filesystem::path& configFile,
                                                     const std::string& section, const std::string& entry);

// The recent projects: puts the joined paths at the head of pliki_Project
// and mirrors the list in plan.options.recentProjects. A file that cannot be
// written is said in the refusal; the list stays as it was.
refusal dopisz_projekt(Plan& plan, const std::vector<std::string>& paths);

// A folder being made (the demo ward, a generated one): its configuration
// holds the list each user's first start takes over.
refusal seed_recent_projects(const Plan& plan, const std::vector<std::string>& paths);

// With `write`: remembers the folder of the existing file `path` under the
// key of section program (not for the autosave file); `unsaved` says when it
// could not be written. Without: returns the remembered folder, or the
// folder of `path` when none is stored.
std::string dopisz_path(Plan& plan, const std::string& path, const std::string& key, bool write,
                        refusal* unsaved = nullptr);
// The remembered folder alone (dopisz_path without `write`).
std::string remembered_folder(const Plan& plan, const std::string& path, const std::string& key);

// One recent project as offered in the popup: its files that still exist and
// the caption "[%d] %s (%s)" (position, file names, folder of the first).
struct recent_project {
    int position = 0;  // 1..4
    std::vector<std::string> files;
    std::string caption;
};
// The entries of pliki_Project that still have an existing file.
std::vector<recent_project> recent_projects(const Plan& plan);

}  // namespace planek
