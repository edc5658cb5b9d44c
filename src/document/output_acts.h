#pragma once
// The month written out for people to read: printouts from templates, and
// the figures an export or a command counts its own way (over all groups, a
// list of its own). Nothing here is saved with the month; the figures the
// window shows are counted back afterwards.
#include <filesystem>
#include <optional>
#include <vector>

#include "core/result.h"
#include "document/roster_document.h"
#include "printouts/generation.h"

namespace planek {

// Whom a printout is for: the workers as the window lists them, the members
// of the group shown that are not archived, or one worker.
enum class printout_people { AsListed, GroupMembers, OneWorker };

struct printout_request {
    std::filesystem::path templateFile;
    gen_options options;
    printout_people people = printout_people::AsListed;
    word worker = 0;  // OneWorker: the worker's id
};

// The printout made (its sums counted over the whole period, all groups when
// the options say so); the template is remembered as the one chosen last.
// Refused when nobody is to be printed or the template gives no document.
result<gen_result> make_printout(roster_document& doc, const printout_request& request);

// The sums of these workers counted over all groups or over the group shown
// (an export, a summary of the command line).
void count_worker_sums(roster_document& doc, const std::vector<int>& workers, bool allGroups);

}  // namespace planek
