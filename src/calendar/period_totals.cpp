// Settlement-period totals and the overtime carried over between month files.
#include <algorithm>

#include "calendar/caption_format.h"
#include "calendar/duty_filter.h"
#include "calendar/holidays.h"
#include "calendar/summaries.h"
#include "core/ini_file.h"

namespace planek {

namespace {

period_totals month_share(const ms_& m) {
    period_totals t;
    const category_sum& c = m.sum.total[0];
    t.periodNorm = m.workerNorm;
    t.periodCreditedMinutes = m.sum.creditedMinutes;
    t.periodDutyMinutes = c.workedMinutes;
    t.dayMinutes = c.dayMinutes;
    t.nightMinutes = c.nightMinutes;
    t.holidayMinutes = c.holidayMinutes;
    t.overtime1 = c.overtime100 + c.extraOvertime100;
    t.overtime2 = c.overtime50 + c.extraOvertime50;
    t.medicalOvertime100 = c.medicalOvertime100;
    t.medicalOvertime50 = c.medicalOvertime50;
    for (int i = 0; i < kDayOffKindTotals; ++i) t.dayOffMinutes[i] = m.sum.dayOffMinutes[i];
    return t;
}

// The worker's share of every period month; the worker's period totals.
std::vector<period_totals> shares_of(const Plan& plan, prac& w) {
    std::vector<period_totals> shares(plan.months.size());
    w.sum.period = period_totals{};
    for (size_t m = 0; m < plan.months.size() && m < w.months.size(); ++m) {
        shares[m] = month_share(w.months[m]);
        w.sum.period.add(shares[m]);
    }
    return shares;
}

void add_shares(period_summary& p, const std::vector<period_totals>& shares, int sign) {
    for (size_t m = 0; m < shares.size() && m < p.months.size(); ++m) {
        p.months[m].add(shares[m], sign);
        p.all.add(shares[m], sign);
    }
}

void period_span(Plan& plan) {
    period_summary& p = plan.period;
    p.fromYear = p.fromMonth = p.fromDay = p.toYear = p.toMonth = p.toDay = 0;
    p.normMinutes = 0;
    p.longestMonth = -1;
    int most = -1;
    for (size_t i = 0; i < plan.months.size(); ++i) {
        const miesiac& m = plan.months[i];
        p.normMinutes += m.normMinutes;
        if (m.dayCount > most) {
            most = m.dayCount;
            p.longestMonth = int(i);
        }
        if (m.year == 0 || m.month == 0) continue;
        const int key = m.year * 12 + m.month;
        if (p.fromYear == 0 || key < p.fromYear * 12 + p.fromMonth) {
            p.fromYear = m.year;
            p.fromMonth = m.month;
            p.fromDay = 1;
        }
        if (p.toYear == 0 || key > p.toYear * 12 + p.toMonth) {
            p.toYear = m.year;
            p.toMonth = m.month;
            p.toDay = m.month <= 12 ? days_in_month(m.year, m.month) : m.dayCount;
        }
    }
}

}  // namespace

void odswiez_okres(Plan& plan, bool /*fromNorm*/, bool allGroups, int worker) {
    period_summary& p = plan.period;
    if (worker >= 0) {
        // One worker: replace only that worker's share of the month totals,
        // so the other workers' figures stay and the cost stays independent
        // of the ward's size.
        if (worker >= int(plan.workers.size())) return;
        prac& w = plan.workers[worker];
        if (p.months.size() != plan.months.size()) p.months.resize(plan.months.size());
        std::vector<period_totals> shares = shares_of(plan, w);
        if (w.sum.inPeriodTotals) {
            add_shares(p, w.sum.contributed, -1);
            add_shares(p, shares, +1);
            w.sum.contributed = std::move(shares);
        }
        period_span(plan);
        return;
    }
    p.months.assign(plan.months.size(), period_totals{});
    p.all = period_totals{};
    const grupa* g = plan.group();
    for (prac& w : plan.workers) {
        const bool counted = allGroups || (g && w.inGroup(g->id));
        w.sum.inPeriodTotals = counted;
        if (!counted) {
            w.sum.contributed.clear();
            continue;
        }
        w.sum.contributed = shares_of(plan, w);
        add_shares(p, w.sum.contributed, +1);
    }
    period_span(plan);
}

std::int32_t nadpracowanie_miesiaca(const Plan& plan, int worker, int periodMonth) {
    const ms_* m = worker_period_month(plan, worker, periodMonth);
    if (!m) return 0;
    return m->sum.total[0].workedMinutes + m->sum.creditedMinutes - m->workerNorm;
}

namespace {

smallint to_smallint(long long v) { return smallint(std::clamp<long long>(v, -32768, 32767)); }

void set_from_previous(Plan& plan, int worker, long long minutes) {
    ms_* m = worker_period_month(plan, worker, plan.currentMonth);
    if (!m) return;
    note_worker_edit(plan, worker);
    m->overtimeFromPrevious = to_smallint(minutes);
    m->overtimeTotal = to_smallint((long long)m->overtimeFromPrevious + m->overtimeManual);
}

void refresh_selected(Plan& plan) {
    if (plan.currentWorker >= 0) odswiez_pracownika(plan, plan.currentWorker, false, plan.currentMonth);
}

std::string show_workers_entry(const Plan& plan) {
    std::string text = plan.tr.tr("f_MainForm", "rg_ShowWorkers", "Pokaż: \rczłonków grupy\nwszystkich");
    const size_t cr = text.find('\r');
    if (cr != std::string::npos) text = text.substr(cr + 1);
    const int wanted = plan.showWorkers == ShowWorkers::All ? 1 : 0;
    size_t from = 0;
    for (int i = 0; i < wanted; ++i) {
        const size_t nl = text.find('\n', from);
        if (nl == std::string::npos) return "";
        from = nl + 1;
    }
    return text.substr(from, text.find('\n', from) - from);
}

}  // namespace

result<> nadpracowania_auto_wczytaj(Plan& plan, const std::filesystem::path& monthFile) {
    if (plan.listed.empty()) return refusal{};
    IniFile file;
    if (!file.load(monthFile, kMonthFileBound, &plan.tr)) return refused(refusal_kind::Io, file.error(), monthFile.string());
    for (const listed_worker& entry : plan.listed) {
        if (entry.worker < 0 || entry.worker >= int(plan.workers.size())) continue;
        const std::string key = std::to_string(plan.workers[entry.worker].id);
        set_from_previous(plan, entry.worker, file.readInt("auto_nadpracowania", key, 0));
    }
    const std::string format =
        plan.tr.msg("msg_OverTimeLoaded", "Wgrano nadpracowania pracowników: %s (%d osób).");
    refresh_selected(plan);
    return result<>().with(notice(format_caption(format, {show_workers_entry(plan), (long long)plan.listed.size()})));
}

void nadpracowania_auto_zeruj(Plan& plan) {
    if (plan.listed.empty()) return;
    for (const listed_worker& entry : plan.listed) set_from_previous(plan, entry.worker, 0);
    refresh_selected(plan);
}

}  // namespace planek
