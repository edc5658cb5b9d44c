// Wishes of the workers for the open month.
#include "editing/wishes.h"

#include "core/edit_journal.h"
#include "editing/month_access.h"

namespace planek {

wish_refusal ustaw_zyczenie(Plan& plan, int worker, int dayIndex, const wish& w) {
    ms_* m = worker_month(plan, worker);
    if (!m || dayIndex < 0 || dayIndex >= month_day_count(plan) || dayIndex >= kMaxDays)
        return {"msg_WishNoDay", "Tego dnia nie ma w otwartym miesiącu."};
    if (w.used() && (w.weight < kMinWishWeight || w.weight > kMaxWishWeight))
        return {"msg_WishWeight", "Waga życzenia musi wynosić od 1 do 3."};
    const grupa* g = plan.group();
    const int shifts = g ? int(g->shifts.size()) : 0;
    if (w.kind == wish_kind::Shift || w.kind == wish_kind::NotShift)
        if (w.shift < 1 || w.shift > shifts) return {"msg_WishNoShift", "Grupa nie ma takiej zmiany."};
    wish stored = w;
    if (stored.kind == wish_kind::DayOff) stored.shift = 0;
    if (!stored.used()) stored = wish{};
    if (m->wishes[size_t(dayIndex)] == stored) return {};
    note_worker_edit(plan, worker);
    m->wishes[size_t(dayIndex)] = stored;
    plan.modified = true;
    return {};
}

}  // namespace planek
