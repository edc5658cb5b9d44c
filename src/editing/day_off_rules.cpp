#include "editing/day_off_rules.h"

#include "editing/month_access.h"

namespace planek {

bool day_off_blocks(char kind) {
    return kind != '1' && kind != '5' && kind != '7' && kind != '9' && byte(kind) != kNoDutyWanted;
}

void store_day_off(Plan& plan, ms_& m, wolne_ w) {
    w.id = next_day_off_id(plan);
    const int first = w.firstIndex;
    const int last = first + (int(w.dayTo) - int(w.dayFrom));
    // The head slot keeps the marks of a blocking day off it lies under.
    const wolne_ before = m.daysOff[first];
    m.daysOff[first] = w;
    m.daysOff[first].headIndex = before.headIndex;
    m.daysOff[first].blocks = before.blocks;
    if (byte(w.symbol) == kNoDutyWanted) return;
    const bool blocks = day_off_blocks(w.symbol);
    for (int i = first; i <= last && i < kMaxDays; ++i) {
        wolne_& s = m.daysOff[i];
        // A slot holding its own day off keeps its own kind.
        if (i == first || s.id == 0) s.symbol = w.symbol;
        if (blocks) {
            s.headIndex = byte(first);
            s.blocks = true;
        } else if (!(s.blocks && s.headIndex != first)) {
            s.headIndex = byte(first);
            s.blocks = false;
        }
    }
}

bool take_allowance(Plan&, int, wolne_&) { return true; }

void usun_wolne(Plan&, int, int, int, bool, bool, bool, bool) {}

bool czy_juz_wolny(const Plan&, int, int) { return false; }

void aktualizuj_urlop(Plan&, int, int) {}

void korekta_wolne(Plan&, int, int, bool, char) {}

}  // namespace planek
