#pragma once
// The start of the program up to the first plan shown, and its end from
// the close request on, without the widgets, so the window, the screenshot
// run and the tests share them.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/plan.h"

namespace planek::ui {

struct start_request {
    std::optional<std::filesystem::path> root;
    std::optional<std::string> language;
    std::string file;  // month file of the command line, may be empty
    // Without a root, a month file opens in the program folder whose data
    // folder holds it. For a file that lies in no data folder this is asked
    // for the folder to open it with (nothing: the default one).
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& file)> askRoot;
    // The login dialog: the typed password, or nothing when cancelled.
    std::function<std::optional<std::string>()> askPassword;
};

enum class StartOutcome { Started, NoRoot, LoginRefused };

// The program folder a start opens: the one asked for, else the one the
// month file belongs to (or the one askRoot chooses for it), else nothing
// for the default one.
std::optional<std::filesystem::path> start_root(const start_request& request);

// Program root, version archive, settings and language, the start password,
// staff and groups, the empty plan of this month, then the autosave
// recovery or the command-line file. `error` tells why nothing started.
StartOutcome start_program(Plan& plan, const start_request& request, std::string* error = nullptr);

// FormCloseQuery without the window: the save question (false on Cancel:
// nothing written), staff and groups, the periodic archive, the exit
// settings with the given placement, the printouts of the run when the
// option says so, and the autosave file.
bool close_program(Plan& plan, const windows_options& placement);

}  // namespace planek::ui
