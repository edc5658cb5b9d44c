#include "store/month_save.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "core/text.h"
#include "files/month_ini.h"
#include "files/staff_file.h"
#include "settings/message_format.h"
#include "store/history.h"
#include "store/planners.h"

namespace planek::store {

namespace {

std::string number(long long n) { return std::to_string(n); }

std::string json_text(const std::string& s) {
    std::string out = "\"";
    for (unsigned char ch : s) {
        if (ch == '"' || ch == '\\') out += '\\', out += char(ch);
        else if (ch < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
        } else out += char(ch);
    }
    return out + "\"";
}

std::string json_list(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + json_text(items[i]);
    return out + "]";
}

refusal changed_meanwhile(const pg_connection& c, const std::string& what) {
    return refused(refusal_kind::Conflict,
                   fill_message(c.tr().msg("msg_DbChangedMeanwhile",
                                           "Ktoś inny zmienił w tym czasie %s; nic nie zapisano."),
                                {what}));
}

struct field_positions {
    size_t at[4] = {0, 0, 0, 0};  // holiday this year, last year, care, rehabilitation
};
const field_positions& balance_positions() {
    static const field_positions p = [] {
        field_positions f;
        const char* names[] = {"holidayCurrentYear", "holidayPreviousYear", "careDays", "rehaDays"};
        for (size_t n = 1; !staff_field_name(n).empty(); ++n)
            for (size_t k = 0; k < 4; ++k)
                if (staff_field_name(n) == names[k]) f.at[k] = n;
        return f;
    }();
    return p;
}

// What one worker's rows looked like before and after, for the history.
struct touched {
    std::vector<std::string> before, after;
    std::string balanceBefore, balanceAfter;
};

// The rows of one table the act removed and added, matched by their records
// (the writer renumbers the keys on every save, so a key is no identity).
struct row_diff {
    std::vector<const month_row*> removed, added;
};
row_diff diff_rows(const std::vector<month_row>& read, const std::vector<month_row>& now) {
    std::multimap<std::string, const month_row*> left;
    for (const month_row& r : read) left.emplace(r.record, &r);
    row_diff d;
    for (const month_row& r : now) {
        auto it = left.find(r.record);
        if (it != left.end()) left.erase(it);
        else d.added.push_back(&r);
    }
    for (const auto& [record, row] : left) d.removed.push_back(row);
    return d;
}

result<> save_rows(pg_connection& c, int month, const char* table, const row_diff& d, save_outcome& out,
                   std::map<int, touched>& who, const char* what) {
    const std::string id = number(month);
    for (const month_row* r : d.removed) {
        const result<pg_rows> gone = c.exec(std::string("DELETE FROM ") + table +
                                                " WHERE month_id = $1 AND position = $2 AND version = $3",
                                            {id, number(r->position), number(r->version)});
        if (!gone) return gone.error();
        if (gone->affected != 1) return changed_meanwhile(c, fill_message(what, {number(r->worker)}));
        who[r->worker].before.push_back(r->record);
        const std::vector<std::string> f = split_fields(r->record);
        out.groups.push_back(f.empty() ? 0 : std::atoi(f[0].c_str()));
        ++out.removed;
    }
    for (const month_row* r : d.added) {
        const std::vector<std::string> f = split_fields(r->record);
        auto at = [&](size_t n) { return number(n < f.size() ? std::atoi(f[n].c_str()) : 0); };
        const std::string next = std::string("(SELECT coalesce(max(position), 0) + 1 FROM ") + table + " WHERE month_id = $1)";
        const result<pg_rows> put =
            std::string(table) == "duties"
                ? c.exec("INSERT INTO duties (month_id, position, group_id, worker_id, day, length_minutes, shift, "
                         "start_minute, record) VALUES ($1, " + next + ", $2, $3, $4, $5, $6, $7, $8)",
                         {id, at(0), at(1), at(2), at(3), at(4), at(5), r->record})
                : c.exec("INSERT INTO days_off (month_id, position, group_id, worker_id, day_from, day_to, kind, record) "
                         "VALUES ($1, " + next + ", $2, $3, $4, $5, $6, $7)",
                         {id, at(0), at(1), at(2), at(3), f.size() > 5 ? f[5] : "", r->record});
        if (!put) return put.error();
        who[r->worker].after.push_back(r->record);
        out.groups.push_back(std::atoi(f.empty() ? "0" : f[0].c_str()));
        ++out.added;
    }
    return {};
}

// A line of the month's rest by its place: "section\nkey" (a heading or a
// line without a key stands by itself).
struct keyed_line {
    std::string key;
    std::string line;
};
std::vector<keyed_line> keyed(const std::vector<std::string>& lines) {
    std::vector<keyed_line> out;
    std::string section;
    for (const std::string& l : lines) {
        if (l.size() >= 2 && l.front() == '[' && l.back() == ']') section = month_ini::fold(l.substr(1, l.size() - 2));
        const size_t eq = l.find('=');
        out.push_back({eq == std::string::npos ? std::string() : section + "\n" + l.substr(0, eq), l});
    }
    return out;
}

// This act's changes of the rest (keyed entries outside [info], whose date
// every save writes anew) merged onto the rest as stored now; refused when
// an entry this act changed was changed by another meanwhile.
result<std::vector<std::string>> merged_rest(const pg_connection& c, const std::vector<std::string>& read,
                                             const std::vector<std::string>& now, const std::vector<std::string>& stored,
                                             bool& changed) {
    auto values = [](const std::vector<std::string>& lines) {
        std::map<std::string, std::string> m;
        for (const keyed_line& k : keyed(lines))
            if (!k.key.empty() && k.key.rfind("info\n", 0) != 0) m.emplace(k.key, k.line);
        return m;
    };
    const auto r = values(read), n = values(now), s = values(stored);
    std::set<std::string> keys;
    for (const auto* m : {&r, &n})
        for (const auto& [k, v] : *m) keys.insert(k);
    std::map<std::string, std::optional<std::string>> mine;  // this act's entries: the new line, or gone
    for (const std::string& k : keys) {
        const auto a = r.find(k), b = n.find(k);
        const std::optional<std::string> before = a == r.end() ? std::nullopt : std::optional(a->second);
        const std::optional<std::string> after = b == n.end() ? std::nullopt : std::optional(b->second);
        if (before == after) continue;
        const auto cs = s.find(k);
        const std::optional<std::string> current = cs == s.end() ? std::nullopt : std::optional(cs->second);
        if (current != before && current != after) return changed_meanwhile(c, k.substr(0, k.find('\n')));
        mine[k] = after;
    }
    changed = !mine.empty();
    if (!changed) return stored;
    std::vector<std::string> out;
    std::set<std::string> done;
    const std::vector<keyed_line> st = keyed(stored);
    for (size_t i = 0; i < st.size(); ++i) {
        const keyed_line& k = st[i];
        if (auto it = mine.find(k.key); !k.key.empty() && it != mine.end()) {
            if (it->second) out.push_back(*it->second);
            done.insert(k.key);
        } else {
            out.push_back(k.line);
        }
        // New entries of a section go at its end, before the empty line that closes it.
        const bool sectionEnds = i + 1 == st.size() || st[i + 1].line.empty() ||
                                 (st[i + 1].line.front() == '[' && st[i + 1].line.back() == ']');
        if (!sectionEnds || k.line.empty()) continue;
        const std::string section = k.key.empty() ? month_ini::fold(k.line.substr(1, k.line.size() - 2))
                                                  : k.key.substr(0, k.key.find('\n'));
        for (auto& [key, line] : mine)
            if (line && !done.count(key) && key.substr(0, key.find('\n')) == section) out.push_back(*line), done.insert(key);
    }
    // An entry of a section the month does not have yet: the section is added.
    std::string open;
    for (auto& [key, line] : mine) {
        if (!line || done.count(key)) continue;
        const std::string section = key.substr(0, key.find('\n'));
        if (section != open) {
            if (!out.empty() && !out.back().empty()) out.push_back("");
            out.push_back("[" + section + "]");
            open = section;
        }
        out.push_back(*line);
    }
    return out;
}

// Room for a worker's new year in the Sunday record: after the worker's
// section, or a new section at the record's end. Gives the position.
result<long long> sunday_place(pg_connection& c, int worker) {
    const std::string id = number(worker);
    const result<pg_rows> at = c.exec(
        "SELECT max(p) FROM (SELECT position AS p FROM options WHERE file = 'sundays.ini' AND section = $1 "
        "UNION ALL SELECT position FROM worked_sundays WHERE worker_id = $2) s",
        {id, id});
    if (!at) return at.error();
    if (!at->rows[0][0]) {
        const result<pg_rows> end = c.exec(
            "SELECT coalesce(max(p), -1) FROM (SELECT position AS p FROM options WHERE file = 'sundays.ini' "
            "UNION ALL SELECT position FROM worked_sundays) s");
        if (!end) return end.error();
        const long long header = end->number(0, 0) + 1;
        if (auto r = c.exec(
                "INSERT INTO options (file, position, section, key, value) VALUES ('sundays.ini', $1, $2, "
                "NULL, $3)",
                {number(header), id, "[" + id + "]"});
            !r)
            return r.error();
        return header + 1;
    }
    const long long last = at->number(0, 0);
    // The lines after it move down one; the options' positions are unique, so in two steps.
    for (const char* sql :
         {"UPDATE options SET position = position + 1000000 WHERE file = 'sundays.ini' AND position > $1",
          "UPDATE options SET position = position - 999999 WHERE file = 'sundays.ini' AND position >= "
          "1000000",
          "UPDATE worked_sundays SET position = position + 1 WHERE position > $1"})
        if (auto r =
                std::string(sql).find("$1") == std::string::npos ? c.exec(sql) : c.exec(sql, {number(last)});
            !r)
            return r.error();
    return last + 1;
}

// The act's Sundays of its month put onto the record as stored now.
result<> save_sundays(pg_connection& c, const std::vector<sunday_marks>& sundays) {
    for (const sunday_marks& m : sundays) {
        const std::vector<pg_value> key{number(m.worker), number(m.year)};
        const result<pg_rows> r =
            c.exec("SELECT sundays FROM worked_sundays WHERE worker_id = $1 AND year = $2 FOR UPDATE", key);
        if (!r) return r.error();
        std::string now = r->empty() ? std::string() : r->text(0, 0);
        now.resize(m.marks.size(), '0');
        std::string merged = now;
        for (size_t i = 0; i < m.marks.size(); ++i)
            if (m.marks[i] != '.') merged[i] = m.marks[i];
        if (!r->empty() && merged == r->text(0, 0)) continue;
        const bool none = merged.find('1') == std::string::npos;
        if (r->empty() && none) continue;
        result<pg_rows> done =
            none ? c.exec("DELETE FROM worked_sundays WHERE worker_id = $1 AND year = $2", key)
                 : result<pg_rows>(pg_rows{});
        if (!none && !r->empty())
            done = c.exec(
                "UPDATE worked_sundays SET sundays = $3, version = version + 1 WHERE worker_id = $1 AND year "
                "= $2",
                {number(m.worker), number(m.year), merged});
        if (!none && r->empty()) {
            const result<long long> at = sunday_place(c, m.worker);
            if (!at) return at.error();
            done = c.exec(
                "INSERT INTO worked_sundays (worker_id, year, sundays, position) VALUES ($1, $2, $3, $4)",
                {number(m.worker), number(m.year), merged, number(*at)});
        }
        if (!done) return done.error();
    }
    return {};
}

// A list of texts as one array parameter (`$n::text[]`): every element quoted.
std::string text_array(const std::vector<std::string>& items) {
    std::string out = "{";
    for (size_t i = 0; i < items.size(); ++i) {
        out += i ? ",\"" : "\"";
        for (char ch : items[i]) {
            if (ch == '"' || ch == '\\') out += '\\';
            out += ch;
        }
        out += '"';
    }
    return out + "}";
}

// A place on the line order, as exact in the statement's text as it is stored.
std::string place(double at) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, at).ptr;  // no locale's decimal comma
    return std::string(buf, end);
}


// The month's rest of lines written over the stored (`places` their places,
// in order): only the span between the lines both share at the start and at
// the end is written, the new lines taking places between the kept ones, so
// a worker's line coming into a section rewrites that line, not the 1,600
// after it. When no room is left between two places the lines are numbered
// again, all of them.
result<> write_rest(pg_connection& c, const std::string& id, const std::vector<std::string>& stored,
                    const std::vector<double>& places, const std::vector<std::string>& now) {
    size_t head = 0, tail = 0;
    while (head < stored.size() && head < now.size() && stored[head] == now[head]) ++head;
    while (tail < stored.size() - head && tail < now.size() - head &&
           stored[stored.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    // Lines changed in place when as many went as came.
    std::vector<std::string> at, lines;
    const size_t same = std::min(stored.size() - head - tail, now.size() - head - tail);
    for (size_t i = 0; i < same; ++i)
        if (now[head + i] != stored[head + i]) at.push_back(place(places[head + i])), lines.push_back(now[head + i]);
    if (!at.empty()) {
        const result<pg_rows> r = c.exec(
            "UPDATE month_lines m SET line = n.line, version = m.version + 1 FROM unnest($2::double precision[], "
            "$3::text[]) AS n(position, line) WHERE m.month_id = $1 AND m.position = n.position",
            {id, text_array(at), text_array(lines)});
        if (!r) return r.error();
    }
    const size_t from = head + same, goneTo = stored.size() - tail, cameTo = now.size() - tail;
    if (from == goneTo && from == cameTo) return {};
    // The places free between the last line kept before and the first kept after.
    const double low = from > 0 ? places[from - 1] : (places.empty() ? 0.0 : places.front() - double(cameTo - from) - 1);
    const double high = goneTo < stored.size() ? places[goneTo] : low + double(cameTo - from) + 1;
    const double step = (high - low) / double(cameTo - from + 1);
    if (from < goneTo) {
        std::vector<std::string> gone;
        for (size_t i = from; i < goneTo; ++i) gone.push_back(place(places[i]));
        const result<pg_rows> r = c.exec(
            "DELETE FROM month_lines WHERE month_id = $1 AND position = ANY($2::double precision[])",
            {id, text_array(gone)});
        if (!r) return r.error();
    }
    if (from == cameTo) return {};
    if (step > 1e-6 && low + step > low && high - step < high) {
        std::vector<std::string> put, came;
        for (size_t i = from; i < cameTo; ++i)
            put.push_back(place(low + step * double(i - from + 1))), came.push_back(now[i]);
        const result<pg_rows> r = c.exec(
            "INSERT INTO month_lines (month_id, position, line) SELECT $1, n.position, n.line FROM "
            "unnest($2::double precision[], $3::text[]) AS n(position, line)",
            {id, text_array(put), text_array(came)});
        if (!r) return r.error();
        return {};
    }
    if (auto r = c.exec("DELETE FROM month_lines WHERE month_id = $1", {id}); !r) return r.error();
    const result<pg_rows> r = c.exec(
        "INSERT INTO month_lines (month_id, position, line) SELECT $1, n.place - 1, n.line FROM "
        "unnest($2::text[]) WITH ORDINALITY AS n(line, place)",
        {id, text_array(now)});
    if (!r) return r.error();
    return {};
}

}  // namespace

std::string without_balances(const std::string& record) {
    std::vector<std::string> f = split_fields(record);
    for (size_t at : balance_positions().at)
        if (at && at < f.size()) f[at].clear();
    return join_fields(f);
}

std::string with_balances(const std::string& record, const balance_change& stored) {
    std::vector<std::string> f = split_fields(record);
    const long long v[4] = {stored.current, stored.previous, stored.care, stored.reha};
    for (size_t k = 0; k < 4; ++k)
        if (const size_t at = balance_positions().at[k]; at && at < f.size()) f[at] = number(v[k]);
    return join_fields(f);
}

balance_change balances_of(int worker, const std::string& record) {
    const std::vector<std::string> f = split_fields(record);
    auto at = [&](size_t k) {
        const size_t n = balance_positions().at[k];
        return n && n < f.size() ? std::atoll(f[n].c_str()) : 0;
    };
    return {worker, at(0), at(1), at(2), at(3)};
}

result<save_outcome> save_month(pg_connection& c, const month_rows& read, const month_save& now) {
    result<pg_transaction> t = pg_transaction::begin(c);
    if (!t) return t.error();
    const std::string id = number(read.id);
    // Saves of one month take turns; the versions tell each what changed under it.
    const result<pg_rows> locked = c.exec("SELECT version FROM months WHERE id = $1 FOR UPDATE", {id});
    if (!locked) return locked.error();
    if (locked->empty()) return changed_meanwhile(c, read.name);
    // The rows this save writes are stamped with its count on the store's clock, whose row it holds till
    // its commit: a program keeping the month between acts reads only what is stamped after its own count.
    if (auto r = c.exec("UPDATE store_clock SET n = n + 1 WHERE id = 1"); !r) return r.error();
    const month_rows mine = split_month_lines(now.lines);
    save_outcome out;
    std::map<int, touched> who;
    if (result<> r = save_rows(c, read.id, "duties", diff_rows(read.duties, mine.duties), out, who,
                               c.tr().msg("msg_DbWhatDuty", "dyżur pracownika %s").c_str());
        !r)
        return r.error();
    if (result<> r = save_rows(c, read.id, "days_off", diff_rows(read.daysOff, mine.daysOff), out, who,
                               c.tr().msg("msg_DbWhatDayOff", "dzień wolny pracownika %s").c_str());
        !r)
        return r.error();

    // The day parameters by their section and key.
    std::map<std::string, const month_row*> before, after;
    for (const month_row& p : read.parameters) before[p.section + "\n" + p.key] = &p;
    for (const month_row& p : mine.parameters) after[p.section + "\n" + p.key] = &p;
    std::vector<std::string> paramsBefore, paramsAfter;
    for (const auto& [key, p] : before) {
        auto it = after.find(key);
        if (it != after.end() && it->second->record == p->record) continue;
        const result<pg_rows> r =
            it == after.end()
                ? c.exec("DELETE FROM day_parameters WHERE month_id = $1 AND section = $2 AND key = $3 AND version = $4",
                         {id, p->section, p->key, number(p->version)})
                : c.exec("UPDATE day_parameters SET value = $5, version = version + 1 WHERE month_id = $1 AND "
                         "section = $2 AND key = $3 AND version = $4",
                         {id, p->section, p->key, number(p->version), it->second->record});
        if (!r) return r.error();
        if (r->affected != 1) return changed_meanwhile(c, p->section + " " + p->key);
        paramsBefore.push_back(p->section + " " + p->key + "=" + p->record);
        if (it != after.end()) paramsAfter.push_back(p->section + " " + p->key + "=" + it->second->record);
        ++out.changed;
    }
    for (const auto& [key, p] : after) {
        if (before.count(key)) continue;
        // Another planner set the same day meanwhile.
        const result<pg_rows> taken = c.exec(
            "SELECT 1 FROM day_parameters WHERE month_id = $1 AND section = $2 AND key = $3", {id, p->section, p->key});
        if (!taken) return taken.error();
        if (!taken->empty()) return changed_meanwhile(c, p->section + " " + p->key);
        const result<pg_rows> r = c.exec(
            "INSERT INTO day_parameters (month_id, section, position, key, value) VALUES ($1, $2, (SELECT "
            "coalesce(max(position), 0) + 1 FROM day_parameters WHERE month_id = $1 AND section = $2), $3, $4)",
            {id, p->section, p->key, p->record});
        if (!r) return r.error();
        paramsAfter.push_back(p->section + " " + p->key + "=" + p->record);
        ++out.changed;
    }

    // The rest of the month's lines, entry by entry.
    const result<pg_rows> stored =
        c.exec("SELECT line, position FROM month_lines WHERE month_id = $1 ORDER BY position", {id});
    if (!stored) return stored.error();
    std::vector<std::string> storedRest;
    std::vector<double> places;
    for (size_t i = 0; i < stored->rows.size(); ++i) {
        storedRest.push_back(stored->text(i, 0));
        places.push_back(stored_place(stored->text(i, 1)));
    }
    bool restChanged = false;
    const result<std::vector<std::string>> rest = merged_rest(c, read.rest, mine.rest, storedRest, restChanged);
    if (!rest) return rest.error();
    if (restChanged) {
        if (result<> r = write_rest(c, id, storedRest, places, *rest); !r) return r.error();
        if (auto r = c.exec("UPDATE months SET version = version + 1 WHERE id = $1", {id}); !r) return r.error();
        ++out.changed;
    }

    // The workers' own lines, guarded by their versions; the balances by their difference.
    for (const worker_change& w : now.workers) {
        const result<pg_rows> r = c.exec("UPDATE workers SET record = $3, version = version + 1 WHERE id = $1 AND version = $2",
                                         {number(w.worker), number(w.version), w.after});
        if (!r) return r.error();
        if (r->affected != 1)
            return changed_meanwhile(c, fill_message(c.tr().msg("msg_DbWhatWorker", "dane pracownika %s"), {number(w.worker)}));
        who[w.worker].before.push_back(w.before);
        who[w.worker].after.push_back(w.after);
    }
    for (const balance_change& b : now.balances) {
        if (!b.any()) continue;
        const result<pg_rows> r = c.exec(
            "UPDATE balances SET holiday_current = holiday_current + $2, holiday_previous = holiday_previous + $3, "
            "care_days = care_days + $4, reha_days = reha_days + $5, version = version + 1 WHERE worker_id = $1 "
            "RETURNING holiday_current, holiday_previous, care_days, reha_days",
            {number(b.worker), number(b.current), number(b.previous), number(b.care), number(b.reha)});
        if (!r) return r.error();
        if (r->empty()) continue;  // a worker the store does not hold
        const long long v[4] = {r->number(0, 0), r->number(0, 1), r->number(0, 2), r->number(0, 3)};
        const long long d[4] = {b.current, b.previous, b.care, b.reha};
        auto balance = [](const long long* x) {
            return "{\"holiday\": " + number(x[0]) + ", \"holiday_last_year\": " + number(x[1]) +
                   ", \"care\": " + number(x[2]) + ", \"reha\": " + number(x[3]) + "}";
        };
        const long long was[4] = {v[0] - d[0], v[1] - d[1], v[2] - d[2], v[3] - d[3]};
        who[b.worker].balanceBefore = balance(was);
        who[b.worker].balanceAfter = balance(v);
    }

    if (result<> r = save_sundays(c, now.sundays); !r) return r.error();

    char month[16];
    std::snprintf(month, sizeof month, "%04d-%02d", read.year, read.month);
    for (const auto& [worker, t] : who) {
        auto side = [](const std::vector<std::string>& rows, const std::string& balance) {
            return "{\"rows\": " + json_list(rows) + (balance.empty() ? "" : ", \"balance\": " + balance) + "}";
        };
        if (result<> r = append_history(c, now.act, month, worker, side(t.before, t.balanceBefore), side(t.after, t.balanceAfter));
            !r)
            return r.error();
        out.workers.push_back(worker);
    }
    if (!paramsBefore.empty() || !paramsAfter.empty() || restChanged)
        if (result<> r = append_history(c, now.act, month, std::nullopt, "{\"rows\": " + json_list(paramsBefore) + "}",
                                        "{\"rows\": " + json_list(paramsAfter) + "}");
            !r)
            return r.error();
    // NOTIFY is delivered on commit only: a save refused later announces nothing.
    std::sort(out.groups.begin(), out.groups.end());
    out.groups.erase(std::unique(out.groups.begin(), out.groups.end()), out.groups.end());
    if (out.groups.empty()) out.groups.push_back(now.group);
    for (int g : out.groups)
        if (result<> r = announce_change(c, month, g); !r) return r.error();
    if (result<> r = t->commit(); !r) return r.error();
    return out;
}

}  // namespace planek::store
