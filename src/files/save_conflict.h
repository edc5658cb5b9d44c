#pragma once
// A save refused because somebody else wrote the file since this program
// read it: what the user is told and what he may do instead.
#include <filesystem>
#include <vector>

#include "core/guarded_write.h"
#include "core/plan.h"
#include "core/result.h"

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

// Merging a staff list: the workers this program changed since it read
// `base` are put onto `theirs` (the newer file), everyone else stays as
// there. Lines are the records of the staff file, one worker each, headed
// by the worker id; a worker changed on both sides gets ours.
std::vector<std::string> merge_staff_lines(const std::vector<std::string>& base,
                                           const std::vector<std::string>& ours,
                                           const std::vector<std::string>& theirs);

// Puts the merged staff lines into the worker table: the records come from
// the lines, each worker keeps the month data of this run; workers new in
// the lines are appended.
void take_merged_staff(Plan& plan, const std::vector<std::string>& merged);

// The staff file changed since it was read: asks, saying so, whether to
// merge this program's changed workers onto it.
bool agree_to_merge_staff(Plan& plan, const guarded_write_result& refused, const std::filesystem::path& file);

}  // namespace planek
