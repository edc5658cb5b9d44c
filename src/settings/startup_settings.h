#pragma once
// The settings part of the program's start, shared by the window and the
// command line.
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace planek {

struct Plan;

// With plan.paths set for the program root: reads net.ini and recomputes
// the folders; applies the language (`language` when given, by name — not
// saved —, else the saved choice, else the system's); reads the per-user
// settings (when plan.options.userSettingsFolder is set) and the options
// ("opcje"). Gives "file: section.key" of every value that was ignored, with
// a note for a server folder or language file that is not there.
result<std::vector<std::string>> load_startup_settings(Plan& plan, const std::optional<std::string>& language = {});

}  // namespace planek
