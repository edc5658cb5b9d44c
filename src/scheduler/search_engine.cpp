// Construction, late-acceptance search and the breaking up of stalls of the
// second algorithm.
#include "scheduler/search_engine.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

#include "core/seeded_random.h"
#include "scheduler/search_cost.h"

namespace planek::sched {

namespace {

constexpr int kTries = 8;         // random picks before a move gives up
// Late-acceptance list length: with the short runs below, a longer list
// than the 800 a single run did best with lets each run wander further.
constexpr int kHistory = 2000;
constexpr std::int64_t kMinSteps = 20000;
// Steps without a better roster before the search starts again from the
// best one with part of it planned anew. Late acceptance still finds better
// rosters long after 40000 steps of nothing on wards of 15 to 30 workers a
// group; breaking off that soon cost 2-13 % on them.
constexpr std::int64_t kStall = 200000;
// Where a run ends depends much on its first steps: one seed's roster was
// 5 % dearer than its neighbour's. So the search first makes this many
// short runs from the construction, each a tenth of the budget, and only
// the best of them goes on for the rest; over three seeds of three wards
// that cost 3.5 % less on average than one run of the whole budget.
constexpr int kShortRuns = 3;
constexpr int kShortRunShare = 10;  // percent of the budget each

enum class field { Duty, Off };

struct change {
    int worker, day;
    field what;
    int to, toLength;  // Duty: shift and minutes; Off: the kind
    int from = 0, fromLength = 0;
};

struct roster {
    std::vector<std::vector<int>> shift, length;
    std::vector<std::vector<char>> off;
};

class search {
public:
    search(search_model& m, std::uint64_t seed) : m_(m), rng_(seed) {
        shifts_ = int(m.shifts.size());
        dayCost_.assign(size_t(m.days), 0);
        recount();
    }

    std::int64_t cost() const { return cost_; }

    // Greedy staffing, day by day and shift by shift, by whoever has the
    // most of the norm left; then the days off the worked holidays earn.
    void construct() {
        std::vector<int> order(m_.workers.size());
        for (int d = 0; d < m_.days; ++d)
            for (int s = 0; s < shifts_; ++s) {
                for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
                std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                    return left(m_.workers[size_t(a)]) > left(m_.workers[size_t(b)]);
                });
                for (int w : order) {
                    if (count(d, s) >= need(d, s)) break;
                    const search_worker& sw = m_.workers[size_t(w)];
                    if (left(sw) <= 0 || !free_on(sw, d)) continue;
                    changes_ = {duty(w, d, s + 1)};
                    try_changes(Accept::Always);
                }
            }
        for (int w = 0; w < int(m_.workers.size()); ++w) give_days_off(w);
    }

    // One step: a random move, kept when it breaks no hard rule and late
    // acceptance takes it.
    void step(std::int64_t threshold) {
        threshold_ = threshold;
        if (!pick_move()) return;
        try_changes(Accept::Late);
    }

    // Takes a stretch of days, or a few workers, out of the roster and
    // staffs the gap again, each shift with the one who costs least there.
    void perturb() {
        if (m_.workers.empty() || m_.days == 0 || shifts_ == 0) return;
        std::vector<int> who, when;
        if (rng_.chance(50)) {
            const int length = std::min(m_.days, rng_.between(3, 7));
            const int first = rng_.below(m_.days - length + 1);
            for (int d = first; d < first + length; ++d) when.push_back(d);
            for (int w = 0; w < int(m_.workers.size()); ++w) who.push_back(w);
        } else {
            const int n = std::min(int(m_.workers.size()), rng_.between(2, 4));
            while (int(who.size()) < n) {
                const int w = random_worker();
                if (std::find(who.begin(), who.end(), w) == who.end()) who.push_back(w);
            }
            for (int d = 0; d < m_.days; ++d) when.push_back(d);
        }
        for (int w : who)
            for (int d : when) {
                const search_worker& sw = m_.workers[size_t(w)];
                if (sw.shift[size_t(d)] > 0) {
                    changes_ = {duty(w, d, 0)};
                    try_changes(Accept::Always);
                }
            }
        repair(when);
        for (int w : who) give_days_off(w);
    }

    void snapshot(roster& out) const {
        out.shift.resize(m_.workers.size());
        out.length.resize(m_.workers.size());
        out.off.resize(m_.workers.size());
        for (size_t w = 0; w < m_.workers.size(); ++w) {
            out.shift[w] = m_.workers[w].shift;
            out.length[w] = m_.workers[w].length;
            out.off[w] = m_.workers[w].off;
        }
    }

    void restore(const roster& from) {
        for (size_t w = 0; w < m_.workers.size(); ++w) {
            m_.workers[w].shift = from.shift[w];
            m_.workers[w].length = from.length[w];
            m_.workers[w].off = from.off[w];
        }
        recount();
    }

private:
    enum class Accept { Always, Late, Better };

    search_model& m_;
    seeded_random rng_;
    int shifts_ = 0;
    std::vector<std::int64_t> dayCost_;
    std::int64_t cost_ = 0;
    std::int64_t threshold_ = 0;
    std::vector<change> changes_;
    // Proposals and days off the counts held when last rebuilt.
    std::vector<std::vector<int>> plannedCount_, plannedWhole_, plannedMinutes_;
    std::vector<int> plannedOffs_;

    int left(const search_worker& w) const { return w.remaining - w.proposedMinutes; }
    bool free_on(const search_worker& w, int d) const {
        return w.open[size_t(d)] && w.shift[size_t(d)] == 0 && w.off[size_t(d)] == 0;
    }
    bool off_free(const search_worker& w, int d) const {
        return w.offOpen[size_t(d)] && w.shift[size_t(d)] == 0 && w.off[size_t(d)] == 0;
    }
    int& count(int d, int s) { return m_.count[size_t(d)][size_t(s)]; }
    int need(int d, int s) const { return m_.need[size_t(d)][size_t(s)]; }
    bool wants_off(const search_worker& w, char kind) const {
        return kind == '1' ? w.wantsSundayOff : kind == '9' && w.wantsHolidayOff;
    }

    change duty(int w, int d, int shift, int length = 0) const {
        if (shift > 0 && length == 0) length = m_.shiftMinutes(shift - 1);
        return {w, d, field::Duty, shift, shift > 0 ? length : 0};
    }
    change day_off(int w, int d, char kind) const { return {w, d, field::Off, kind, 0}; }

    // Counts, minutes, breaches and costs from the proposals alone.
    void recount() {
        const auto each_cell = [&](auto&& fn) {
            for (int d = 0; d < m_.days; ++d)
                for (int s = 0; s < shifts_; ++s) fn(size_t(d), size_t(s));
        };
        if (!plannedCount_.empty()) {
            each_cell([&](size_t d, size_t s) {
                m_.count[d][s] -= plannedCount_[d][s];
                m_.whole[d][s] -= plannedWhole_[d][s];
                m_.minutes[d][s] -= plannedMinutes_[d][s];
            });
            for (int d = 0; d < m_.days; ++d) m_.offs[size_t(d)] -= plannedOffs_[size_t(d)];
        }
        plannedCount_.assign(size_t(m_.days), std::vector<int>(size_t(shifts_), 0));
        plannedWhole_ = plannedMinutes_ = plannedCount_;
        plannedOffs_.assign(size_t(m_.days), 0);
        for (search_worker& w : m_.workers) {
            w.proposedMinutes = 0;
            w.shortened = 0;
            for (int d = 0; d < m_.days; ++d) {
                if (w.off[size_t(d)] != 0) {
                    ++m_.offs[size_t(d)];
                    ++plannedOffs_[size_t(d)];
                }
                const int s = w.shift[size_t(d)];
                if (s == 0) continue;
                const int length = w.length[size_t(d)];
                w.proposedMinutes += length;
                const size_t c = size_t(s - 1);
                ++m_.count[size_t(d)][c];
                m_.minutes[size_t(d)][c] += length;
                ++plannedCount_[size_t(d)][c];
                plannedMinutes_[size_t(d)][c] += length;
                if (length < m_.shiftMinutes(s - 1)) {
                    ++w.shortened;
                } else {
                    ++m_.whole[size_t(d)][c];
                    ++plannedWhole_[size_t(d)][c];
                }
            }
        }
        cost_ = 0;
        for (search_worker& w : m_.workers) {
            w.hard = count_breaches(m_, w).total();
            w.cost = worker_cost(m_, w);
            cost_ += w.cost;
        }
        for (int d = 0; d < m_.days; ++d) cost_ += (dayCost_[size_t(d)] = day_cost(m_, d));
    }

    // Puts a value into the model, keeping the counts by the change alone.
    void put(const change& c, int value, int length) {
        search_worker& w = m_.workers[size_t(c.worker)];
        const size_t d = size_t(c.day);
        if (c.what == field::Off) {
            const int delta = (value != 0) - (w.off[d] != 0);
            m_.offs[d] += delta;
            plannedOffs_[d] += delta;
            w.off[d] = char(value);
            return;
        }
        const auto account = [&](int shift, int minutes, int sign) {
            if (shift <= 0) return;
            const size_t s = size_t(shift - 1);
            w.proposedMinutes += sign * minutes;
            m_.count[d][s] += sign;
            m_.minutes[d][s] += sign * minutes;
            plannedCount_[d][s] += sign;
            plannedMinutes_[d][s] += sign * minutes;
            if (minutes < m_.shiftMinutes(int(s))) {
                w.shortened += sign;
            } else {
                m_.whole[d][s] += sign;
                plannedWhole_[d][s] += sign;
            }
        };
        account(w.shift[d], w.length[d], -1);
        w.shift[d] = value;
        w.length[d] = value > 0 ? length : 0;
        account(w.shift[d], w.length[d], +1);
    }

    // Applies the pending changes; keeps them when no worker breaks a hard
    // rule it did not break before, no worker holds more than the one
    // shortened duty the residue allows, and the cost passes (always, when
    // building), else takes them back. The cost change is left in lastDelta_.
    std::int64_t lastDelta_ = 0;
    bool try_changes(Accept accept) {
        struct saved_worker {
            int worker, hard;
            std::int64_t cost;
            bool duties = false;  // a duty of hers changes, not only days off
        };
        struct saved_day {
            int day;
            std::int64_t cost;
        };
        saved_worker workers[4];
        saved_day days[8];
        int nw = 0, nd = 0;
        const auto touch_worker = [&](int w) {
            for (int i = 0; i < nw; ++i)
                if (workers[i].worker == w) return;
            workers[nw++] = {w, m_.workers[size_t(w)].hard, m_.workers[size_t(w)].cost};
        };
        const auto touch_day = [&](int d) {
            for (int i = 0; i < nd; ++i)
                if (days[i].day == d) return;
            days[nd++] = {d, dayCost_[size_t(d)]};
        };
        for (change& c : changes_) {
            const search_worker& w = m_.workers[size_t(c.worker)];
            if (c.what == field::Duty) {
                c.from = w.shift[size_t(c.day)];
                c.fromLength = w.length[size_t(c.day)];
            } else {
                c.from = w.off[size_t(c.day)];
            }
            touch_worker(c.worker);
            if (c.what == field::Duty)
                for (int i = 0; i < nw; ++i)
                    if (workers[i].worker == c.worker) workers[i].duties = true;
            touch_day(c.day);
            put(c, c.to, c.toLength);
        }
        bool ok = true;
        std::int64_t next = cost_;
        for (int i = 0; i < nw && ok; ++i) {
            search_worker& w = m_.workers[size_t(workers[i].worker)];
            ok = w.shortened <= (m_.residueNow ? 1 : 0);
            // Days off never break a hard rule: only her duties are counted.
            if (!ok || !workers[i].duties) continue;
            w.hard = count_breaches(m_, w, w.hardBase).total();
            ok = w.hard <= w.hardBase;
        }
        if (ok) {
            for (int i = 0; i < nw; ++i) {
                search_worker& w = m_.workers[size_t(workers[i].worker)];
                w.cost = worker_cost(m_, w);
                next += w.cost - workers[i].cost;
            }
            for (int i = 0; i < nd; ++i) {
                std::int64_t& c = dayCost_[size_t(days[i].day)];
                c = day_cost(m_, days[i].day);
                next += c - days[i].cost;
            }
        }
        lastDelta_ = next - cost_;
        const bool taken = accept == Accept::Always   ? true
                           : accept == Accept::Better ? next < cost_
                                                      : next <= cost_ || next <= threshold_;
        if (ok && taken) {
            cost_ = next;
            return true;
        }
        for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) put(*c, c->from, c->fromLength);
        for (int i = 0; i < nw; ++i) {
            m_.workers[size_t(workers[i].worker)].hard = workers[i].hard;
            m_.workers[size_t(workers[i].worker)].cost = workers[i].cost;
        }
        for (int i = 0; i < nd; ++i) dayCost_[size_t(days[i].day)] = days[i].cost;
        if (!ok) lastDelta_ = std::numeric_limits<std::int64_t>::max();
        return false;
    }

    // What the pending changes would cost, leaving the model as it was;
    // the largest number when they break a hard rule.
    std::int64_t trial() {
        const std::int64_t saved = threshold_;
        threshold_ = std::numeric_limits<std::int64_t>::min();
        // Never taken: every change is put back, only the delta stays.
        const std::vector<change> pending = changes_;
        std::int64_t delta = std::numeric_limits<std::int64_t>::max();
        if (try_changes(Accept::Always)) {
            delta = lastDelta_;
            for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) {
                c->to = c->from;
                c->toLength = c->fromLength;
            }
            std::reverse(changes_.begin(), changes_.end());
            try_changes(Accept::Always);
        }
        changes_ = pending;
        threshold_ = saved;
        return delta;
    }

    // Staffs the short shifts of these days, each place with the worker
    // whose duty there lowers the cost most among a sample of those free,
    // so a large ward's repair costs no more than a small one's.
    void repair(const std::vector<int>& when) {
        constexpr int kCandidates = 16;
        std::vector<int> sample;
        for (int d : when)
            for (int s = 0; s < shifts_; ++s)
                while (count(d, s) < need(d, s)) {
                    sample.clear();
                    if (int(m_.workers.size()) <= kCandidates) {
                        for (int w = 0; w < int(m_.workers.size()); ++w) sample.push_back(w);
                    } else {
                        for (int t = 0; t < 3 * kCandidates && int(sample.size()) < kCandidates; ++t) {
                            const int w = random_worker();
                            if (std::find(sample.begin(), sample.end(), w) == sample.end()) sample.push_back(w);
                        }
                    }
                    int best = -1;
                    std::int64_t bestDelta = 0;
                    for (int w : sample) {
                        if (!free_on(m_.workers[size_t(w)], d)) continue;
                        changes_ = {duty(w, d, s + 1)};
                        const std::int64_t delta = trial();
                        if (delta < bestDelta) {
                            bestDelta = delta;
                            best = w;
                        }
                    }
                    if (best < 0) break;
                    changes_ = {duty(best, d, s + 1)};
                    try_changes(Accept::Always);
                }
    }

public:
    // Each worked holiday of the worker without its day off gets one on the
    // free working day within reach where it costs least.
    void give_days_off(int w) {
        if (!m_.daysOffNow) return;
        for (int d = 0; d < m_.days; ++d) {
            const char kind = earned_day_off(m_, d);
            const search_worker& sw = m_.workers[size_t(w)];
            if (kind == 0 || !wants_off(sw, kind) || shift_on(sw, d) == 0) continue;
            if (match_days_off(m_, sw, kind).missing == 0) continue;
            int best = -1;
            std::int64_t bestDelta = 0;
            for (int o = std::max(0, d - kDayOffReach); o <= std::min(m_.days - 1, d + kDayOffReach); ++o) {
                if (!off_free(sw, o)) continue;
                changes_ = {day_off(w, o, kind)};
                const std::int64_t delta = trial();
                if (delta < bestDelta) {
                    bestDelta = delta;
                    best = o;
                }
            }
            if (best < 0) continue;
            changes_ = {day_off(w, best, kind)};
            try_changes(Accept::Always);
        }
    }

private:
    int random_worker() { return rng_.below(int(m_.workers.size())); }
    int random_shift() { return 1 + rng_.below(shifts_); }

    // A day of the worker with a proposal, or -1.
    int proposed_day(int w) {
        const search_worker& sw = m_.workers[size_t(w)];
        for (int t = 0; t < kTries; ++t) {
            const int d = rng_.below(m_.days);
            if (sw.shift[size_t(d)] > 0) return d;
        }
        return -1;
    }
    int free_day(int w) {
        const search_worker& sw = m_.workers[size_t(w)];
        for (int t = 0; t < kTries; ++t) {
            const int d = rng_.below(m_.days);
            if (free_on(sw, d)) return d;
        }
        return -1;
    }
    int free_worker(int d, int except) {
        for (int t = 0; t < kTries; ++t) {
            const int w = random_worker();
            if (w != except && free_on(m_.workers[size_t(w)], d)) return w;
        }
        return -1;
    }

    // A duty of a whole shift, or, where the residue is planned and the
    // worker has less than a shift left, one of the rest of her norm.
    change fitting_duty(int w, int d, int s) const {
        const search_worker& sw = m_.workers[size_t(w)];
        const int full = m_.shiftMinutes(s - 1);
        const int rest = left(sw);
        if (m_.residueNow && sw.shortened == 0 && rest >= m_.shortestDuty && rest < full) return duty(w, d, s, rest);
        return duty(w, d, s);
    }

    // A day off the duty just placed earns, on a free day within reach.
    void earn_day_off(int w, int d) {
        const char kind = earned_day_off(m_, d);
        const search_worker& sw = m_.workers[size_t(w)];
        if (!m_.daysOffNow || kind == 0 || !wants_off(sw, kind)) return;
        for (int t = 0; t < kTries; ++t) {
            const int o = d + rng_.between(-kDayOffReach, kDayOffReach);
            if (o < 0 || o >= m_.days || o == d || !off_free(sw, o)) continue;
            changes_.push_back(day_off(w, o, kind));
            return;
        }
    }

    // Adding favours the shifts still short, where most of the cost is.
    bool add_move() {
        int d = -1, s = 0;
        for (int t = 0; t < kTries; ++t) {
            d = rng_.below(m_.days);
            s = random_shift();
            if (count(d, s - 1) < need(d, s - 1)) break;
        }
        const int w = free_worker(d, -1);
        if (w < 0) return false;
        changes_ = {fitting_duty(w, d, s)};
        earn_day_off(w, d);
        return true;
    }
    bool remove_move() {
        const int w = random_worker();
        const int d = proposed_day(w);
        if (d < 0) return false;
        changes_ = {duty(w, d, 0)};
        return true;
    }
    bool move_move() {
        const int w = random_worker();
        const int from = proposed_day(w), to = free_day(w);
        if (from < 0 || to < 0) return false;
        const search_worker& sw = m_.workers[size_t(w)];
        const int s = rng_.below(2) ? sw.shift[size_t(from)] : random_shift();
        const bool whole = sw.length[size_t(from)] >= m_.shiftMinutes(sw.shift[size_t(from)] - 1);
        changes_ = {duty(w, from, 0), whole ? duty(w, to, s) : duty(w, to, s, std::min(sw.length[size_t(from)],
                                                                                     m_.shiftMinutes(s - 1)))};
        earn_day_off(w, to);
        return true;
    }
    bool shift_move() {
        const int w = random_worker();
        const int d = proposed_day(w);
        if (d < 0 || shifts_ < 2) return false;
        const int s = random_shift();
        if (s == m_.workers[size_t(w)].shift[size_t(d)]) return false;
        changes_ = {duty(w, d, s)};
        return true;
    }
    bool hand_over_move() {
        const int a = random_worker();
        const int d = proposed_day(a);
        if (d < 0) return false;
        const int b = free_worker(d, a);
        if (b < 0) return false;
        changes_ = {duty(a, d, 0), fitting_duty(b, d, m_.workers[size_t(a)].shift[size_t(d)])};
        earn_day_off(b, d);
        return true;
    }
    bool swap_move() {
        const int a = random_worker(), b = random_worker();
        if (a == b) return false;
        const int da = proposed_day(a), db = proposed_day(b);
        if (da < 0 || db < 0 || da == db) return false;
        const search_worker& wa = m_.workers[size_t(a)];
        const search_worker& wb = m_.workers[size_t(b)];
        if (!free_on(wa, db) || !free_on(wb, da)) return false;
        changes_ = {duty(a, da, 0), duty(b, db, 0), duty(a, db, wb.shift[size_t(db)]),
                    duty(b, da, wa.shift[size_t(da)])};
        return true;
    }
    // Two workers on duty the same day trade their shifts: the staffing
    // stays, while nights, leanings and rests between them change hands.
    bool trade_shifts_move() {
        if (shifts_ < 2) return false;
        const int a = random_worker();
        const int d = proposed_day(a);
        if (d < 0) return false;
        const search_worker& wa = m_.workers[size_t(a)];
        for (int t = 0; t < kTries; ++t) {
            const int b = random_worker();
            const search_worker& wb = m_.workers[size_t(b)];
            const int sa = wa.shift[size_t(d)], sb = wb.shift[size_t(d)];
            if (b == a || sb <= 0 || sb == sa) continue;
            if (wa.length[size_t(d)] < m_.shiftMinutes(sa - 1) ||
                wb.length[size_t(d)] < m_.shiftMinutes(sb - 1))
                continue;
            changes_ = {duty(a, d, sb), duty(b, d, sa)};
            return true;
        }
        return false;
    }
    // Shortens a duty to the rest of the norm, or gives a shortened one its
    // whole shift back.
    bool residue_move() {
        if (!m_.residueNow) return false;
        const int w = random_worker();
        const int d = proposed_day(w);
        if (d < 0) return false;
        const search_worker& sw = m_.workers[size_t(w)];
        const int s = sw.shift[size_t(d)], full = m_.shiftMinutes(s - 1), now = sw.length[size_t(d)];
        if (now < full) {
            changes_ = {duty(w, d, s)};
            return true;
        }
        const int length = now + left(sw);
        if (sw.shortened > 0 || length < m_.shortestDuty || length >= full) return false;
        changes_ = {duty(w, d, s, length)};
        return true;
    }
    // Places, moves or takes back a day off for holiday work.
    bool day_off_move() {
        if (!m_.daysOffNow) return false;
        const int w = random_worker();
        const search_worker& sw = m_.workers[size_t(w)];
        if (!sw.wantsSundayOff && !sw.wantsHolidayOff) return false;
        const int d = rng_.below(m_.days);
        if (sw.off[size_t(d)] != 0) {
            const int to = d + rng_.between(-kDayOffReach, kDayOffReach);
            changes_ = {day_off(w, d, 0)};
            if (to >= 0 && to < m_.days && to != d && off_free(sw, to) && rng_.chance(70))
                changes_.push_back(day_off(w, to, sw.off[size_t(d)]));
            return true;
        }
        const char kind = earned_day_off(m_, d);
        if (kind == 0 || !wants_off(sw, kind) || shift_on(sw, d) == 0) return false;
        changes_.clear();
        earn_day_off(w, d);
        return !changes_.empty();
    }

    bool pick_move() {
        if (m_.workers.empty() || shifts_ == 0 || m_.days == 0) return false;
        if (rng_.below(10) == 0) return trade_shifts_move();
        const int r = rng_.below(100);
        if (r < 22) return add_move();
        if (r < 32) return remove_move();
        if (r < 50) return move_move();
        if (r < 55) return shift_move();
        if (r < 73) return hand_over_move();
        if (r < 90) return swap_move();
        if (r < 95) return residue_move();
        return day_off_move();
    }
};

}  // namespace

std::int64_t complete_roster(search_model& m) {
    search s(m, 1);
    for (int w = 0; w < int(m.workers.size()); ++w) s.give_days_off(w);
    return s.cost();
}

std::int64_t budget_steps(double seconds) {
    return std::max<std::int64_t>(kMinSteps, std::int64_t(std::max(0.0, seconds) * double(kStepsPerSecond)));
}

int model_findings(const search_model& m) {
    int n = 0;
    for (const search_worker& w : m.workers) n += worker_findings(m, w);
    for (int d = 0; d < m.days; ++d)
        for (int s = 0; s < int(m.shifts.size()); ++s) n += cell_findings(m, d, s);
    return n;
}

search_result search_roster(search_model& m, const search_limits& limits, const search_watch& watch) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(clock::now() - start).count(); };
    search_result r;
    for (search_worker& w : m.workers) {
        std::fill(w.shift.begin(), w.shift.end(), 0);
        std::fill(w.length.begin(), w.length.end(), 0);
        std::fill(w.off.begin(), w.off.end(), 0);
        w.proposedMinutes = 0;
        w.shortened = 0;
        w.hardBase = count_breaches(m, w).total();
    }
    search s(m, limits.seed);
    roster empty;
    s.snapshot(empty);
    s.construct();
    const std::int64_t steps = limits.steps > 0 ? limits.steps : budget_steps(limits.seconds);
    const std::int64_t shortRun = steps * kShortRunShare / 100;
    // The clock only guards against a machine far slower than the budget
    // assumes, or one busy with much else; an ordinary run never meets it.
    const double deadline = std::max(2 * limits.seconds, limits.seconds + 10);
    std::vector<std::int64_t> history(kHistory, s.cost());
    // The best roster of the run going on, and the best of the short runs
    // ended before it.
    roster best, ended;
    s.snapshot(best);
    std::int64_t bestCost = s.cost(), endedCost = std::numeric_limits<std::int64_t>::max();
    std::int64_t lastBetter = 0, lastStart = 0;
    int run = 0;
    const auto keep_better = [&] {
        if (bestCost >= endedCost) return;
        endedCost = bestCost;
        ended = best;
    };
    double lastTold = -1;  // the watcher hears at once, then every tenth of a second
    std::int64_t k = 0;
    // A run ends early only when ten restarts, or a third of a long budget,
    // brought nothing better: a small ward settles long before that, while
    // on the large ones the better rosters came after long stretches of
    // nothing (ending after a third of the default budget cost up to 6 %).
    const std::int64_t idle = std::max<std::int64_t>(10 * kStall, steps / 3);
    for (; k < steps && bestCost > 0 && k - lastBetter < idle; ++k) {
        if (run < kShortRuns && k >= (run + 1) * shortRun) {
            keep_better();
            ++run;
            if (run < kShortRuns) {
                s.restore(empty);
                s.construct();
            } else {
                s.restore(ended);
            }
            bestCost = s.cost();
            s.snapshot(best);
            std::fill(history.begin(), history.end(), s.cost());
            lastBetter = lastStart = k;
        }
        if (k - std::max(lastBetter, lastStart) >= kStall) {
            s.restore(best);
            s.perturb();
            std::fill(history.begin(), history.end(), s.cost());
            lastStart = k;
        }
        std::int64_t& slot = history[size_t(k % kHistory)];
        s.step(slot);
        if (s.cost() < slot) slot = s.cost();
        if (s.cost() < bestCost) {
            bestCost = s.cost();
            lastBetter = k;
            s.snapshot(best);
        }
        if ((k & 1023) != 0) continue;
        const double now = elapsed();
        if (now > deadline) {
            r.timedOut = true;
            break;
        }
        if (watch && now - lastTold >= 0.1) {
            lastTold = now;
            // The findings are counted on the best roster so far, then the
            // search goes on exactly where it was, so watching changes nothing.
            roster current;
            s.snapshot(current);
            const bool earlier = endedCost < bestCost;
            s.restore(earlier ? ended : best);
            const search_status status{k, steps, std::min(bestCost, endedCost), model_findings(m)};
            s.restore(current);
            if (!watch(status)) {
                r.stopped = true;
                break;
            }
        }
    }
    keep_better();
    s.restore(ended);
    r.steps = k;
    r.cost = s.cost();
    r.findings = model_findings(m);
    return r;
}

}  // namespace planek::sched
