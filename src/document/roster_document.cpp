#include "document/roster_document.h"

#include <algorithm>

namespace planek {

roster_document::roster_document() : roster_document(Plan()) {}

roster_document::roster_document(Plan plan) : plan_(std::move(plan)), history_(std::make_shared<undo_stack>()) {
    plan_.journal = history_;
    // A plan handed over unmodified stands where its files stand.
    if (plan_.modified) history_->markDirty();
}

roster_document::~roster_document() {
    // The hooks may point into views that outlive the document by a moment.
    plan_.hooks = {};
}

Plan roster_document::copy() const {
    Plan apart = plan_;
    apart.journal.reset();
    apart.hooks = {};
    apart.guards.heldLocks.clear();
    return apart;
}

int roster_document::subscribe(listener l) {
    const int id = nextListener_++;
    listeners_.emplace_back(id, std::move(l));
    return id;
}

void roster_document::unsubscribe(int id) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [id](const auto& entry) { return entry.first == id; }),
                     listeners_.end());
}

void roster_document::notify(const change_notice& notice) {
    ++noticesSent_;
    // A view may unsubscribe while it is told; the others are told all the same.
    const std::vector<std::pair<int, listener>> told = listeners_;
    for (const auto& [id, l] : told)
        if (l) l(notice);
}

}  // namespace planek
