#include "store/ward_refresh.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "core/text.h"

namespace planek::store {

namespace {

// Everything stamped after `$2` in one statement: one round trip, and one
// snapshot, so the clock it gives is the count of exactly the saves it saw.
// Each row is its kind and up to seven fields.
const char* const kChangedSince =
    "SELECT 'clock', n::text, NULL::text, NULL::text, NULL::text, NULL::text, NULL::text, NULL::text "
    "FROM store_clock WHERE id = 1 "
    "UNION ALL SELECT 'duty', position::text, record, version::text, worker_id::text, NULL, NULL, NULL "
    "FROM duties WHERE month_id = $1 AND changed > $2 "
    "UNION ALL SELECT 'dayoff', position::text, record, version::text, worker_id::text, NULL, NULL, NULL "
    "FROM days_off WHERE month_id = $1 AND changed > $2 "
    "UNION ALL SELECT 'parameter', position::text, value, version::text, NULL, section, key, NULL "
    "FROM day_parameters WHERE month_id = $1 AND changed > $2 "
    "UNION ALL SELECT 'removed', position::text, tbl, NULL, NULL, section, NULL, NULL "
    "FROM removed_rows WHERE n > $2 AND (month_id = $1 OR month_id IS NULL) "
    "UNION ALL SELECT 'line', position::text, line, NULL, NULL, NULL, NULL, NULL FROM month_lines "
    "WHERE month_id = $1 AND changed > $2 "
    "UNION ALL SELECT 'worker', w.id::text, w.record, w.version::text, b.holiday_current::text, "
    "b.holiday_previous::text, b.care_days::text, b.reha_days::text "
    "FROM workers w LEFT JOIN balances b ON b.worker_id = w.id "
    "WHERE w.id IN (SELECT id FROM workers WHERE changed > $2 UNION SELECT worker_id FROM balances WHERE changed > $2) "
    "UNION ALL SELECT 'sunday', worker_id::text, year::text, sundays, NULL, NULL, NULL, NULL "
    "FROM worked_sundays WHERE changed > $2 "
    "UNION ALL SELECT 'ward', NULL, NULL, NULL, NULL, NULL, NULL, NULL "
    "WHERE EXISTS (SELECT 1 FROM groups WHERE changed > $2) OR EXISTS (SELECT 1 FROM shifts WHERE changed > $2) "
    "OR EXISTS (SELECT 1 FROM months WHERE id = $1 AND changed > $2 AND sealed IS DISTINCT FROM $3)";

int as_int(const pg_rows& r, size_t row, size_t column) { return int(r.number(row, column)); }

// The rows of one table by their keys, the changed put over the held.
void put_rows(std::vector<month_row>& held, const std::vector<month_row>& changed,
              const std::vector<std::pair<std::string, int>>& removed) {
    auto key = [](const month_row& r) { return std::make_pair(r.section, r.position); };
    std::map<std::pair<std::string, int>, size_t> at;
    for (size_t i = 0; i < held.size(); ++i) at[key(held[i])] = i;
    std::vector<bool> gone(held.size(), false);
    // The removals first: a key removed and then taken again by a new row is that row's.
    for (const auto& k : removed)
        if (auto it = at.find(k); it != at.end()) gone[it->second] = true;
    for (const month_row& r : changed) {
        if (auto it = at.find(key(r)); it != at.end()) {
            held[it->second] = r;
            gone[it->second] = false;
        } else {
            at[key(r)] = held.size();
            held.push_back(r);
            gone.push_back(false);
        }
    }
    size_t kept = 0;
    for (size_t i = 0; i < held.size(); ++i)
        if (!gone[i]) {
            if (kept != i) held[kept] = std::move(held[i]);
            ++kept;
        }
    held.resize(kept);
}

// The workers' staff lines by id: where a changed worker's line is.
std::map<int, size_t> staff_places(const std::vector<std::string>& staff) {
    std::map<int, size_t> at;
    for (size_t i = 0; i < staff.size(); ++i) {
        const std::vector<std::string> f = split_fields(staff[i]);
        if (f.size() >= 2) at.emplace(std::atoi(f[1].c_str()), i);
    }
    return at;
}

result<refresh_outcome> read_again(pg_connection& db, ward_month& m) {
    result<ward_month> fresh = read_ward_month(db, m.read.year, m.read.month);
    if (!fresh) return fresh.error();
    m = std::move(*fresh);
    return refresh_outcome::ReadAgain;
}

}  // namespace

result<refresh_outcome> refresh_ward_month(pg_connection& db, ward_month& m) {
    const result<pg_rows> r =
        db.exec(kChangedSince, {std::to_string(m.read.id), std::to_string(m.clock), m.read.sealed ? "t" : "f"});
    if (!r) return r.error();
    long long clock = m.clock;
    std::vector<month_row> duties, daysOff, parameters;
    std::vector<std::pair<std::string, int>> dutiesGone, daysOffGone, parametersGone;
    std::vector<std::pair<double, std::string>> lines;
    std::vector<double> linesGone;
    std::vector<size_t> workers, sundays;
    for (size_t i = 0; i < r->rows.size(); ++i) {
        const std::string& kind = r->text(i, 0);
        if (kind == "clock") clock = r->number(i, 1);
        else if (kind == "duty") duties.push_back({as_int(*r, i, 1), r->text(i, 2), as_int(*r, i, 3), as_int(*r, i, 4), {}, {}});
        else if (kind == "dayoff") daysOff.push_back({as_int(*r, i, 1), r->text(i, 2), as_int(*r, i, 3), as_int(*r, i, 4), {}, {}});
        else if (kind == "parameter")
            parameters.push_back({as_int(*r, i, 1), r->text(i, 2), as_int(*r, i, 3), 0, r->text(i, 5), r->text(i, 6)});
        else if (kind == "removed") {
            const std::string& table = r->text(i, 2);
            if (table == "duties") dutiesGone.push_back({"", as_int(*r, i, 1)});
            else if (table == "days_off") daysOffGone.push_back({"", as_int(*r, i, 1)});
            else if (table == "day_parameters") parametersGone.push_back({r->text(i, 5), as_int(*r, i, 1)});
            else if (table == "month_lines") linesGone.push_back(stored_place(r->text(i, 1)));
            else return read_again(db, m);  // a year of worked Sundays gone: rare, and read whole
        } else if (kind == "line") lines.push_back({stored_place(r->text(i, 1)), r->text(i, 2)});
        else if (kind == "worker") workers.push_back(i);
        else if (kind == "sunday") sundays.push_back(i);
        else if (kind == "ward") return read_again(db, m);
    }
    if (clock == m.clock) return refresh_outcome::Unchanged;

    ward_month next = m;
    if (!workers.empty()) {
        const std::map<int, size_t> at = staff_places(next.files.staff);
        for (size_t i : workers) {
            const int id = as_int(*r, i, 1);
            const auto place = at.find(id);
            const auto held = next.workers.find(id);
            if (place == at.end() || held == next.workers.end()) return read_again(db, m);  // a worker new to the ward
            const bool hasBalances = r->rows[i][4].has_value();
            const balance_change b{id, r->number(i, 4), r->number(i, 5), r->number(i, 6), r->number(i, 7)};
            held->second = {as_int(*r, i, 3), r->text(i, 2), b};
            next.files.staff[place->second] = hasBalances ? with_balances(r->text(i, 2), b) : r->text(i, 2);
        }
    }
    for (size_t i : sundays) next.sundays.writeString(r->text(i, 1), r->text(i, 2), r->text(i, 3));
    put_rows(next.read.duties, duties, dutiesGone);
    put_rows(next.read.daysOff, daysOff, daysOffGone);
    put_rows(next.read.parameters, parameters, parametersGone);
    // As a fresh read orders them, so the month's lines come out the same.
    std::stable_sort(next.read.parameters.begin(), next.read.parameters.end(), [](const month_row& a, const month_row& b) {
        return std::tie(a.section, a.position) < std::tie(b.section, b.position);
    });
    if (!lines.empty() || !linesGone.empty()) {
        if (next.read.restPlaces.size() != next.read.rest.size()) return read_again(db, m);
        std::map<double, std::string> rest;
        for (size_t i = 0; i < next.read.rest.size(); ++i) rest.emplace(next.read.restPlaces[i], std::move(next.read.rest[i]));
        for (double at : linesGone) rest.erase(at);
        for (auto& [at, line] : lines) rest[at] = std::move(line);
        next.read.rest.clear();
        next.read.restPlaces.clear();
        for (auto& [at, line] : rest) next.read.rest.push_back(std::move(line)), next.read.restPlaces.push_back(at);
    }
    next.clock = clock;
    if (result<> made = render_month_bytes(next); !made) return made.error();
    m = std::move(next);
    return refresh_outcome::Refreshed;
}

}  // namespace planek::store
