#pragma once
// Archives of the user's data, the autosave of the open month, and the
// restore commands that swap a file with its ".bak" copy or unpack an
// archive. All archives are ZIP files of the archive component.
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/plan.h"
#include "core/result.h"

namespace planek {

// The files backup_files would pack: *.ini, then *.inr, then *.pnk of the
// data folder and its subfolders (no folder starting with "." nor named
// RECYCLED), then the month files of the last project's folder when it lies
// outside the data folder.
std::vector<std::filesystem::path> backup_file_list(const Plan& plan);

// Packs them into the data folder's "backup" folder under `archiveName`.
// Two files of one name (in different folders) are both kept, the later
// ones with "_2", "_3" before the extension.
io_result backup_files(Plan& plan, const std::string& archiveName);

// "backup_ver_3_82_testowa.bak".
std::string version_archive_name();
// At start: the archive of this program version, made once before the data
// are touched. Nothing to do is success; a failure is the caller's to tell.
io_result version_archive(Plan& plan);

// At exit: the archive every `autoarchiving` days. Only a successful
// archive moves last_backup to today; a failed one is the caller's to tell
// and is tried again at the next exit.
io_result periodic_archive(Plan& plan);

// The autosave timer: the month goes to "autosave.~pn" in the program
// folder and nothing else is written; the current file, the modified state
// and the caption stay as they were.
result<> t_SaveTimer(const Plan& plan);
// At start: offers the autosave file left by a run that did not end
// normally. On Yes it is opened as the only tab with no file name, so the
// next save asks for one. Refused when there is none or the user said No.
result<> autosave_recovery(Plan& plan);
// At a normal exit.
void usun_autosave(Plan& plan);

// Which restore commands the submenu enables.
struct restore_menu {
    bool month = false;    // the current month file has a ".bak" copy
    bool workers = false;  // grupy.ini.bak or kadra.inr.bak exists
};
restore_menu mi_RestoreDataClick(const Plan& plan);

// Swaps the current month file with its ".bak" copy through the ".~ak" file
// and opens it again; running it twice brings the first data back.
result<> a_RestoreMonth(Plan& plan);
// Swaps grupy.ini and kadra.inr with their ".bak" copies after writing the
// tables; the staff are then not written at exit. Success: the program
// should close so the restored files are read at the next start.
result<> a_RestoreWorkers(Plan& plan);
// Unpacks an archive into the data folder's "backup/dane" folder, never over
// the live data; the notice names the folder.
result<> restore_archive(const Plan& plan, const std::filesystem::path& archive);

}  // namespace planek
