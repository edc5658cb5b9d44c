#pragma once
// Two planners of different wards saved one month file: the later save puts
// its own wards' part onto the newer file instead of refusing. The month is
// split into parts with one owner each: a group (its settings, its duties
// and days off), a worker (the month's own norm, part time, overtime,
// wishes), and each key of the month's header and calendar (the status, a
// day's note or own holiday). A part only one side changed takes that side;
// a part both changed, each its own way, is a clash: nothing is merged and
// the save goes on as a conflict.
#include <set>
#include <string>
#include <vector>

#include "core/types.h"

namespace planek {

struct month_merge {
    std::vector<std::string> lines;    // the merged month, as month_file_lines gives one
    std::vector<std::string> clashes;  // the parts both sides changed, for the message
    bool ok() const { return clashes.empty(); }
};

// `base` is the month as this program read it, `ours` as it would write it
// now and `theirs` the newer file read by this program; all three as
// month_file_lines writes a month (unsealed).
month_merge merge_month_lines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                              const std::vector<std::string>& theirs);

// The ids of the groups whose part (settings, duties, days off) differs
// between `base` and `ours`: the wards an edit touched.
std::set<word> changed_groups(const std::vector<std::string>& base, const std::vector<std::string>& ours);

}  // namespace planek

namespace planek {

// A month read for some wards only, saved: the changes this program made
// (from `base`, the month as read, to `ours`, both as month_file_lines
// writes the part read) are put onto `theirs`, the lines of the file as it
// is now (unsealed), and every other line stays as it stands. A record
// taken out must still be there; a keyed line changed must still be as read
// (the save's date and the overtime the duties give are always ours). A
// record's number is kept; one taken out leaves its number to a record
// added, else to the section's last record, so the numbers stay unbroken
// for older versions that read them in turn.
month_merge splice_month_lines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                               const std::vector<std::string>& theirs);

// The lines of a month file's text (UTF-8) without its end section, as
// splice_month_lines takes them.
std::vector<std::string> unsealed_month_lines(const std::vector<std::string>& lines);

}  // namespace planek
