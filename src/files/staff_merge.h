#pragma once
// Two programs changed the staff since they both read it: what the later
// save writes. The newer file is the ground; this program's changes are put
// onto it field by field, and a balance (the leave of this and the last
// year, care, rehabilitation) moves by the difference this program made, so
// that two deductions for one worker both count.
#include <string>
#include <vector>

namespace planek {

// A field both programs changed, each to its own value.
struct staff_clash {
    std::string workerId;
    std::string worker;  // "surname first name" as the newer file has it
    std::string field;   // the field's name in the staff file
    std::string ours;
    std::string theirs;
};

struct staff_merge {
    std::vector<std::string> lines;    // the merged staff lines, this program's value in a clash
    std::vector<staff_clash> clashes;  // for the user to decide on
};

// Lines are the records of the staff file, one worker each, headed by the
// worker id. `base` is what this program read, `ours` what it would write
// now and `theirs` the newer file. A worker removed on one side and left as
// read on the other goes; removed on one side and changed on the other, the
// change stays.
staff_merge merge_staff_lines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                              const std::vector<std::string>& theirs);

}  // namespace planek
