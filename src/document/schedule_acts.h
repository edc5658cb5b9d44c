#pragma once
// The automatic scheduler's run over the group shown: its proposals are
// accepted or discarded as a whole, as the user answers (or as the command
// line decided beforehand). An accepted run is one step of the history.
#include "core/result.h"
#include "document/roster_document.h"
#include "scheduler/scheduler.h"

namespace planek {

enum class proposals { Ask, Accept, Discard };

result<scheduler_report> run_scheduler(roster_document& doc, const scheduler_choice& choice,
                                       proposals decision = proposals::Ask);

}  // namespace planek
