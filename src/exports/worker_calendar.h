#pragma once
// One worker's month as calendar events: a timed event per duty (its end
// with the overtime), an all-day event per day off.
#include <vector>

#include "core/plan.h"
#include "exports/ics_writer.h"

namespace planek {

// The events of worker w in the shown month; `folderId` (data_folder_id of
// the plan's data folder) makes their ids unique across wards.
std::vector<calendar_event> worker_events(const Plan& plan, int worker, const std::string& folderId);

}  // namespace planek
