#pragma once
// A plan (project) is a set of month files open together as the month tabs
// of one settlement period. These are the project actions without their
// dialogs: the file choices come in as arguments or through the hooks.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "core/result.h"
#include "files/month_ini.h"

namespace planek {

// The name the save dialog proposes: "2024_03.pnk".
std::string proposed_file_name(const Plan& plan);

// What the open and save dialogs of the project actions and of the archive
// restore show, so every front end shows the same.
struct file_dialog {
    std::string title;
    std::string filter;  // "description|*.ext"
    std::string folder;  // initial folder
    std::string name;    // proposed file name (save dialog)
    std::string defaultExtension;
};
file_dialog project_open_dialog(Plan& plan);
file_dialog project_save_dialog(Plan& plan);
file_dialog backup_open_dialog(const Plan& plan);

// Opens one month file as a tab: appended to the period when not open yet,
// then read and the calendar, norm and summaries recomputed. Nothing happens
// (refused) while the group or the worker table is empty, or when the
// month's lock keeps it; the notes say what the read met.
result<> otworz(Plan& plan, const std::string& path, bool touchFiles = true);
// One month held elsewhere (its file's bytes, `name` naming it) opened as
// the only tab of a new period, as otworz_projekt opens a file only to look
// at: nothing on disk is read, locked or listed. The lines it could not use
// go to `problems`.
result<> otworz_z_bajtow(Plan& plan, const std::string& name, const std::string& bytes,
                         std::vector<month_problem>& problems);

// Opens the chosen files as one project, in calendar order. The first file's
// week mode decides: files of the other mode are skipped, and a week-mode
// first file is opened alone. Gives the paths opened, in tab order, with the
// notes of each (and why a file was left out).
// With touchFiles false nothing on disk changes: no safety copies, no restore
// marker removed, no recent list or folder remembered.
result<std::vector<std::string>> otworz_projekt(Plan& plan, const std::vector<std::string>& chosen,
                                                bool touchFiles = true);

// The save question: No without asking when nothing is modified or the plan
// is empty; otherwise Yes/No/Cancel. Yes saves; a save that was cancelled or
// failed refuses, so the caller does not go on to drop the unsaved plan (the
// refusal says why the save failed).
result<Answer> czy_zapis(Plan& plan);

// a_ProjectNew: the save question, then an empty plan of the current month.
result<> a_ProjectNew(Plan& plan);

// a_ProjectSave: asks for a file name when there is none; writes the month
// unless a restore of it is pending. Refused when it was not written
// (Cancelled: no name chosen).
result<> a_ProjectSave(Plan& plan);

// mi_SaveAs: a save that always asks for the file name; cancelling (or a
// failed write) keeps the old name.
result<> mi_SaveAs(Plan& plan);

// True while a restore marker blocks saving the current month file.
bool restore_pending(const Plan& plan);

// The window caption: the application title, " - " and the file's name.
std::string project_caption(const Plan& plan);

}  // namespace planek
