#include "document/history_acts.h"

#include "document/act.h"
#include "files/undo_files.h"

namespace planek {

namespace {

result<> take_step(roster_document& doc, bool forth) {
    act a(doc, change::history | change::entries);
    if (!take_undo_step(a.plan(), forth)) {
        a.quiet();
        return a.finish(result<>(refused(refusal_kind::NoSuchEntry, {})));
    }
    // A step may bring back any worker or group; the lists follow.
    if (a.history().lastMovedLists()) a.also(change::workers | change::groups);
    a.recount();
    return a.finish();
}

}  // namespace

result<> undo(roster_document& doc) { return take_step(doc, false); }
result<> redo(roster_document& doc) { return take_step(doc, true); }

}  // namespace planek
