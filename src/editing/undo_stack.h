#pragma once
// The undo history of the open month. Each act of the user is one step;
// the routines that change the month tell the history (through the plan's
// journal) which worker they are about to change, and the history keeps
// that worker's state as it was on the first such word within the step.
// Undo and redo put back those states, they do not repeat the acts.
#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "core/edit_journal.h"
#include "core/plan.h"
#include "editing/undo_step.h"

namespace planek {

class undo_stack final : public edit_journal {
public:
    static constexpr std::size_t kMaxSteps = 200;
    static constexpr std::size_t kMaxBytes = std::size_t(64) << 20;

    // Opens a step; a step opened inside another one is part of it.
    void begin(const Plan& plan, undo_label label);
    // Names the open step anew (the act learnt what it did).
    void relabel(undo_label label);
    // Closes a step. The outermost one is kept when it changed anything;
    // one that changed nothing (refused, cancelled) leaves no trace, not
    // even in the record counters. True when a step was kept.
    bool end(Plan& plan);
    bool recording() const { return depth_ > 0; }

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    const undo_label* undoLabel() const { return canUndo() ? &steps_[done_ - 1].label : nullptr; }
    const undo_label* redoLabel() const { return canRedo() ? &steps_[done_].label : nullptr; }
    // Takes one step back or forth; false when there is none. Back at the
    // state last saved (or read), the history is at its clean point again.
    bool undo(Plan& plan);
    bool redo(Plan& plan);
    // Whether the month stands where its file does: no step lies between.
    bool atClean() const { return long(done_) == clean_; }
    // The month is now as on disk (read or saved): here the file stands.
    void markClean() { clean_ = long(done_); }
    // The month differs from its file in a way no step records (another
    // month, status and type): no step leads back to the file.
    void markDirty() { clean_ = -1; }
    // The step last taken back or forth changed who is listed or the
    // groups, so a view shows the lists again, not only the month.
    bool lastMovedLists() const { return lastMovedLists_; }

    // Forgets every step: the month was read anew or another one is shown.
    void clear();
    std::size_t size() const { return steps_.size(); }
    std::size_t bytes() const { return bytes_; }
    // The caps, smaller in tests.
    void setLimits(std::size_t steps, std::size_t bytes);

    void workerTouched(const Plan& plan, int worker) override;
    void monthReplaced(const Plan& plan) override;

private:
    bool take(Plan& plan, bool forth);
    void push(undo_step step);
    void dropOldest();

    std::deque<undo_step> steps_;
    std::deque<std::size_t> stepBytes_;  // parallel to steps_
    std::size_t done_ = 0;   // steps applied; the next undo takes steps_[done_ - 1]
    long clean_ = 0;         // done_ at the state on disk, -1 when no step leads there
    std::size_t bytes_ = 0;
    bool lastMovedLists_ = false;
    std::size_t maxSteps_ = kMaxSteps;
    std::size_t maxBytes_ = kMaxBytes;

    // The step being recorded.
    int depth_ = 0;
    bool applying_ = false;
    bool voided_ = false;  // the month was replaced while it was open
    undo_step open_;
    std::vector<bool> touched_;  // by worker index
};

// The plan's history, made and told to the plan on first use.
undo_stack& undo_history(Plan& plan);
// The history if the plan has one, else null.
const undo_stack* find_undo_history(const Plan& plan);

// One act as one step: opened by the constructor, closed by end() or the
// destructor, whichever comes first.
class undo_scope {
public:
    undo_scope(Plan& plan, const char* key, const char* fallback);
    ~undo_scope();
    undo_scope(const undo_scope&) = delete;
    undo_scope& operator=(const undo_scope&) = delete;
    void relabel(const char* key, const char* fallback);
    bool end();

private:
    Plan& plan_;
    bool open_ = true;
};

}  // namespace planek
