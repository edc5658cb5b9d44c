#include "editing/undo_stack.h"

#include <utility>

namespace planek {

void undo_stack::begin(const Plan& plan, undo_label label) {
    if (depth_++ > 0) return;
    open_ = undo_step{};
    open_.label = std::move(label);
    open_.monthBefore = take_month_state(plan);
    touched_.assign(plan.workers.size(), false);
    voided_ = false;
    // Many acts end by counting the selected worker's sums again, through
    // the calendar and not through an edit of her.
    workerTouched(plan, plan.currentWorker);
}

void undo_stack::relabel(undo_label label) {
    if (depth_ > 0) open_.label = std::move(label);
}

void undo_stack::workerTouched(const Plan& plan, int worker) {
    if (depth_ == 0 || applying_ || voided_ || worker < 0 || worker >= int(plan.workers.size())) return;
    // A worker added by the act itself has no slot yet.
    if (size_t(worker) >= touched_.size()) touched_.resize(plan.workers.size(), false);
    if (touched_[size_t(worker)]) return;
    touched_[size_t(worker)] = true;
    open_.workers.push_back(worker);
    open_.before.push_back(take_worker_state(plan, worker));
}

void undo_stack::monthReplaced(const Plan&) {
    if (applying_) return;
    clear();
}

bool undo_stack::end(Plan& plan) {
    if (depth_ == 0 || --depth_ > 0) return false;
    undo_step step = std::move(open_);
    open_ = undo_step{};
    touched_.clear();
    if (voided_) {
        voided_ = false;
        return false;
    }
    step.monthAfter = take_month_state(plan);
    // Workers the act added are kept whole; of the others only those it
    // really changed are part of the step.
    const size_t known = step.monthBefore.workerCount;
    for (size_t w = known; w < plan.workers.size(); ++w) step.added.push_back(plan.workers[w]);
    step.movesLists = !step.added.empty();
    size_t kept = 0;
    for (size_t i = 0; i < step.workers.size(); ++i) {
        if (size_t(step.workers[i]) >= known) continue;
        worker_state after = take_worker_state(plan, step.workers[i]);
        if (same_worker_state(step.before[i], after)) continue;
        step.movesLists = step.movesLists || moves_worker_lists(step.before[i], after);
        if (kept != i) {
            step.workers[kept] = step.workers[i];
            step.before[kept] = std::move(step.before[i]);
        }
        step.after.push_back(std::move(after));
        ++kept;
    }
    step.workers.resize(kept);
    step.before.resize(kept);
    step.workers.shrink_to_fit();
    step.before.shrink_to_fit();
    step.after.shrink_to_fit();
    const bool monthChanged = month_changed(step.monthBefore, step.monthAfter);
    if (kept == 0 && !monthChanged) {
        // A refused add still drew a number; it goes back with the rest.
        plan.dutyCounter = step.monthBefore.dutyCounter;
        plan.dayOffCounter = step.monthBefore.dayOffCounter;
        return false;
    }
    keep_month_changes(step.monthBefore, step.monthAfter);
    step.movesLists = step.movesLists || step.monthBefore.groups.has_value();
    push(std::move(step));
    return true;
}

void undo_stack::push(undo_step step) {
    // A new step parts with the steps undone before it.
    while (steps_.size() > done_) {
        bytes_ -= stepBytes_.back();
        steps_.pop_back();
        stepBytes_.pop_back();
    }
    if (clean_ > long(done_)) clean_ = -1;
    const size_t cost = step.bytes();
    steps_.push_back(std::move(step));
    stepBytes_.push_back(cost);
    bytes_ += cost;
    ++done_;
    // The newest step stays even when it alone passes the memory cap.
    while (steps_.size() > maxSteps_ || (bytes_ > maxBytes_ && steps_.size() > 1)) dropOldest();
}

void undo_stack::dropOldest() {
    bytes_ -= stepBytes_.front();
    steps_.pop_front();
    stepBytes_.pop_front();
    if (done_ > 0) --done_;
    if (clean_ >= 0) --clean_;  // below the first step there is no way back to it
}

bool undo_stack::undo(Plan& plan) { return take(plan, false); }
bool undo_stack::redo(Plan& plan) { return take(plan, true); }

bool undo_stack::take(Plan& plan, bool forth) {
    if (depth_ > 0 || !(forth ? canRedo() : canUndo())) return false;
    const undo_step& step = steps_[forth ? done_ : done_ - 1];
    applying_ = true;
    apply_step(plan, step, forth);
    applying_ = false;
    lastMovedLists_ = step.movesLists;
    done_ = forth ? done_ + 1 : done_ - 1;
    return true;
}

void undo_stack::clear() {
    steps_.clear();
    stepBytes_.clear();
    done_ = 0;
    clean_ = -1;
    bytes_ = 0;
    if (depth_ > 0) voided_ = true;
}

void undo_stack::setLimits(std::size_t steps, std::size_t bytes) {
    maxSteps_ = steps > 0 ? steps : 1;
    maxBytes_ = bytes;
    while (steps_.size() > maxSteps_ || (bytes_ > maxBytes_ && steps_.size() > 1)) dropOldest();
}

undo_stack& undo_history(Plan& plan) {
    if (auto* s = dynamic_cast<undo_stack*>(plan.journal.get())) return *s;
    auto made = std::make_shared<undo_stack>();
    plan.journal = made;
    return *made;
}

const undo_stack* find_undo_history(const Plan& plan) { return dynamic_cast<const undo_stack*>(plan.journal.get()); }

undo_scope::undo_scope(Plan& plan, const char* key, const char* fallback) : plan_(plan) {
    undo_history(plan_).begin(plan_, {key, fallback});
}

undo_scope::~undo_scope() { end(); }

void undo_scope::relabel(const char* key, const char* fallback) {
    if (open_) undo_history(plan_).relabel({key, fallback});
}

bool undo_scope::end() {
    if (!open_) return false;
    open_ = false;
    return undo_history(plan_).end(plan_);
}

}  // namespace planek
