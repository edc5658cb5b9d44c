#pragma once
// The start of a working session on a program folder and the opening of
// its month files, without any window. The window and every command-line
// command go through these two, so a month shows the same figures however
// it was opened.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "core/result.h"

namespace planek {

struct session_request {
    std::optional<std::filesystem::path> root;  // else the default program root
    std::optional<std::string> language;        // by name, for this run only
    // Steps of one front end between the settings and the staff (the
    // window's version archive and start password); false stops the start.
    std::function<bool(Plan&)> beforeStaff;
    // Stop at a configuration file that is there but cannot be read, before
    // anything is loaded or set aside; else it is set aside and the defaults
    // go on, with a warning.
    bool stopOnUnreadableConfig = false;
    // Whether a folder without its data folder is made a program folder
    // (the window, and the commands that make a ward); else it is refused.
    bool mayCreateRoot = true;
    // The language of what is said before the folder's own is read (a
    // folder that cannot be made); the built-in Polish without one.
    const Translator* startLanguage = nullptr;
};

enum class session_outcome { Opened, NoRoot, Stopped };

struct session_start {
    session_outcome outcome = session_outcome::Opened;
    std::string error;                        // why the folder could not be opened
    std::vector<std::string> ignoredOptions;  // "file: section.key" of unusable values
    std::string unreadableConfig;             // a configuration file there but not readable
    bool staffRead = false;                   // staff and group files read (or absent)
    std::vector<std::string> tidied;          // what was done about interrupted saves (as logged)
    std::vector<refusal> notes;               // what the user is to hear of the start
    bool ok() const { return outcome == session_outcome::Opened; }
};

// The program folder as the window opens it at start: the root and its
// shipped language files, net.ini and the folders, the language (files and
// muv_* names), the per-user settings (when plan.options.userSettingsFolder
// is set), the options of konfiguracja.ini with the recent files, then what
// killed saves left behind is finished or removed (and logged), then the
// staff and groups, the first group made current.
session_start open_program_session(Plan& plan, const session_request& request);

struct months_request {
    std::vector<std::string> files;  // one month, or the months of a settlement period
    std::optional<word> group;       // else the current group, else the first one in use
    bool touchFiles = false;         // safety copies, recent list, month locks (an open for editing)
    bool wholeFilesOnly = false;     // refuse a file with lines that cannot be used
    // A tab of the period open now read again (the tab switch), instead of
    // a new period: `files` holds that tab's file.
    int tab = -1;
    bool checked = false;  // the files passed check_session_months already
    // Read only the shown group's part of each month (its records and every
    // record of its workers) when only its workers are listed: a look at
    // one ward, or an edit under that ward's lock, costs what the ward holds.
    bool wardOnly = false;
};

// What open_session_months checks before it touches anything: a folder
// without staff or groups, a missing file, a group asked for that the folder
// does not have, a month whose records all belong to groups this folder does
// not have, and (wholeFilesOnly) a file that cannot be read whole. Each is
// refused with one line; otherwise the files come back absolute, in the
// order given.
result<std::vector<std::string>> check_session_months(const Plan& plan, const months_request& request);

// Opens month files as the tabs of one period the way the window opens a
// tab, after those checks: the group made current and the worker list
// filled before any month is read, so every month gets its worker sums;
// then the period totals and the staffing of the shown month. Gives the
// files opened, in tab order.
result<std::vector<std::string>> open_session_months(Plan& plan, const months_request& request);

// One month held elsewhere (the bytes its file would hold, `name` naming
// it) opened as the only tab, after the same checks as a file's; nothing on
// disk is read or touched. request.files and request.touchFiles are not used.
// The month is read into the plan before it is judged: a refused one leaves
// the plan holding it (the session of a held month serves one command).
result<std::vector<std::string>> open_session_held_month(Plan& plan, const std::string& name,
                                                         const std::string& bytes,
                                                         const months_request& request);

// Why nothing may be written while the staff come from a copy for viewing
// only (the staff archive did not read whole): one line naming the file and
// the copy; empty when writes may go on.
std::string damaged_staff_refusal(const Plan& plan);

// One month's calendar and norm as its tab shows them, for a look at the
// days alone: no staff is needed, a file that is not there is the empty
// month its name gives, and nothing around the file is touched. Refuses
// with one line a group (when one is asked for) the folder does not have.
result<std::vector<std::string>> open_session_calendar(Plan& plan, const std::string& file,
                                                       std::optional<word> group);

}  // namespace planek
