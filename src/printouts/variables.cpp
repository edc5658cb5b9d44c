#include "printouts/variables.h"

#include <cstdio>
#include <unordered_map>

#include "calendar/duty_filter.h"
#include "calendar/holidays.h"
#include "calendar/time_text.h"
#include "core/text.h"
#include "editing/symbols.h"
#include "printouts/html_text.h"
#include "printouts/template_text.h"

namespace planek {

const prac* var_call::worker() const {
    const Plan& p = run.plan;
    return ctx.worker >= 0 && ctx.worker < int(p.workers.size()) ? &p.workers[ctx.worker] : nullptr;
}

const ms_* var_call::wm() const { return worker_period_month(run.plan, ctx.worker, ctx.month); }

const grupa* var_call::group() const {
    const Plan& p = run.plan;
    return ctx.group >= 0 && ctx.group < int(p.groups.size()) ? &p.groups[ctx.group] : nullptr;
}

const zmiana_* var_call::shift() const {
    const grupa* g = group();
    if (!g || ctx.duty8 || ctx.shift < 0 || ctx.shift >= int(g->shifts.size())) return nullptr;
    return &g->shifts[ctx.shift];
}

const miesiac* var_call::month() const {
    const Plan& p = run.plan;
    return ctx.month >= 0 && ctx.month < int(p.months.size()) ? &p.months[ctx.month] : nullptr;
}

int var_call::days() const {
    if (const miesiac* m = month(); m && m->dayCount) return std::min<int>(m->dayCount, kMaxDays);
    return std::min<int>(int(run.plan.days.size()), kMaxDays);
}

int var_call::dayIndex() const { return ctx.day >= 0 && ctx.day < days() ? ctx.day : -1; }

const day* var_call::calDay() const {
    int d = dayIndex();
    if (d < 0 || ctx.month != run.plan.currentMonth || d >= int(run.plan.days.size())) return nullptr;
    return &run.plan.days[d];
}

const day_param* var_call::dayParam() const {
    const miesiac* m = month();
    int d = dayIndex();
    return m && d >= 0 && d < int(m->days.size()) ? &m->days[d] : nullptr;
}

int var_call::weekday() const {
    if (const day* d = calDay(); d && !run.plan.weekMode) return d->dayOfWeek <= 7 ? d->dayOfWeek : 0;
    const miesiac* m = month();
    int d = dayIndex();
    if (!m || d < 0 || m->month < 1 || m->month > 12) return 0;
    return day_of_week(m->year, m->month, d + 1);
}

const dyzur* var_call::duty() const {
    const ms_* m = wm();
    int d = dayIndex();
    if (!m || d < 0 || ctx.duty < 0 || ctx.duty >= int(m->duties[d].size())) return nullptr;
    return &m->duties[d][ctx.duty];
}

const duty_split* var_call::split() const {
    const ms_* m = wm();
    int d = dayIndex();
    if (!m || d < 0 || d >= int(m->sum.parts.size())) return nullptr;
    for (const duty_split& s : m->sum.parts[d].duties)
        if (s.position == ctx.duty) return &s;
    return nullptr;
}

const kty* var_call::who() const {
    const day* d = calDay();
    if (!d) return nullptr;
    if (ctx.group >= 0 && ctx.group < int(d->whoList.size())) return &d->whoList[ctx.group];
    return &d->who;
}

int var_call::dayOffHead() const {
    const ms_* m = wm();
    int d = dayIndex();
    if (!m || d < 0) return -1;
    const wolne_& s = m->daysOff[d];
    if (s.used()) return d;
    if (s.headIndex < kMaxDays && m->daysOff[s.headIndex].used()) {
        const wolne_& h = m->daysOff[s.headIndex];
        if (d <= h.firstIndex + int(h.dayTo) - int(h.dayFrom)) return s.headIndex;
    }
    return -1;
}

const wolne_* var_call::dayOff() const {
    int h = dayOffHead();
    return h < 0 ? nullptr : &wm()->daysOff[h];
}

std::string var_call::user(const std::string& text) const { return run.html ? html_text(text) : text; }

std::string var_call::duty_symbol(const dyzur& d) const {
    const std::string plain = dyzur2symbol(plan(), d, "symbol", "txt");
    if (format != "htm") return user(plain);
    // The two differ only where the symbol is a time the program writes with
    // its own markup; any other symbol is a text the user chose.
    const std::string marked = dyzur2symbol(plan(), d, "symbol", "htm");
    return marked != plain ? marked : user(plain);
}

std::string var_call::time(long long minutes, bool wrapDay) const { return min2h(minutes, timeFmt, true, wrapDay); }

std::string var_call::expand_txt(const std::string& text) {
    if (text.find("@_") == std::string::npos) return text;
    if (run.depth >= kMaxExpansionDepth) return text;
    ++run.depth;
    std::string out = gen_wypelnij_linie(run, text, "txt", ctx);
    --run.depth;
    return out;
}

std::string var_call::yesno(bool holds) { return expand_txt(holds ? yes : no); }

std::string number_text(long long n) { return std::to_string(n); }

std::string real_comma(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string hex_rgb(colour c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return buf;
}

std::string date_text(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day, month, year);
    return buf;
}

std::string month_name(int month) {
    static const char* names[] = {"Styczeń", "Luty",     "Marzec",   "Kwiecień", "Maj",      "Czerwiec",
                                  "Lipiec",  "Sierpień", "Wrzesień", "Październik", "Listopad", "Grudzień"};
    return month >= 1 && month <= 12 ? names[month - 1] : std::string();
}

namespace {

struct table_index {
    std::vector<var_entry> entries;
    std::unordered_map<std::string, size_t> byName;
};

const table_index& index() {
    static const table_index idx = [] {
        table_index t;
        add_general_variables(t.entries);
        add_day_variables(t.entries);
        add_worker_variables(t.entries);
        add_duty_variables(t.entries);
        add_period_variables(t.entries);
        for (size_t i = 0; i < t.entries.size(); ++i)
            for (const char* n : {t.entries[i].pl, t.entries[i].en, t.entries[i].en2})
                if (n && *n) t.byName.emplace(n, i);
        return t;
    }();
    return idx;
}

// "shift_from_2" -> entry of shift_from and shift index 1.
const var_entry* numbered_shift(const std::string& name, int* shift) {
    size_t us = name.rfind('_');
    if (us == std::string::npos || us + 1 >= name.size() || us + 4 < name.size()) return nullptr;
    auto n = parse_int(std::string_view(name).substr(us + 1));
    if (!n || *n < 1 || name[us + 1] == '+' || name[us + 1] == '-') return nullptr;
    const var_entry* e = find_variable(name.substr(0, us));
    if (!e || !e->shiftFamily) return nullptr;
    *shift = int(*n) - 1;
    return e;
}

}  // namespace

const std::vector<var_entry>& variable_table() { return index().entries; }

const var_entry* find_variable(const std::string& name) {
    const table_index& t = index();
    auto it = t.byName.find(name);
    return it == t.byName.end() ? nullptr : &t.entries[it->second];
}

bool is_known_variable(const std::string& name) {
    int shift = 0;
    return find_variable(name) || numbered_shift(name, &shift);
}

std::string evaluate_variable(var_call& call, const std::string& name, bool* known) {
    if (known) *known = true;
    if (const var_entry* e = find_variable(name)) return e->fn(call);
    int shift = -1;
    if (const var_entry* e = numbered_shift(name, &shift)) {
        gen_line saved = call.ctx;
        call.ctx.shift = shift;
        call.ctx.duty8 = false;
        if (call.ctx.group < 0) call.ctx.group = call.run.plan.currentGroup;
        std::string v = e->fn(call);
        call.ctx = saved;
        return v;
    }
    if (known) *known = false;
    return {};
}

}  // namespace planek
