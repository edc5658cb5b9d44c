#pragma once
// The recent-files lists of the configuration file (sections pliki_Project and
// pliki_Templates, keys plik1..plik4) and the remembered folder of the last
// opened or saved month file (section program).
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

inline constexpr int kRecentCount = 4;

// The configuration file the project actions write their keys to.
std::filesystem::path recent_config_file(const Plan& plan);

// Puts `entry` at the head of the list kept in `section` of `configFile`:
// the entry, then the old values that differ from it, at most four in all.
// Nothing happens for an empty entry or one that contains "autosave".
// Returns the list as stored (always four values, empty ones at the end).
std::array<std::string, kRecentCount> dopisz_ostatni(const std::filesystem::path& configFile,
                                                     const std::string& section, const std::string& entry);

// The recent projects: puts the joined paths at the head of pliki_Project
// and mirrors the list in plan.options.recentProjects.
void dopisz_projekt(Plan& plan, const std::vector<std::string>& paths);

// With `write`: remembers the folder of the existing file `path` under the
// key of section program (not for the autosave file). Without: returns the
// remembered folder, or the folder of `path` when none is stored.
std::string dopisz_path(Plan& plan, const std::string& path, const std::string& key, bool write);

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
