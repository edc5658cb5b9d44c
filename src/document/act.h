#pragma once
// The protocol of every act of the document, written once. An act opens its
// undo step before the rules touch anything, so whatever they change is
// recorded however deep it happens; its body runs the program's own routines
// on the plan; at its end the step is closed, the derived figures are brought
// up to date for what the act says it changed, the staff and group files are
// written when the act wants them on disk at once, `modified` is derived
// again and one change notice goes to the views. An act started inside
// another joins it: one step, one notice.
//
// Only the act files of this folder include this header; the front ends call
// the acts (tests/core/layering_test holds ui/ and cli/ to that).
#include "core/result.h"
#include "document/roster_document.h"

namespace planek {

class act {
public:
    // An act the history keeps as one step under this label.
    act(roster_document& doc, unsigned what, undo_label label);
    // An act outside the history: opening, saving, what the user looks at.
    act(roster_document& doc, unsigned what);
    ~act();
    act(const act&) = delete;
    act& operator=(const act&) = delete;

    Plan& plan() { return doc_.plan_; }
    undo_stack& history() { return *doc_.history_; }

    // What the act turned out to change besides what it said at the start.
    void also(unsigned what) { what_ |= what; }
    // The one worker whose entries the act changed (the upkeep of her sums
    // then costs one worker, not the ward).
    void worker(int w);
    void relabel(undo_label label);
    // Writes the staff and group files at the end when the tables no longer
    // give their lines: after the worker and group acts a crash must not part
    // a worker from her duties, which the autosave keeps.
    void write_staff_files() { writeStaff_ = true; }
    // The month now stands as its file holds it (read, saved): the history's
    // clean point.
    void month_on_disk() { onDisk_ = 1; }
    // The month differs from its file in a way no step records (another
    // month shown, status and type, a recovered autosave).
    void month_off_disk() { onDisk_ = -1; }
    // Every figure is counted again at the end, whatever the act changed.
    void recount() { recount_ = true; }
    // The act changed nothing after all: no notice.
    void quiet() { quiet_ = true; }

    // Ends the act (else the destructor does): what writing the staff and
    // group files met comes back; the act's own result is the caller's.
    result<> finish();
    // The same, giving back the act's result with those notes added.
    template <class T>
    result<T> finish(result<T> r) {
        result<> written = finish();
        r.note_all(said_by(written));
        return r;
    }

private:
    roster_document& doc_;
    act* outer_ = nullptr;
    unsigned what_ = 0;
    int worker_ = -1;  // -1 none yet, -2 several
    bool step_ = false;
    bool open_ = true;
    bool writeStaff_ = false;
    bool recount_ = false;
    bool quiet_ = false;
    int onDisk_ = 0;
};

}  // namespace planek
