#include "printouts/roster_fragments.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "calendar/duty_filter.h"
#include "core/plan.h"
#include "core/text.h"
#include "calendar/day_table.h"
#include "calendar/time_text.h"
#include "printouts/html_text.h"

namespace planek {
namespace {

const char kSeparator = '\x1E';

std::string small_span(int start, int length) {
    int end = (start + length) % 1440;
    return "<span class=maly>" + min2h(start, "htm", false, false) + "-" +
           min2h(end, "htm", false, false) + "</span><br>";
}

struct fragment_builder {
    Plan& plan;
    bool allGroups;
    bool html;
    int days;
    std::vector<std::string> keys;

    // The short name as the fragments hold it: they go into the document as
    // they are, so an HTML document gets it escaped.
    std::string nick_of(const prac& w) const { return html ? html_text(w.nick) : w.nick; }

    kty* record(int groupIndex, int d) {
        if (groupIndex < 0 || d < 0 || d >= days) return nullptr;
        auto& list = plan.days[d].whoList;
        if (groupIndex >= int(list.size())) return nullptr;
        return &list[groupIndex];
    }

    void add_duty(const prac& w, const dyzur& duty, int d) {
        int g = allGroups ? plan.currentGroup : plan.groupIndexById(duty.groupId);
        kty* who = record(g, d);
        if (!who) return;
        const grupa& group = plan.groups[g];
        const std::string nick = nick_of(w);
        const int firstStart = group.shifts.empty() ? -1 : group.shifts[0].start;
        const int dyz8 = plan.dyz8;
        const int topUp = plan.calendar.normRemainder;
        int s = duty.shift;
        if (s >= 1 && s <= int(group.shifts.size()) && s <= int(who->shifts.size()) &&
            duty.start == group.shifts[s - 1].start && duty.length == group.shifts[s - 1].length) {
            who->shifts[s - 1] += nick + ", ";
            return;
        }
        bool topUpLength = duty.length == topUp && topUp != dyz8;
        if (topUpLength) {
            if (duty.start == firstStart)
                who->lists[kKtoTopUp] += nick + ",<br> ";
            else
                who->lists[kKtoTopUp] += small_span(duty.start, duty.length) + nick + ",<br>";
        }
        bool standard = duty.length == dyz8 && s == 1;
        if (standard) {
            char key[32];
            std::snprintf(key, sizeof key, "%.4d%.2d", int(duty.start), d + 1);
            keys.push_back(key + w.nick);  // plain: the cells are escaped where printed
            if (duty.start == firstStart)
                who->lists[kKtoStandard] += nick + ", ";
            else
                who->lists[kKtoStandard] += small_span(duty.start, duty.length) + nick + ",<br>";
        }
        if (!standard && !topUpLength)
            who->lists[kKtoOther] += small_span(duty.start, duty.length) + nick + ",<br>";
    }

    static int list_of_kind(char kind) {
        switch (kind) {
            case '1': case '5': case '7': case '9': return kKtoDaysOff;
            case 'u': return kKtoLeave;
            case 'z': return kKtoSick;
            case 'a': case 'b': case 'd': case 'h': case 'i': case 'j': case 'k':
            case 'm': case 'n': case 'o': case 'r': case 's': case 't': case 'w': return kKtoOtherDaysOff;
            default: return -1;
        }
    }

    static const char* class_of_kind(char kind) {
        switch (kind) {
            case '1': return "w_za_sw";
            case '5': return "w_za_5d";
            case '7': return "w_za_so";
            case '9': return "w_za_ho";
            default: return nullptr;
        }
    }

    void add_day_off(const prac& w, const ms_& m, const wolne_& off) {
        int list = list_of_kind(off.symbol);
        if (list < 0) return;
        int g = plan.groupIndexById(off.groupId);
        int from = off.firstIndex;
        int to = std::min(days - 1, from + int(off.dayTo) - int(off.dayFrom));
        if (from < 0 || from >= days || to < from) return;
        bool worked = false, allStandard = true;
        long long sum = 0;
        for (int k = from; k <= to; ++k)
            for (const dyzur& duty : m.duties[k]) {
                worked = true;
                sum += duty.length;
                if (duty.length != plan.dyz8) allStandard = false;
            }
        int n = ile_roboczych(plan, from, to);
        bool standardFill = n != 0 && allStandard && double(sum) / n == double(plan.dyz8);
        const char* cls = class_of_kind(off.symbol);
        const std::string nick = nick_of(w);
        if (worked && !standardFill) {
            for (int k = from; k <= to; ++k) {
                kty* who = record(g, k);
                if (!who) continue;
                for (const dyzur& duty : m.duties[k]) {
                    if (duty.dutyAs != 1) continue;
                    std::string note;
                    if (off.customNorm)
                        note = "<span class=maly>" + min2h(off.customNormMinutes, "htm", false, false) +
                               "</span><br>";
                    else if (duty.length != plan.dyz12)
                        note = small_span(duty.start, duty.length);
                    std::string br = note.empty() ? "" : "<br>";
                    if (cls)
                        who->lists[list] += note + "<span class=" + cls + ">" + nick + "</span>," + br;
                    else
                        who->lists[list] += note + "<b>" + nick + "</b>," + br;
                }
            }
            return;
        }
        for (int k = from; k <= to; ++k) {
            const day& dd = plan.days[k];
            bool weekday = dd.dayOfWeek >= 2 && dd.dayOfWeek <= 6;
            bool saturdayFor5 = off.symbol == '5' && dd.dayOfWeek == 7;
            if (dd.holiday != 0 || !(weekday || saturdayFor5)) continue;
            kty* who = record(g, k);
            if (!who) continue;
            if (cls)
                who->lists[list] += std::string("<span class=") + cls + ">" + nick + "</span>, ";
            else
                who->lists[list] += nick + ", ";
        }
    }
};

void finish_record(kty& who) {
    std::string all;
    for (const std::string& s : who.shifts) all += s;
    all += who.lists[kKtoStandard] + who.lists[kKtoTopUp] + who.lists[kKtoOther];
    who.lists[kKtoAllDuties] = all;
    who.lists[kKtoAllDaysOff] =
        who.lists[kKtoLeave] + who.lists[kKtoOtherDaysOff] + who.lists[kKtoSick] + who.lists[kKtoDaysOff];
    for (std::string& s : who.lists) tidy_kto(s);
    for (std::string& s : who.shifts) tidy_kto(s);
}

std::vector<duty8_row> build_duty8_table(std::vector<std::string> keys, int days) {
    std::sort(keys.begin(), keys.end());
    std::vector<duty8_row> rows;
    for (const std::string& key : keys) {
        int start = std::stoi(key.substr(0, 4));
        int d = std::stoi(key.substr(4, 2)) - 1;
        auto it = std::find_if(rows.begin(), rows.end(), [&](const duty8_row& r) { return r.start == start; });
        if (it == rows.end()) {
            rows.push_back({start, std::vector<std::string>(days)});
            it = rows.end() - 1;
        }
        if (d >= 0 && d < days) it->cells[d] += key.substr(6) + kSeparator;
    }
    for (duty8_row& r : rows)
        for (std::string& c : r.cells) {
            while (!c.empty() && (c.back() == kSeparator || c.back() == ' ')) c.pop_back();
            std::string out;
            for (char ch : c) out += ch == kSeparator ? std::string(", ") : std::string(1, ch);
            c = trim(out);
        }
    return rows;
}

}  // namespace

std::vector<int> listed_workers(const Plan& plan) {
    std::vector<int> out;
    for (const listed_worker& e : plan.listed)
        if (e.worker >= 0 && e.worker < int(plan.workers.size())) out.push_back(e.worker);
    if (plan.listed.empty())
        for (int i = 0; i < int(plan.workers.size()); ++i) out.push_back(i);
    return out;
}

std::vector<duty8_row> przygotuj_rozklad(Plan& plan, bool includeOtherGroups, bool html) {
    const int days = int(std::min<size_t>(plan.days.size(), kMaxDays));
    for (int d = 0; d < int(plan.days.size()); ++d) {
        day& dd = plan.days[d];
        czysc_kto(plan.group(), dd.who);
        dd.who.lists[kKtoAllDaysOff].clear();
        dd.whoList.assign(plan.groups.size(), kty{});
        for (size_t g = 0; g < plan.groups.size(); ++g) czysc_kto(&plan.groups[g], dd.whoList[g]);
    }
    fragment_builder b{plan, includeOtherGroups, html, days, {}};
    const grupa* current = plan.group();
    for (int wi : listed_workers(plan)) {
        const prac& w = plan.workers[wi];
        if (!includeOtherGroups && (!current || !w.inGroup(current->id))) continue;
        const ms_* m = worker_period_month(plan, wi, plan.currentMonth);
        if (!m) continue;
        for (int d = 0; d < days; ++d) {
            if (day_off_hides_duties(*m, d)) continue;
            for (const dyzur& duty : m->duties[d])
                if (duty_kind_ticked(plan, duty)) b.add_duty(w, duty, d);
        }
        for (int d = 0; d < days; ++d) {
            const wolne_& off = m->daysOff[d];
            if (!off.used()) continue;
            b.add_day_off(w, *m, off);
        }
    }
    for (day& dd : plan.days) {
        for (kty& who : dd.whoList) finish_record(who);
        finish_record(dd.who);
    }
    return build_duty8_table(b.keys, days);
}

}  // namespace planek
