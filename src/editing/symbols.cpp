#include "editing/symbols.h"

#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"

namespace planek {

namespace {

const zmiana_* shift_of(const Plan& plan, int shift) {
    const grupa* g = plan.group();
    if (!g || shift < 1 || shift > int(g->shifts.size())) return nullptr;
    return &g->shifts[shift - 1];
}

std::string user_symbol(const Plan& plan, const dyzur& d) {
    std::string text;
    for (const dyz_symb_& e : plan.dutySymbols) {
        if (e.start == -1 && e.length == -1) continue;  // never loaded: it would match every duty
        const int effective = (e.overtime > 0 && d.overtime > 0) ? d.length + d.overtime : d.length;
        if (e.start != -1 && e.start != int(d.start)) continue;
        const bool match = (e.overtime == -1 && e.length == effective) ||
                           (e.overtime >= 0 && e.length + e.overtime == effective) || e.length == -1;
        if (match) text = e.symbol;  // the last matching entry wins
    }
    return text;
}

std::string shift_symbol(const Plan& plan, const dyzur& d, const std::string& mode, const std::string& style) {
    const glowne_options& o = plan.options.glowne;
    const zmiana_* s = shift_of(plan, d.shift);
    const bool atShiftStart = s && s->start == d.start;
    if (s && s->length == d.length && atShiftStart && !s->symbol.empty()) return s->symbol;
    if (d.length == group_top_up(plan) && !o.symbol_d.empty()) return o.symbol_d;
    if (d.length == plan.dyz8 && atShiftStart && !o.symbol_8.empty()) return o.symbol_8;
    if (mode == "ksymbol" && !o.symbol_other.empty()) return o.symbol_other;
    if (atShiftStart) {
        std::string text;
        if (mode == "ile") text = d.length == 0 ? "0" : hm_text_styled(d.length, style, false);
        if (mode == "symbol" || text == "0") text = o.symbol_other;
        return text;
    }
    return hm_text_styled(d.start, style, true) + "-" + hm_text_styled(d.start + d.length, style, true);
}

}  // namespace

std::string day_off_kind_code(char kind) {
    if (byte(kind) == kNoDutyWanted) return "ż";
    return std::string(1, kind);
}

char day_off_kind_char(const std::string& code) {
    if (code == "ż") return char(kNoDutyWanted);
    return code.size() == 1 ? code[0] : 0;
}

int day_off_kind_row(const Plan& plan, char kind) {
    if (kind == 0) return -1;
    return plan.options.dayOffKindIndex(day_off_kind_code(kind));
}

std::string dyzur2symbol(const Plan& plan, const dyzur& d, const std::string& mode, const std::string& timeStyle) {
    if (d.id == 0) return {};
    std::string text;
    if (d.medical) {
        text = plan.options.glowne.symbol_medical_duty;
        if (d.alsoOvertime) text = plan.options.glowne.symbol_duty_as_overtime;
    }
    if (text.empty()) text = user_symbol(plan, d);
    if (text.empty()) text = shift_symbol(plan, d, mode, timeStyle);
    return text;
}

bool czy_sa_dyzury(const Plan& plan, int worker, int month, const wolne_& entry) {
    if (worker < 0 || worker >= int(plan.workers.size())) return false;
    const prac& w = plan.workers[worker];
    if (month < 0 || month >= int(w.months.size())) return false;
    const ms_& m = w.months[month];
    const int span = int(entry.dayTo) - int(entry.dayFrom);
    for (int i = entry.firstIndex; i <= entry.firstIndex + span && i < kMaxDays; ++i)
        if (!m.duties[i].empty()) return true;
    return false;
}

std::string wolne2symbol(const Plan& plan, const wolne_& slot, int worker, int dayIndex, int month) {
    const int row = day_off_kind_row(plan, slot.symbol);
    if (byte(slot.symbol) == kNoDutyWanted) return row >= 0 ? plan.options.dayOffKinds[row].symbol : " ";
    if (worker < 0 || worker >= int(plan.workers.size())) return " ";
    const prac& w = plan.workers[worker];
    if (month < 0 || month >= int(w.months.size())) return " ";
    const ms_& m = w.months[month];
    // A slot holding its own record is its own head.
    const wolne_* head = &slot;
    if (!slot.used() && slot.headIndex < kMaxDays) head = &m.daysOff[slot.headIndex];
    const bool ownKind = slot.symbol == '1' || slot.symbol == '5' || slot.symbol == '7' || slot.symbol == '9';
    const bool credited = dayIndex >= 0 && dayIndex < int(m.sum.days.size()) &&
                          m.sum.days[dayIndex].creditedMinutes > 0;
    const bool shown = ownKind || credited || head->customNorm || czy_sa_dyzury(plan, worker, month, *head);
    if (!shown || row < 0) return " ";
    return plan.options.dayOffKinds[row].symbol;
}

std::string wolne2nazwa(const Plan& plan, char kind) {
    const int row = day_off_kind_row(plan, kind);
    if (row < 0) return " ";
    return plan.options.dayOffKinds[row].shownName();
}

}  // namespace planek
