#include "document/act.h"

#include "document/figures.h"
#include "files/month_lock.h"
#include "files/staff_group_files.h"

namespace planek {

namespace {

// What an act changed that calls for every figure to be counted again: the
// calendar, the groups or who is listed; an edit of entries alone is kept
// one worker at a time.
constexpr unsigned kRecountAll = change::workers | change::groups | change::days | change::month | change::options;

// What may leave the staff and group files behind the tables: the records,
// the groups, and the allowance balances that days off draw on.
constexpr unsigned kTouchesStaff = change::entries | change::workers | change::groups | change::month | change::history;

}  // namespace

act::act(roster_document& doc, unsigned what, undo_label label) : act(doc, what) {
    step_ = true;
    history().begin(plan(), std::move(label));
}

act::act(roster_document& doc, unsigned what) : doc_(doc), outer_(doc.current_), what_(what) {
    doc_.current_ = this;
}

act::~act() {
    // The result of a finish the act's owner did not ask for was said by
    // nobody; the files stay marked behind, so the next save writes them.
    [[maybe_unused]] const result<> ignored = finish();
}

void act::worker(int w) {
    if (w < 0) return;
    worker_ = worker_ == -1 || worker_ == w ? w : -2;
}

void act::relabel(undo_label label) {
    if (step_) history().relabel(std::move(label));
}

result<> act::finish() {
    if (!open_) return {};
    open_ = false;
    doc_.current_ = outer_;
    Plan& p = plan();
    if (step_ && history().end(p)) what_ |= unsigned(change::history);
    if (onDisk_ > 0) history().markClean();
    if (onDisk_ < 0) history().markDirty();
    if (outer_) {
        // The outer act settles and tells for both.
        outer_->what_ |= what_;
        if (worker_ == -2)
            outer_->worker_ = -2;
        else
            outer_->worker(worker_);
        outer_->writeStaff_ = outer_->writeStaff_ || writeStaff_;
        outer_->recount_ = outer_->recount_ || recount_;
        if (onDisk_ != 0) outer_->onDisk_ = onDisk_;
        return {};
    }
    if (recount_ || (what_ & kRecountAll) || worker_ == -2)
        recount_figures(p);
    else if (what_ & unsigned(change::entries))
        worker_figures(p, worker_);
    result<> written;
    if (writeStaff_) {
        const files_report report = zapisz_gdy_zmienione(p);
        written.note(report.said);
        if (!report.ok() && !report.said.said()) written.note(refused(refusal_kind::Io, {}));
    }
    // The window holds the ward it shows, however it came to be shown (the
    // group list, an undo, a group added or deleted); the notice names a
    // planner who holds the one shown now.
    if (p.guards.wardLocks) written.note(follow_shown_ward(p));
    if (what_ & kTouchesStaff) doc_.filesBehind_ = staff_files_behind(p);
    // Routines that still read the flag see what the document derives.
    set_modified(p, doc_.modified());
    if (!quiet_ && what_ != 0) {
        change_notice notice;
        notice.what = what_;
        notice.worker = worker_ >= 0 ? worker_ : -1;
        doc_.notify(notice);
    }
    return written;
}

}  // namespace planek
