#pragma once
// A ward's session built from the store's rows as a session on its data
// folder opens it: the language, the options of its configuration, the
// groups and the staff, read by the program's own readers from the lines the
// files would hold. Nothing on disk is read but the shipped language file.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

// A session opened once for many acts, brought up to the staff lines `now`
// after it was opened (or last brought up) from `was`: only the workers whose
// line changed are read again, and the lines and fields the staff were last
// seen with move with them, as the opening would leave them. False, with
// nothing changed, when the staff no longer line up one for one (a worker
// came or went, or a line is no longer read whole): open the session anew.
bool renew_ward_workers(Plan& plan, const std::vector<std::string>& was, const std::vector<std::string>& now);

}  // namespace planek::store
