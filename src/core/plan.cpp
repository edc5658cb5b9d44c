#include "core/plan.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace planek {

// A whole "|"-closed entry of the list is the id; the lists are checked for
// every worker on every recount, so no text is built for it.
bool prac::inGroup(word g) const {
    if (g == 0) return false;
    char buf[8];
    const std::string_view id(buf, size_t(std::to_chars(buf, buf + sizeof buf, unsigned(g)).ptr - buf));
    const std::string_view list(groups);
    for (size_t start = 0;;) {
        const size_t bar = list.find('|', start);
        if (bar == std::string_view::npos) return false;
        if (list.substr(start, bar - start) == id) return true;
        start = bar + 1;
    }
}

const grupa* Plan::group() const {
    if (currentGroup < 0 || currentGroup >= int(groups.size())) return nullptr;
    return &groups[currentGroup];
}

grupa* Plan::group() {
    if (currentGroup < 0 || currentGroup >= int(groups.size())) return nullptr;
    return &groups[currentGroup];
}

int stored_roster::workerIndexById(word wid) const {
    for (size_t i = 0; i < workers.size(); ++i)
        if (workers[i].id == wid) return int(i);
    return -1;
}

int stored_roster::groupIndexById(word gid) const {
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i].id == gid) return int(i);
    return -1;
}

void stored_roster::rebuildWorkerIds() {
    workerIds.clear();
    for (const prac& w : workers) workerIds.push_back(std::to_string(w.id));
}

bool counts_toward_norm(const Plan& plan, int kindRow) {
    if (kindRow < 0 || kindRow >= int(plan.options.dayOffKinds.size())) return false;
    const day_off_kind& kind = plan.options.dayOffKinds[kindRow];
    if (kind.settable && kindRow < int(plan.dayOffNorms.size())) return plan.dayOffNorms[kindRow];
    return kind.countsTowardNorm();
}

word id(const Plan& plan, char kind, const std::string& request) {
    if (request != "max") return 0;
    unsigned highest = 0;
    if (kind == 'g') {
        for (const grupa& g : plan.groups) highest = std::max<unsigned>(highest, g.id);
    } else if (kind == 'k') {
        for (const prac& w : plan.workers) highest = std::max<unsigned>(highest, w.id);
        for (const dyzur& d : plan.orphanDuties) highest = std::max<unsigned>(highest, d.workerId);
        for (const wolne_& w : plan.orphanDaysOff) highest = std::max<unsigned>(highest, w.workerId);
        highest = std::max<unsigned>(highest, plan.highestOrphanWorkerId);
    } else {
        return 0;
    }
    return word(highest + 1);
}

void note_worker_edit(const Plan& plan, int worker) {
    if (plan.journal) plan.journal->workerTouched(plan, worker);
}

void note_month_replaced(const Plan& plan) {
    if (plan.journal) plan.journal->monthReplaced(plan);
}

void czysc_dyzury_i_wolne(Plan& plan) {
    note_month_replaced(plan);
    for (prac& w : plan.workers) {
        if (plan.currentMonth < 0 || plan.currentMonth >= int(w.months.size())) continue;
        ms_& m = w.months[plan.currentMonth];
        for (wolne_& slot : m.daysOff) {
            slot = wolne_{};
            slot.id = 0;
            slot.headIndex = kNoHead;
            slot.symbol = 0;
            slot.blocks = false;
        }
        for (auto& list : m.duties) list.clear();
        m.wishes = {};
    }
    plan.orphanDuties.clear();
    plan.orphanDaysOff.clear();
    plan.orphanWishes.clear();
}

void czysc_kto(const grupa* group, kty& who) {
    for (int i = 0; i < 8; ++i) who.lists[i].clear();
    who.shifts.assign(group ? group->shifts.size() : 0, std::string());
}

void tidy_kto(std::string& text) {
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    if (text.size() > 5 && text.compare(text.size() - 5, 2, ",<") == 0) {
        text.erase(text.size() - 5);
    } else if (!text.empty() && text.back() == ',') {
        text.pop_back();
    }
}

void usun_tymczasowych_pracownikow(Plan& plan) {
    const std::string mark = "\xC2\xA4";  // "¤"
    for (int i = int(plan.listed.size()) - 1; i >= 0; --i) {
        const std::string& t = plan.listed[i].text;
        bool temporary = plan.listed[i].outsider ||
                         (t.size() >= mark.size() && t.compare(t.size() - mark.size(), mark.size(), mark) == 0);
        if (temporary) plan.listed.erase(plan.listed.begin() + i);
    }
}

void odswiez_liste_prac_panel(Plan& plan) {
    plan.listed.clear();
    plan.rebuildWorkerIds();
    const grupa* g = plan.group();
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        const prac& p = plan.workers[w];
        if (p.old && !plan.showDeleted) continue;
        if (plan.showWorkers == ShowWorkers::Group && (!g || !p.inGroup(g->id))) continue;
        char head[16];
        std::snprintf(head, sizeof head, "%.4d=", int(w));
        plan.listed.push_back({int(w), head + p.surname + " " + p.firstName, false});
    }
}

int dall_from(const Plan& plan, int m) {
    int offset = 0;
    for (int i = 0; i < m && i < int(plan.months.size()); ++i) offset += plan.months[i].dayCount;
    return offset;
}

static bool shownByFilter(const Plan& plan, const dyzur& d) {
    if (d.dutyAs < 1 || d.dutyAs > 4) return true;
    return plan.dutyAsFilter[d.dutyAs - 1];
}

void odswiez_dall(Plan& plan, int m, bool init) {
    if (m < 0 || m >= int(plan.months.size())) return;
    plan.staffing.current = false;  // the month's duties may be new
    const int from = dall_from(plan, m);
    const int count = plan.months[m].dayCount;
    for (prac& w : plan.workers) {
        // No months at all: a worker a look at another ward did not read.
        if (w.months.empty()) continue;
        const size_t need = size_t(from + count);
        if (init || w.dayDuties.size() < need) {
            w.dayDuties.resize(std::max(need, w.dayDuties.size()));
            w.dayExcluded.resize(std::max(need, w.dayExcluded.size()));
        }
        if (m >= int(w.months.size())) continue;
        const ms_& ms = w.months[m];
        for (int d = 0; d < count && d < kMaxDays; ++d) {
            auto& list = w.dayDuties[from + d];
            list.clear();
            for (const dyzur& duty : ms.duties[d])
                if (shownByFilter(plan, duty)) list.push_back(duty);
            w.dayExcluded[from + d] = ms.daysOff[d].blocks;
        }
    }
}

void odswiez_dall2(Plan& plan, int m) {
    if (m < 0 || m >= int(plan.months.size())) return;
    const int count = plan.months[m].dayCount;
    const size_t lists = plan.months.size() + 1;
    for (const listed_worker& lw : plan.listed) {
        if (lw.worker < 0 || lw.worker >= int(plan.workers.size())) continue;
        prac& w = plan.workers[lw.worker];
        if (w.dutyLists.size() != lists) w.dutyLists.resize(lists);
        auto& list = w.dutyLists[m];
        list.clear();
        if (m < int(w.months.size())) {
            const ms_& ms = w.months[m];
            for (int d = 0; d < count && d < kMaxDays; ++d) {
                const wolne_& off = ms.daysOff[d];
                if (off.blocks && !off.customNorm) continue;
                std::vector<dyzur> dayList;
                for (const dyzur& duty : ms.duties[d])
                    if (shownByFilter(plan, duty)) dayList.push_back(duty);
                std::stable_sort(dayList.begin(), dayList.end(),
                                 [](const dyzur& a, const dyzur& b) { return a.start < b.start; });
                list.insert(list.end(), dayList.begin(), dayList.end());
            }
        }
        auto& all = w.dutyLists.back();
        all.clear();
        for (size_t i = 0; i + 1 < lists; ++i) all.insert(all.end(), w.dutyLists[i].begin(), w.dutyLists[i].end());
    }
}

}  // namespace planek
