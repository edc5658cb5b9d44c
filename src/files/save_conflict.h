#pragma once
// A save refused because somebody else wrote the file since this program
// read it: what the user is told and what he may do instead.
#include <filesystem>
#include <vector>

#include "core/guarded_write.h"
#include "core/plan.h"
#include "core/result.h"
#include "files/staff_merge.h"

namespace planek {

// "Plik X został zmieniony (przez Y na komputerze Z) od chwili odczytu".
std::string changed_since_read_text(const Plan& plan, const std::filesystem::path& file,
                                    const std::optional<lock_owner>& by);

// The shown month could not be written over plan.currentFile, which changed
// since it was read. Asks, saying so, whether to save the month under another
// name (the save dialog, else a free name beside it), else whether to read
// the file again, losing the edits. Gives the outcome of the save: success
// (with a notice of the new name) only when the month went to another file.
result<> settle_month_conflict(Plan& plan, const guarded_write_result& refused);

// Puts the merged staff lines into the worker table: the records come from
// the lines, each worker keeps the month data of this run; workers new in
// the lines are appended.
void take_merged_staff(Plan& plan, const std::vector<std::string>& merged);

// The staff file changed since it was read and both programs changed some
// of the same fields: asks, naming them, whether this program's values win.
bool agree_to_merge_staff(Plan& plan, const guarded_write_result& refused, const std::filesystem::path& file,
                          const std::vector<staff_clash>& clashes);

}  // namespace planek
