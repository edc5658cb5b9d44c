#pragma once
// The shared data of an installed program and the first start of a root.
#include <filesystem>

#include "core/paths.h"

namespace planek {

// <prefix>/share/planek of a program installed as <prefix>/bin/planek; empty
// for a program run from anywhere else (a build folder, a portable copy).
std::filesystem::path installed_data_folder(const std::filesystem::path& exe_folder);

// The shipped data beside a program started from `exe_folder`: the installed
// share/planek, else the share/planek a build folder carries; empty when
// neither is there (a portable copy without it).
std::filesystem::path shipped_data_folder(const std::filesystem::path& exe_folder);

// Gives a root opened for the first time the language files and templates
// an installed program ships, only those it lacks: a file the user already
// has is never replaced. Returns the number of files copied, -1 when a copy
// failed, 0 for a program that ships nothing.
int seed_program_root(const Paths& paths, const std::filesystem::path& exe_folder);

// Gives a templates folder that holds no template at all the shipped ones,
// so that printouts are there to choose; a folder with at least one template
// is the user's choice and stays as it is. Each language subfolder of the
// shipped templates counts as a folder of its own. Returns as
// seed_program_root.
int ensure_templates(const Paths& paths, const std::filesystem::path& exe_folder);

}  // namespace planek
