#pragma once
// The month opened, saved and closed, and the program folder it lives in.
// Every way to a month goes through open_months (the window's Open, Recent
// and tabs, the file of the command line, every command of planek-cli, the
// exports, the comparison of the algorithms, the generators), so each meets
// the same refusals: a folder without staff, a missing file, a month of
// groups the folder does not have, and for an open that may write, a file
// that cannot be read whole.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "document/roster_document.h"
#include "files/program_session.h"

namespace planek {

// The program folder opened as the window opens it at start (the root, its
// settings and language, what killed saves left, the staff and groups).
result<session_start> open_folder(roster_document& doc, const session_request& request);

// Month files opened as the tabs of one period. With askToSave the save
// question comes first (after the files passed their checks), and Cancel
// refuses the open with nothing changed. Gives the files opened, in tab order.
struct open_request {
    months_request months;
    bool askToSave = false;
};
result<std::vector<std::string>> open_months(roster_document& doc, const open_request& request);

// One month held elsewhere (the hospital's server: the bytes its file would
// hold, `name` naming it) opened as the only tab, with the same refusals as a
// file; nothing on disk is read, locked or listed.
result<std::vector<std::string>> open_held_month(roster_document& doc, const std::string& name,
                                                 const std::string& bytes, const months_request& request);

// The month held elsewhere saved there by `save` (the store's transaction):
// once it took the month and the staff, they stand as saved; a refusal
// leaves the edits unsaved, as a refused write of a file does.
result<> save_held_month(roster_document& doc, const std::function<result<>(const Plan&)>& save);

// The window's Open with the files chosen (none: the dialog was cancelled),
// and its Recent entry 1..4: the save question, then open_months for
// editing.
result<std::vector<std::string>> open_project(roster_document& doc, const std::vector<std::string>& files);
result<std::vector<std::string>> open_recent(roster_document& doc, int position);

// Another tab of the period shown: the save question (No drops the edits of
// the month left), then that tab's file read again through the same checks,
// for editing (the window) or only to look at (an export of the period).
result<> show_tab(roster_document& doc, int tab, bool forEditing = true);

// One month's calendar and norm alone (planek-cli info): no staff needed,
// a file not there is the empty month its name gives.
result<> open_calendar(roster_document& doc, const std::string& file, std::optional<word> group);

// "Nowy": the save question, then an empty plan of the current month.
result<> new_month(roster_document& doc);

// Saves the month (with the staff and groups when they changed), asking for
// a file name through the hooks when it has none; save_month_as always asks.
result<> save_month(roster_document& doc);
result<> save_month_as(roster_document& doc);
// The month saved under `file` from now on (the command line's -o and save-as).
result<> save_month_to(roster_document& doc, const std::string& file);

// The month read last written as a new month file `file`, taken as this
// program's (the command line's new): locked first, written whole or not at
// all, a file not yet written leaving nothing behind.
result<> create_month_file(roster_document& doc, const std::string& file);

// The autosave: the month to the autosave file and the changed staff and
// group files; the month's own file, the modified state and the caption stay.
result<> autosave(roster_document& doc);
// At start: the autosave of a run that did not end offered back (asked).
result<> recover_autosave(roster_document& doc);

// "Miesiąc z kopii": the month swapped with its ".bak" copy and read again.
result<> restore_month_copy(roster_document& doc);

// The month locks this program holds given back (a command's end).
void release_locks(roster_document& doc);

// The program's start up to the first month shown (the window's, the
// screenshot run's and the GUI tests'): folder, version archive, the start
// password, an empty plan of this month, then the autosave recovery or the
// month file named on the command line.
struct start_request {
    std::optional<std::filesystem::path> root;
    std::optional<std::string> language;
    std::string file;  // month file of the command line, may be empty
    // Where the per-user settings live; else the user's own folder.
    std::optional<std::filesystem::path> userSettingsFolder;
    // Without a root, a month file opens in the program folder whose data
    // folder holds it. For a file that lies in no data folder this is asked
    // for the folder to open it with (nothing: the default one).
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& file)> askRoot;
    std::function<std::optional<std::string>()> askPassword;  // nothing: cancelled
};
// The program folder a start opens: the one asked for, else the one the
// month file belongs to (or the one askRoot chooses for it), else nothing
// for the default one.
std::optional<std::filesystem::path> start_root(const start_request& request);
// Refused (Io) with the reason when the folder cannot be opened, refused
// (Cancelled) when the password was not given; what the start met on the
// way comes back as notes.
result<> start_program(roster_document& doc, const start_request& request);

// The close of the program from its request on: the save question (Cancel
// keeps it open: refused), the staff and groups, the periodic archive, the
// exit settings with the window's placement, the printouts of the run, the
// autosave file, the month locks.
result<> close_program(roster_document& doc, const windows_options& placement);

}  // namespace planek
