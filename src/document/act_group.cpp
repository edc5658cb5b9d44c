#include "document/act_group.h"

#include "document/act.h"

namespace planek {

act_group::act_group(roster_document& doc, const char* key, const char* fallback)
    : act_(std::make_unique<act>(doc, unsigned(change::entries), undo_label{key, fallback})) {
    // Whoever acts inside may reach any worker.
    act_->recount();
}

act_group::~act_group() { end(); }

void act_group::end() {
    if (!act_) return;
    // The acts inside said what they had to say to their callers.
    [[maybe_unused]] const result<> ended = act_->finish();
    act_.reset();
}

}  // namespace planek
