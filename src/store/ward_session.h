#pragma once
// A ward's session built from the store's rows as a session on its data
// folder opens it: the language, the options of its configuration, the
// groups and the staff, read by the program's own readers from the lines the
// files would hold. Nothing on disk is read but the shipped language file.
#include <filesystem>
#include <optional>
#include <string>

#include "core/plan.h"
#include "core/result.h"
#include "store/folder_transfer.h"

namespace planek::store {

// Fills `plan` (made by the caller, its interaction set) with the ward of
// `files`: the language asked for, else the configuration's, else the
// system's, from the language files in `languageFolder`. A staff or group
// line the readers cannot use refuses the session (NotWhole).
result<> open_ward_session(Plan& plan, const ward_files& files, const std::optional<std::string>& language,
                           const std::filesystem::path& languageFolder);

}  // namespace planek::store
