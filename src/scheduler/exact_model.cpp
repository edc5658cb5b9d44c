// The exact model of the month, solved by CBC.
#include "scheduler/exact_model.h"

#ifdef PLANEK_CBC
#include <coin/Cbc_C_Interface.h>
#endif

#include <algorithm>
#include <cmath>
#include <vector>

#include "scheduler/search_cost.h"
#include "scheduler/search_engine.h"

namespace planek::sched {

#ifndef PLANEK_CBC

bool exact_available() { return false; }
exact_result solve_exact(search_model&, double) { return {}; }

#else

bool exact_available() { return true; }

namespace {

constexpr int kDay = 1440;

struct interval {
    long from, to;  // model minutes
};

// The program as it is built: columns with their costs, rows, and the
// start the solver begins from.
class program {
public:
    program() : model_(Cbc_newModel()) {}
    ~program() { Cbc_deleteModel(model_); }
    program(const program&) = delete;
    program& operator=(const program&) = delete;

    int column(double cost, double upper, bool integer, double start = 0) {
        Cbc_addCol(model_, "", 0.0, upper, cost, integer ? 1 : 0, 0, nullptr, nullptr);
        starts_.push_back(start);
        return columns_++;
    }
    // sum(coef * col) sense rhs, sense 'L', 'G' or 'E'.
    void row(const std::vector<int>& cols, const std::vector<double>& coefs, char sense, double rhs) {
        Cbc_addRow(model_, "", int(cols.size()), cols.data(), coefs.data(), sense, rhs);
    }
    void start(int col, double value) { starts_[size_t(col)] = value; }
    Cbc_Model* get() { return model_; }
    const std::vector<double>& starts() const { return starts_; }

private:
    Cbc_Model* model_;
    int columns_ = 0;
    std::vector<double> starts_;
};

// The cost of one duty against the worker's leanings, as the search has it.
double leaning_cost(const search_model& m, const search_worker& w, int d, int s) {
    double cost = 0;
    const bool night = m.shifts[size_t(s)].night, holiday = m.workedHoliday(d);
    if (night ? w.leanDayNight < 3 : w.leanDayNight > 3) cost += double(m.weights.leaning) * std::abs(3 - w.leanDayNight);
    if (holiday ? w.leanHoliday < 3 : w.leanHoliday > 3) cost += double(m.weights.leaning) * std::abs(3 - w.leanHoliday);
    return cost;
}

class exact_builder {
public:
    exact_builder(search_model& m, program& p) : m_(m), p_(p) {
        x_.assign(m.workers.size(), std::vector<std::vector<int>>(size_t(m.days), std::vector<int>(m.shifts.size(), -1)));
    }

    void build() {
        for (size_t w = 0; w < m_.workers.size(); ++w) worker_columns(int(w));
        for (size_t w = 0; w < m_.workers.size(); ++w) worker_rules(int(w));
        for (int d = 0; d < m_.days; ++d)
            for (int s = 0; s < int(m_.shifts.size()); ++s) cell(d, s);
    }

    double offset() const { return offset_; }
    int x(int w, int d, int s) const { return x_[size_t(w)][size_t(d)][size_t(s)]; }

private:
    search_model& m_;
    program& p_;
    std::vector<std::vector<std::vector<int>>> x_;
    double offset_ = 0;  // costs no roster can change

    interval duty_at(int d, int s) const {
        const long base = long(d + kSearchPad) * kDay + m_.shifts[size_t(s)].start;
        return {base, base + m_.shifts[size_t(s)].length};
    }
    std::vector<interval> kept_of(const search_worker& w) const {
        std::vector<interval> out;
        for (int md = 0; md < m_.modelDays(); ++md)
            for (const timed_duty& t : w.kept[size_t(md)]) out.push_back({long(md) * kDay + t.start, long(md) * kDay + t.end});
        return out;
    }
    // Two duties in either order leave less rest than the rule asks.
    bool too_close(const interval& a, const interval& b) const {
        if (!m_.rules.DutyNexttoDuty) return a.from < b.to && b.from < a.to;
        const interval& first = a.from <= b.from ? a : b;
        const interval& second = a.from <= b.from ? b : a;
        return second.from - first.to < m_.rules.vDutyNexttoDuty;
    }
    bool kept_night(const search_worker& w, int md) const {
        if (md < 0 || md >= m_.modelDays()) return false;
        const auto& list = w.kept[size_t(md)];
        return std::any_of(list.begin(), list.end(),
                           [&](const timed_duty& t) { return night_duty_at(m_, t.start, t.end - t.start); });
    }

    void worker_columns(int wi) {
        search_worker& w = m_.workers[size_t(wi)];
        const std::vector<interval> kept = kept_of(w);
        for (int d = 0; d < m_.days; ++d) {
            const wish& wish = w.wishes[size_t(d)];
            const double wishCost = double(m_.weights.wish) * wish.weight;
            if (wish.used() && !w.open[size_t(d)] && !wish_granted(wish, shift_on(w, d))) offset_ += wishCost;
            if (wish.used() && w.open[size_t(d)] && wish.kind == wish_kind::Shift) offset_ += wishCost;
            if (!w.open[size_t(d)]) continue;
            for (int s = 0; s < int(m_.shifts.size()); ++s) {
                const interval at = duty_at(d, s);
                const bool clash = std::any_of(kept.begin(), kept.end(), [&](const interval& k) { return too_close(at, k); });
                const bool night = m_.shifts[size_t(s)].night && m_.rules.Nights2;
                if (clash || (night && (kept_night(w, d + kSearchPad - 1) || kept_night(w, d + kSearchPad + 1)))) continue;
                double cost = leaning_cost(m_, w, d, s);
                if (wish.used()) {
                    if (wish.kind == wish_kind::DayOff || (wish.kind == wish_kind::NotShift && wish.shift == s + 1))
                        cost += wishCost;
                    if (wish.kind == wish_kind::Shift && wish.shift == s + 1) cost -= wishCost;
                }
                const bool now = w.shift[size_t(d)] == s + 1 && w.length[size_t(d)] >= m_.shiftMinutes(s);
                x_[size_t(wi)][size_t(d)][size_t(s)] = p_.column(cost, 1, true, now ? 1 : 0);
            }
        }
    }

    void worker_rules(int wi) {
        const search_worker& w = m_.workers[size_t(wi)];
        std::vector<int> all;
        std::vector<double> minutes;
        struct candidate {
            int col;
            interval at;
            int day;
            bool night;
        };
        std::vector<candidate> list;
        for (int d = 0; d < m_.days; ++d) {
            std::vector<int> day;
            for (int s = 0; s < int(m_.shifts.size()); ++s)
                if (const int c = x(wi, d, s); c >= 0) {
                    day.push_back(c);
                    all.push_back(c);
                    minutes.push_back(m_.shiftMinutes(s));
                    list.push_back({c, duty_at(d, s), d, m_.shifts[size_t(s)].night});
                }
            if (day.size() > 1) p_.row(day, std::vector<double>(day.size(), 1.0), 'L', 1);
        }
        // Rest between duties, and nights on two days in a row.
        for (size_t i = 0; i < list.size(); ++i)
            for (size_t j = i + 1; j < list.size(); ++j) {
                const candidate &a = list[i], &b = list[j];
                if (a.day == b.day || b.day - a.day > 5) continue;
                const bool nights = m_.rules.Nights2 && a.night && b.night && b.day - a.day == 1;
                if (nights || too_close(a.at, b.at)) p_.row({a.col, b.col}, {1, 1}, 'L', 1);
            }
        // The norm: its room as a limit, the deviation as a cost, the
        // shortfall past the allowance as a finding.
        if (!all.empty()) p_.row(all, minutes, 'L', double(std::max<std::int64_t>(w.room, 0)));
        const int over = p_.column(double(m_.weights.normMinute), 1e7, false);
        const int under = p_.column(double(m_.weights.normMinute), 1e7, false);
        {
            std::vector<int> cols = all;
            std::vector<double> coefs = minutes;
            cols.push_back(over);
            coefs.push_back(-1);
            cols.push_back(under);
            coefs.push_back(1);
            p_.row(cols, coefs, 'E', double(w.remaining));
        }
        const std::int64_t lack = w.periodShort - m_.rules.vLacksDuties;
        if (m_.rules.LacksDuties && lack > 0) {
            const int g = p_.column(double(m_.weights.finding), 1, true, 1);
            std::vector<int> cols = all;
            std::vector<double> coefs = minutes;
            cols.push_back(g);
            coefs.push_back(double(lack));
            p_.row(cols, coefs, 'G', double(lack));
        }
        if (m_.rules.WeekIntervalTooShort) week_rests(w, list.size(), [&](size_t i) { return list[i].col; },
                                                      [&](size_t i) { return list[i].at; });
    }

    // Each week keeps a rest of the rule's length: one of the windows that
    // start at the week's start or where a duty ends stays free.
    template <class Col, class At>
    void week_rests(const search_worker& w, size_t n, Col col, At at) {
        const long need = m_.rules.vWeekIntervalTooShort;
        const std::vector<interval> kept = kept_of(w);
        for (const auto& [first, last] : m_.weeks) {
            const long from = long(first) * kDay + m_.dayStart, to = long(last + 1) * kDay + m_.dayStart;
            const auto inside = [&](const interval& i) { return i.from >= long(first) * kDay && i.from < long(last + 1) * kDay; };
            std::vector<long> starts{from};
            for (const interval& k : kept)
                if (inside(k)) starts.push_back(k.to);
            for (size_t i = 0; i < n; ++i)
                if (inside(at(i))) starts.push_back(at(i).to);
            std::vector<int> windows;
            bool keptAlone = false;
            for (long s : starts) {
                if (s < from || s + need > to) continue;
                const auto overlaps = [&](const interval& i) { return inside(i) && i.from < s + need && s < i.to; };
                if (std::any_of(kept.begin(), kept.end(), overlaps)) continue;
                keptAlone = true;
                const int z = p_.column(0, 1, true);
                windows.push_back(z);
                for (size_t i = 0; i < n; ++i)
                    if (overlaps(at(i))) p_.row({col(i), z}, {1, 1}, 'L', 1);
            }
            // A week the kept duties already leave without the rest is no
            // rule the roster can keep.
            if (!keptAlone) continue;
            p_.row(windows, std::vector<double>(windows.size(), 1.0), 'G', 1);
        }
    }

    // Threshold of proposals for a percent figure: the fewest that bring it
    // to at least `percent` (lower rule) or the most that keep it at most
    // `percent` (upper rule).
    long percent_of(int keptMinutes, int n, int length, int need) const {
        return long(std::nearbyint(double(keptMinutes + n * length) / double(length) / double(need) * 100.0));
    }

    void cell(int d, int s) {
        const int need = m_.need[size_t(d)][size_t(s)];
        const int keptCount = m_.count[size_t(d)][size_t(s)] - planned(d, s);
        const int keptMinutes = m_.minutes[size_t(d)][size_t(s)] - planned_minutes(d, s);
        const int keptWhole = m_.whole[size_t(d)][size_t(s)] - planned_whole(d, s);
        const int length = m_.shiftMinutes(s);
        const warnings_options& r = m_.rules;
        std::vector<int> cols;
        for (size_t w = 0; w < m_.workers.size(); ++w)
            if (const int c = x(int(w), d, s); c >= 0) cols.push_back(c);
        const int most = int(cols.size());
        const auto with = [&](std::vector<int> extra, std::vector<double> coefs, char sense, double rhs) {
            std::vector<int> all = cols;
            std::vector<double> k(cols.size(), 1.0);
            all.insert(all.end(), extra.begin(), extra.end());
            k.insert(k.end(), coefs.begin(), coefs.end());
            p_.row(all, k, sense, rhs);
        };
        // Shortfall in minutes: sum(x) * length + short >= needed - kept.
        const double needed = double(need) * length - keptMinutes;
        if (needed > 0) {
            const int shortfall = p_.column(double(m_.weights.shortMinute), needed, false);
            std::vector<int> all = cols;
            std::vector<double> k(cols.size(), double(length));
            all.push_back(shortfall);
            k.push_back(1);
            p_.row(all, k, 'G', needed);
        }
        const double findingShort = double(m_.weights.shortFinding), finding = double(m_.weights.finding);
        // Fewer than need - v + 1 people: a finding of rule c.
        if (r.StaffLess) {
            const int limit = need - std::max(1, r.vStaffLess) + 1 - keptCount;
            if (limit > 0) with({p_.column(findingShort, 1, true)}, {double(limit)}, 'G', limit);
        }
        if (need > 0 && length > 0 && r.StaffLessPercent) {
            int t = 0;
            while (t <= most && percent_of(keptMinutes, t, length, need) < r.vStaffLessPercent) ++t;
            if (t > 0) with({p_.column(findingShort, 1, true)}, {double(t)}, 'G', t);
        }
        if (r.DiscontinuosStaff && need > 0 && keptWhole == 0) with({p_.column(findingShort, 1, true)}, {1}, 'G', 1);
        // Above the need: the growing size term and the findings of rule c
        // and of the upper percent rule.
        const int room = keptCount + most - need;
        if (room <= 0) return;
        const int over = p_.column(0, room, false);
        with({over}, {-1}, 'L', need - keptCount);
        const int squared = p_.column(double(m_.weights.overMinute) * length, 1e9, false);
        for (int k = 1; k <= std::min(room, 12); ++k) p_.row({squared, over}, {1, -double(2 * k - 1)}, 'G', -double(k) * (k - 1));
        if (r.StaffBigger) {
            const int allowed = need + std::max(1, r.vStaffBigger) - 1 - keptCount;
            if (most > allowed) with({p_.column(finding, 1, true)}, {-double(most - std::max(allowed, 0))}, 'L', std::max(allowed, 0));
        }
        if (need > 0 && length > 0 && r.StaffBiggerPercent) {
            int t = most;
            while (t >= 0 && percent_of(keptMinutes, t, length, need) > r.vStaffBiggerPercent) --t;
            if (t < most) with({p_.column(finding, 1, true)}, {-double(most - std::max(t, 0))}, 'L', std::max(t, 0));
        }
    }

    // What the model's counts hold of its proposals.
    int planned(int d, int s) const {
        int n = 0;
        for (const search_worker& w : m_.workers) n += w.shift[size_t(d)] == s + 1;
        return n;
    }
    int planned_minutes(int d, int s) const {
        int n = 0;
        for (const search_worker& w : m_.workers)
            if (w.shift[size_t(d)] == s + 1) n += w.length[size_t(d)];
        return n;
    }
    int planned_whole(int d, int s) const {
        int n = 0;
        for (const search_worker& w : m_.workers)
            n += w.shift[size_t(d)] == s + 1 && w.length[size_t(d)] >= m_.shiftMinutes(s);
        return n;
    }
};

void take_out_proposals(search_model& m) {
    for (search_worker& w : m.workers)
        for (int d = 0; d < m.days; ++d) {
            if (w.off[size_t(d)] != 0) --m.offs[size_t(d)];
            const int s = w.shift[size_t(d)];
            if (s <= 0) continue;
            const size_t c = size_t(s - 1);
            --m.count[size_t(d)][c];
            m.minutes[size_t(d)][c] -= w.length[size_t(d)];
            if (w.length[size_t(d)] >= m.shiftMinutes(s - 1)) --m.whole[size_t(d)][c];
        }
}

}  // namespace

exact_result solve_exact(search_model& m, double seconds) {
    exact_result r;
    program p;
    exact_builder b(m, p);
    b.build();
    Cbc_Model* cbc = p.get();
    Cbc_setLogLevel(cbc, 0);
    Cbc_setMaximumSeconds(cbc, seconds);
    Cbc_setParameter(cbc, "threads", "1");
    std::vector<int> index(p.starts().size());
    for (size_t i = 0; i < index.size(); ++i) index[i] = int(i);
    Cbc_setMIPStartI(cbc, int(index.size()), index.data(), p.starts().data());
    Cbc_solve(cbc);
    const double* solution = Cbc_getColSolution(cbc);
    r.bound = Cbc_getBestPossibleObjValue(cbc) + b.offset();
    r.optimal = Cbc_isProvenOptimal(cbc) != 0;
    if (!solution || Cbc_numberSavedSolutions(cbc) <= 0) {
        r.bound = std::max(r.bound, 0.0);
        return r;
    }
    // The cells count the roster the model held besides the kept duties;
    // the solver's roster is counted in afresh when it is judged, so the
    // old one leaves the counts first.
    take_out_proposals(m);
    for (size_t w = 0; w < m.workers.size(); ++w) {
        search_worker& sw = m.workers[w];
        for (int d = 0; d < m.days; ++d) {
            sw.shift[size_t(d)] = 0;
            sw.length[size_t(d)] = 0;
            sw.off[size_t(d)] = 0;
            for (int s = 0; s < int(m.shifts.size()); ++s)
                if (const int c = b.x(int(w), d, s); c >= 0 && solution[c] > 0.5) {
                    sw.shift[size_t(d)] = s + 1;
                    sw.length[size_t(d)] = m.shiftMinutes(s);
                }
        }
    }
    r.solved = true;
    for (const search_worker& w : m.workers) r.breaches += count_breaches(m, w).total() > w.hardBase ? 1 : 0;
    r.cost = complete_roster(m);
    r.bound = std::max(r.bound, 0.0);
    return r;
}

#endif

}  // namespace planek::sched
