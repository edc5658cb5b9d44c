#pragma once
// What the user looks at: the group and worker shown, the filters of the
// lists and the calendar, the selected cell, the printout template chosen
// last. No step of the history; the figures follow and the views are told.
#include <array>
#include <string>
#include <vector>

#include "core/result.h"
#include "document/roster_document.h"
#include "scheduler/warnings.h"

namespace planek {

result<> show_group(roster_document& doc, int group);
result<> show_worker(roster_document& doc, int worker);
// The worker list's two filters: members of the group or everybody, and the
// archived ones too.
result<> show_workers(roster_document& doc, ShowWorkers which, bool archivedToo);
// The calendar's: everybody's entries or the chosen worker's alone, and the
// duty-as categories shown.
result<> show_entries(roster_document& doc, int showWho, const std::array<bool, 4>& dutyAs);
result<> select_cell(roster_document& doc, int dayIndex, int slot);
// Every figure counted afresh from the tables, and every view told: after
// the tables were filled outside the acts (a test's ward, a tool's).
result<> recount(roster_document& doc);
result<> remember_template(roster_document& doc, const std::string& file);
// The outsiders the calendar shows with their duties join the worker list
// while shown (no notice: the calendar keeps them as it draws).
void list_outsiders(roster_document& doc, const std::vector<int>& workers);

// The roster checked against the warnings' rules (the findings file is
// written); the group shown is shown again afterwards.
result<warnings_report> check_warnings(roster_document& doc);

}  // namespace planek
