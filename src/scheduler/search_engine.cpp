// Construction and late-acceptance search of the second algorithm.
#include "scheduler/search_engine.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

#include "core/seeded_random.h"
#include "scheduler/search_cost.h"

namespace planek::sched {

namespace {

constexpr int kTries = 8;          // random picks before a move gives up
constexpr int kHistory = 800;      // late-acceptance list length
constexpr std::int64_t kMinSteps = 150000;
constexpr std::int64_t kMaxSteps = 3000000;
constexpr std::int64_t kStepsPerWorker = 6000;

struct change {
    int worker, day, from, to;
};

class search {
public:
    search(search_model& m, std::uint64_t seed) : m_(m), rng_(seed) {
        shifts_ = int(m.shifts.size());
        cellCost_.assign(size_t(m.days * shifts_), 0);
        recount();
    }

    std::int64_t cost() const { return cost_; }

    // Greedy staffing, day by day and shift by shift, by whoever has the
    // most of the norm left.
    void construct() {
        std::vector<int> order(m_.workers.size());
        for (int d = 0; d < m_.days; ++d)
            for (int s = 0; s < shifts_; ++s) {
                for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
                std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                    return left(m_.workers[size_t(a)]) > left(m_.workers[size_t(b)]);
                });
                for (int w : order) {
                    if (m_.count[size_t(d)][size_t(s)] >= m_.need[size_t(d)][size_t(s)]) break;
                    const search_worker& sw = m_.workers[size_t(w)];
                    if (left(sw) <= 0 || !free_on(sw, d)) continue;
                    changes_ = {{w, d, 0, s + 1}};
                    if (!try_changes(true)) continue;
                }
            }
    }

    // One step: a random move, kept when it breaks no hard rule and late
    // acceptance takes it.
    void step(std::int64_t threshold) {
        threshold_ = threshold;
        if (!pick_move()) return;
        try_changes(false);
    }

    void snapshot(std::vector<std::vector<int>>& out) const {
        out.resize(m_.workers.size());
        for (size_t w = 0; w < m_.workers.size(); ++w) out[w] = m_.workers[w].shift;
    }

    void restore(const std::vector<std::vector<int>>& from) {
        for (size_t w = 0; w < m_.workers.size(); ++w) m_.workers[w].shift = from[w];
        recount();
    }

private:
    search_model& m_;
    seeded_random rng_;
    int shifts_ = 0;
    std::vector<std::int64_t> cellCost_;
    std::int64_t cost_ = 0;
    std::int64_t threshold_ = 0;
    std::vector<change> changes_;

    int left(const search_worker& w) const { return w.remaining - w.proposedMinutes; }
    bool free_on(const search_worker& w, int d) const { return w.open[size_t(d)] && w.shift[size_t(d)] == 0; }
    std::int64_t& cell(int d, int s) { return cellCost_[size_t(d * shifts_ + s)]; }

    // Counts, minutes, breaches and costs from the shifts alone.
    void recount() {
        for (int d = 0; d < m_.days; ++d)
            for (int s = 0; s < shifts_; ++s) m_.count[size_t(d)][size_t(s)] -= planned_in(d, s);
        // The counts held the kept duties plus any proposals; rebuild the
        // proposal part.
        for (search_worker& w : m_.workers) {
            w.proposedMinutes = 0;
            for (int d = 0; d < m_.days; ++d)
                if (const int s = w.shift[size_t(d)]; s > 0) {
                    w.proposedMinutes += m_.shifts[size_t(s - 1)].length;
                    ++m_.count[size_t(d)][size_t(s - 1)];
                }
        }
        plannedCounts_.assign(size_t(m_.days * shifts_), 0);
        for (const search_worker& w : m_.workers)
            for (int d = 0; d < m_.days; ++d)
                if (w.shift[size_t(d)] > 0) ++plannedCounts_[size_t(d * shifts_ + w.shift[size_t(d)] - 1)];
        cost_ = 0;
        for (search_worker& w : m_.workers) {
            w.hard = count_breaches(m_, w).total();
            w.cost = worker_cost(m_, w);
            cost_ += w.cost;
        }
        for (int d = 0; d < m_.days; ++d)
            for (int s = 0; s < shifts_; ++s) cost_ += (cell(d, s) = cell_cost(m_, d, s));
    }

    // Proposals the counts held when last rebuilt.
    std::vector<int> plannedCounts_;
    int planned_in(int d, int s) const {
        return plannedCounts_.empty() ? 0 : plannedCounts_[size_t(d * shifts_ + s)];
    }

    void set(const change& c, int value) {
        search_worker& w = m_.workers[size_t(c.worker)];
        const int old = w.shift[size_t(c.day)];
        if (old > 0) {
            w.proposedMinutes -= m_.shifts[size_t(old - 1)].length;
            --m_.count[size_t(c.day)][size_t(old - 1)];
            --plannedCounts_[size_t(c.day * shifts_ + old - 1)];
        }
        w.shift[size_t(c.day)] = value;
        if (value > 0) {
            w.proposedMinutes += m_.shifts[size_t(value - 1)].length;
            ++m_.count[size_t(c.day)][size_t(value - 1)];
            ++plannedCounts_[size_t(c.day * shifts_ + value - 1)];
        }
    }

    // Applies the pending changes; keeps them when no worker breaks a hard
    // rule it did not break before and the cost passes (always, when
    // building), else takes them back.
    bool try_changes(bool building) {
        struct saved_worker {
            int worker, hard;
            std::int64_t cost;
        };
        struct saved_cell {
            int day, shift;
            std::int64_t cost;
        };
        saved_worker workers[4];
        saved_cell cells[8];
        int nw = 0, nc = 0;
        const auto touch_worker = [&](int w) {
            for (int i = 0; i < nw; ++i)
                if (workers[i].worker == w) return;
            workers[nw++] = {w, m_.workers[size_t(w)].hard, m_.workers[size_t(w)].cost};
        };
        const auto touch_cell = [&](int d, int s) {
            if (s <= 0) return;
            for (int i = 0; i < nc; ++i)
                if (cells[i].day == d && cells[i].shift == s - 1) return;
            cells[nc++] = {d, s - 1, cell(d, s - 1)};
        };
        for (change& c : changes_) {
            c.from = m_.workers[size_t(c.worker)].shift[size_t(c.day)];
            touch_worker(c.worker);
            touch_cell(c.day, c.from);
            touch_cell(c.day, c.to);
            set(c, c.to);
        }
        bool hardOk = true;
        std::int64_t next = cost_;
        for (int i = 0; i < nw && hardOk; ++i) {
            search_worker& w = m_.workers[size_t(workers[i].worker)];
            w.hard = count_breaches(m_, w).total();
            hardOk = w.hard <= w.hardBase;
        }
        if (hardOk) {
            for (int i = 0; i < nw; ++i) {
                search_worker& w = m_.workers[size_t(workers[i].worker)];
                w.cost = worker_cost(m_, w);
                next += w.cost - workers[i].cost;
            }
            for (int i = 0; i < nc; ++i) {
                std::int64_t& c = cell(cells[i].day, cells[i].shift);
                c = cell_cost(m_, cells[i].day, cells[i].shift);
                next += c - cells[i].cost;
            }
        }
        if (hardOk && (building || next <= cost_ || next <= threshold_)) {
            cost_ = next;
            return true;
        }
        for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) set(*c, c->from);
        for (int i = 0; i < nw; ++i) {
            m_.workers[size_t(workers[i].worker)].hard = workers[i].hard;
            m_.workers[size_t(workers[i].worker)].cost = workers[i].cost;
        }
        for (int i = 0; i < nc; ++i) cell(cells[i].day, cells[i].shift) = cells[i].cost;
        return false;
    }

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

    // Adding favours the shifts still short, where most of the cost is.
    bool add_move() {
        int d = -1, s = 0;
        for (int t = 0; t < kTries; ++t) {
            d = rng_.below(m_.days);
            s = random_shift();
            if (m_.count[size_t(d)][size_t(s - 1)] < m_.need[size_t(d)][size_t(s - 1)]) break;
        }
        const int w = free_worker(d, -1);
        if (w < 0) return false;
        changes_ = {{w, d, 0, s}};
        return true;
    }
    bool remove_move() {
        const int w = random_worker();
        const int d = proposed_day(w);
        if (d < 0) return false;
        changes_ = {{w, d, 0, 0}};
        return true;
    }
    bool move_move() {
        const int w = random_worker();
        const int from = proposed_day(w), to = free_day(w);
        if (from < 0 || to < 0) return false;
        const int s = rng_.below(2) ? m_.workers[size_t(w)].shift[size_t(from)] : random_shift();
        changes_ = {{w, from, 0, 0}, {w, to, 0, s}};
        return true;
    }
    bool shift_move() {
        const int w = random_worker();
        const int d = proposed_day(w);
        if (d < 0 || shifts_ < 2) return false;
        const int s = random_shift();
        if (s == m_.workers[size_t(w)].shift[size_t(d)]) return false;
        changes_ = {{w, d, 0, s}};
        return true;
    }
    bool hand_over_move() {
        const int a = random_worker();
        const int d = proposed_day(a);
        if (d < 0) return false;
        const int b = free_worker(d, a);
        if (b < 0) return false;
        changes_ = {{a, d, 0, 0}, {b, d, 0, m_.workers[size_t(a)].shift[size_t(d)]}};
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
        changes_ = {{a, da, 0, 0}, {b, db, 0, 0}, {a, db, 0, wb.shift[size_t(db)]}, {b, da, 0, wa.shift[size_t(da)]}};
        return true;
    }

    bool pick_move() {
        if (m_.workers.empty() || shifts_ == 0 || m_.days == 0) return false;
        const int r = rng_.below(100);
        if (r < 25) return add_move();
        if (r < 35) return remove_move();
        if (r < 55) return move_move();
        if (r < 60) return shift_move();
        if (r < 80) return hand_over_move();
        return swap_move();
    }
};

}  // namespace

std::int64_t scaled_steps(const search_model& m) {
    return std::clamp<std::int64_t>(kStepsPerWorker * std::int64_t(m.workers.size()), kMinSteps, kMaxSteps);
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
        w.proposedMinutes = 0;
        w.hardBase = count_breaches(m, w).total();
    }
    search s(m, limits.seed);
    s.construct();
    const std::int64_t steps = limits.steps > 0 ? limits.steps : scaled_steps(m);
    // Stop early once a long stretch has brought nothing better.
    const std::int64_t idle = std::max<std::int64_t>(steps / 4, 20000);
    std::vector<std::int64_t> history(kHistory, s.cost());
    std::vector<std::vector<int>> best;
    s.snapshot(best);
    std::int64_t bestCost = s.cost(), lastBetter = 0;
    double lastTold = -1;  // the watcher hears at once, then every tenth of a second
    std::int64_t k = 0;
    for (; k < steps && bestCost > 0 && k - lastBetter < idle; ++k) {
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
        if (now > limits.seconds) {
            r.timedOut = true;
            break;
        }
        if (watch && now - lastTold >= 0.1) {
            lastTold = now;
            // The findings are counted on the best roster, then the search
            // goes on exactly where it was, so watching changes nothing.
            std::vector<std::vector<int>> current;
            s.snapshot(current);
            s.restore(best);
            const search_status status{k, steps, bestCost, model_findings(m)};
            s.restore(current);
            if (!watch(status)) {
                r.stopped = true;
                break;
            }
        }
    }
    s.restore(best);
    r.steps = k;
    r.cost = s.cost();
    r.findings = model_findings(m);
    return r;
}

}  // namespace planek::sched
