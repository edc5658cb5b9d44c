#pragma once
// What the routines use but do not own: the options, the folders, the
// translator, the random source, the clock, the way to talk to the user and
// the hooks through which a view takes part.
#include <memory>

#include "core/clock.h"
#include "core/edit_journal.h"
#include "core/file_guards.h"
#include "core/interaction.h"
#include "core/options.h"
#include "core/paths.h"
#include "core/plan_hooks.h"
#include "core/random.h"
#include "core/translator.h"

namespace planek {

struct plan_services {
    Options options;
    Paths paths;
    Translator tr;
    Random random;
    std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    std::shared_ptr<Interaction> ui = std::make_shared<SilentInteraction>();
    plan_hooks hooks;
    // Told of every change to the open month (the undo history); may be unset.
    std::shared_ptr<edit_journal> journal;
    // The files shared with other programs: as read, locked, or opened read-only.
    file_guards guards;
};

}  // namespace planek
