// Reading and writing the month's wishes.
#include "files/month_wishes.h"

#include <algorithm>
#include <optional>

#include "core/text.h"
#include "editing/message_text.h"

namespace planek {

namespace {

const ms_* shown_entry(const Plan& plan, const prac& w) {
    return plan.currentMonth >= 0 && plan.currentMonth < int(w.months.size()) ? &w.months[size_t(plan.currentMonth)]
                                                                               : nullptr;
}

int first_day(const Plan& plan) { return plan.weekMode ? plan.weekModeFrom : 1; }

const char* kind_code(wish_kind k) {
    switch (k) {
    case wish_kind::DayOff: return "w";
    case wish_kind::Shift: return "z";
    default: return "n";
    }
}

std::optional<wish_kind> kind_of(const std::string& code) {
    if (code == "w" || code == "W") return wish_kind::DayOff;
    if (code == "z" || code == "Z") return wish_kind::Shift;
    if (code == "n" || code == "N") return wish_kind::NotShift;
    return std::nullopt;
}

bool numbered_key(const std::string& key) {
    if (key.size() < 2 || (key[0] != 'z' && key[0] != 'Z')) return false;
    return std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<long long> in_range(const std::string& text, long long lo, long long hi) {
    const auto v = parse_int(trim(text));
    if (!v || *v < lo || *v > hi) return std::nullopt;
    return v;
}

}  // namespace

std::vector<std::string> wish_section_lines(const Plan& plan) {
    std::vector<std::string> values;
    const int days = std::min<int>(int(plan.days.size()), kMaxDays);
    for (const prac& w : plan.workers) {
        const ms_* m = shown_entry(plan, w);
        if (!m) continue;
        for (int d = 0; d < days; ++d) {
            const wish& x = m->wishes[size_t(d)];
            if (!x.used()) continue;
            values.push_back(join_fields({std::to_string(w.id), std::to_string(first_day(plan) + d), kind_code(x.kind),
                                          std::to_string(x.shift), std::to_string(x.weight)}));
        }
    }
    values.insert(values.end(), plan.orphanWishes.begin(), plan.orphanWishes.end());
    if (values.empty()) return {};
    std::vector<std::string> lines{"[" + std::string(kWishSection) + "]"};
    for (size_t i = 0; i < values.size(); ++i) lines.push_back("z" + std::to_string(i + 1) + "=" + values[i]);
    return lines;
}

void read_wishes(Plan& plan, const month_ini& ini, int firstDay, const wish_problem_fn& problem) {
    plan.orphanWishes.clear();
    const month_ini::section* s = ini.find(kWishSection);
    if (!s) return;
    const int days = std::min<int>(int(plan.days.size()), kMaxDays);
    for (const month_ini::entry& e : s->entries) {
        if (!numbered_key(e.key)) {
            problem(e, fill_placeholders(plan.tr.msg("msg_ProblemKeyForm", "klucz nie ma postaci %s<numer>"),
                                         {"z"}));
            continue;
        }
        const std::vector<std::string> f = split_fields(e.value);
        if (f.size() < 5) {
            problem(e, fill_placeholders(plan.tr.msg("msg_ProblemFewFields", "za mało pól (%s z %s)"),
                                         {std::to_string(f.size()), "5"}));
            continue;
        }
        const auto id = in_range(f[0], 1, 65535);
        const auto day = in_range(f[1], firstDay, firstDay + days - 1);
        const auto kind = kind_of(trim(f[2]));
        const auto shift = in_range(f[3], 0, 255);
        const auto weight = in_range(f[4], kMinWishWeight, kMaxWishWeight);
        if (!id || !day || !kind || !shift || !weight || (*kind != wish_kind::DayOff && *shift == 0)) {
            problem(e, plan.tr.msg("msg_ProblemBadWish", "życzenie niepoprawne, pominięto"));
            continue;
        }
        const int worker = plan.workerIndexById(word(*id));
        if (worker < 0) {
            plan.orphanWishes.push_back(e.value);
            continue;
        }
        prac& p = plan.workers[size_t(worker)];
        if (plan.currentMonth < 0 || plan.currentMonth >= int(p.months.size())) continue;
        wish& slot = p.months[size_t(plan.currentMonth)].wishes[size_t(*day - firstDay)];
        if (slot.used()) {
            problem(e, plan.tr.msg("msg_ProblemSecondWish", "drugie życzenie tego dnia, pominięto"));
            continue;
        }
        slot = {*kind, byte(*kind == wish_kind::DayOff ? 0 : *shift), byte(*weight)};
    }
}

}  // namespace planek
