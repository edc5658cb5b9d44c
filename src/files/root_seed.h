#pragma once
// The shared data of an installed program and the first start of a root.
#include <filesystem>

#include "core/paths.h"

namespace planek {

// <prefix>/share/planek of a program installed as <prefix>/bin/planek; empty
// for a program run from anywhere else (a build folder, a portable copy).
std::filesystem::path installed_data_folder(const std::filesystem::path& exe_folder);

// Gives a root opened for the first time the language files and templates
// an installed program ships, only those it lacks: a file the user already
// has is never replaced. Returns the number of files copied, -1 when a copy
// failed, 0 for a program that is not installed.
int seed_program_root(const Paths& paths, const std::filesystem::path& exe_folder);

}  // namespace planek
