#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "files/file_problems.h"
#include "files/save_set.h"

namespace planek {

// What loading or saving the staff and group files met: each problem, and
// all of them as the one warning a front end shows (`said`); `failed` says
// a file could not be read or written at all (the files on disk are then
// left as they were).
struct files_report {
    std::vector<std::string> problems;
    refusal said;
    bool failed = false;
    // The staff archive did not read whole and the user took a copy in its
    // place: the staff count as not yet on disk, so the next save writes them.
    bool copyTaken = false;
    bool ok() const { return !failed; }
};

// Loads grupy.ini and the staff archive kadra.inr (or the older planek.ini
// instead) into emptied group and worker tables. Never throws: damaged lines
// are reported with their file and line and the rest is read; a file whose
// reading found problems is first copied aside (".bad_" + date), so the
// next save cannot lose what could not be read. The plain staff file is
// never left on disk.
files_report wczytaj(Plan& plan);

// Writes grupy.ini and kadra.inr from the tables; an empty table leaves its
// file as it was. When the archive cannot be written, the staff go to the
// plain file "kadra.ini.error_" + date instead.
files_report zapisz(Plan& plan);

// Writes both files, as zapisz does, when the tables no longer give the
// lines last read or written, so a worker added before a crash is still
// there afterwards. Nothing is written before the files were read, nor
// after a staff restore.
files_report zapisz_gdy_zmienione(Plan& plan);
// Whether the tables no longer give the lines last read or written, under
// the same rules.
bool staff_files_behind(const Plan& plan);

// What a save of several files holds of the staff and groups: the lines
// staged (remembered as on disk once the save is through), the plain staff
// file, and why a file that had to go could not be staged.
struct staff_stage {
    std::optional<std::vector<std::string>> groupLines, staffLines;
    std::vector<prac> staffRecords;  // the stored fields staffLines were made from
    std::string staffBytes;
    std::string refused;
    std::string merged;  // said when this program's changes went onto a newer staff file
};

// Adds grupy.ini and kadra.inr as the tables give them to `set`; with
// `onlyChanged` only a file whose lines differ from those last read or
// written (under the rules of zapisz_gdy_zmienione).
staff_stage stage_staff_files(Plan& plan, save_set& set, file_problems& problems, bool onlyChanged);
// The staged files are on disk now.
void staff_files_saved(Plan& plan, staff_stage& staged);
// The tables are what the group and staff files hold now, as when they were
// just read (from wherever they were read): with the stored fields kept, an
// act's question whether the staff are behind the file makes lines only for
// the workers it changed.
void remember_on_disk(Plan& plan);

// Appends loaded records to the tables the way the dialogs' add routines
// will: every worker gets a month entry per period month.
void append_loaded_groups(Plan& plan, std::vector<grupa>&& groups);
void append_loaded_workers(Plan& plan, std::vector<prac>&& workers);

}  // namespace planek
