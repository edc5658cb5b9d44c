#pragma once
#include <filesystem>
#include <optional>

#include "core/file_io.h"
#include "core/plan.h"

namespace planek {

// The folder of the running executable; empty when it cannot be found.
std::filesystem::path executable_folder();

// The program root when none is given: the executable's folder when it
// holds dane/ or may be written to (a portable copy), otherwise the user's
// data folder, $XDG_DATA_HOME/planek or ~/.local/share/planek. Either
// environment value may be null.
std::filesystem::path default_program_root(const std::filesystem::path& exe_folder, const char* xdg_data_home,
                                           const char* home);

// The program folder a month file belongs to: the parent of the "dane"
// folder it lies in, or nothing for a file that lies in no data folder.
std::optional<std::filesystem::path> root_of_month_file(const std::filesystem::path& file);

// Sets plan.paths for the root (the given one, else the default) and creates
// its data folder, or with `mayCreate` false refuses a root that has none
// (a mistyped folder is no new ward). The error names the folder.
io_result open_program_root(Plan& plan, const std::optional<std::filesystem::path>& root, bool mayCreate = true,
                            const Translator* tr = nullptr);

}  // namespace planek
