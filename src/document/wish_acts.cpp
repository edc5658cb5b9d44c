#include "document/wish_acts.h"

#include "document/act.h"
#include "editing/wishes.h"

namespace planek {

result<> set_wish(roster_document& doc, int worker, int dayIndex, const wish& w) {
    act a(doc, unsigned(change::entries), {"undo_Wish", "Życzenie"});
    a.worker(worker);
    return a.finish(ustaw_zyczenie(a.plan(), worker, dayIndex, w));
}

}  // namespace planek
