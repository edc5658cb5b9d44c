#include "store/planners.h"

#include <cstdlib>

#include "store/history.h"

namespace planek::store {

result<> announce_change(pg_connection& c, const std::string& month, int group) {
    const result<pg_rows> r = c.exec("SELECT pg_notify($1, $2 || ' ' || $3 || ' ' || current_user || '@' || $4)",
                                     {kMonthsChannel, month, std::to_string(group), computer_name()});
    if (!r) return r.error();
    return {};
}

std::optional<month_change> parse_change(const std::string& payload) {
    const size_t a = payload.find(' ');
    if (a == std::string::npos) return std::nullopt;
    const size_t b = payload.find(' ', a + 1);
    if (b == std::string::npos) return std::nullopt;
    // A user's name may hold '@'; the computer's name may not.
    const size_t at = payload.rfind('@');
    if (at == std::string::npos || at < b) return std::nullopt;
    month_change m;
    m.month = payload.substr(0, a);
    m.group = std::atoi(payload.substr(a + 1, b - a - 1).c_str());
    m.user = payload.substr(b + 1, at - b - 1);
    m.computer = payload.substr(at + 1);
    return m;
}

result<> listen_for_changes(pg_connection& c) {
    // LISTEN takes no parameter; the channel is the program's own constant.
    const result<pg_rows> r = c.exec(std::string("LISTEN ") + kMonthsChannel);
    if (!r) return r.error();
    return {};
}

result<long long> mark_editing(pg_connection& c, const std::string& month, int group) {
    // The marks of programs that died go with the next one set, so the table stays small.
    if (auto r = c.exec("DELETE FROM editing WHERE pid NOT IN (SELECT pid FROM pg_stat_activity)"); !r)
        return r.error();
    const result<pg_rows> r = c.exec(
        "INSERT INTO editing (computer, month, group_id) VALUES ($1, $2, $3) RETURNING id",
        {computer_name(), month, std::to_string(group)});
    if (!r) return r.error();
    return r->number(0, 0);
}

result<> unmark_editing(pg_connection& c, long long mark) {
    const result<pg_rows> r = c.exec("DELETE FROM editing WHERE id = $1", {std::to_string(mark)});
    if (!r) return r.error();
    return {};
}

result<std::vector<editing_entry>> who_edits(pg_connection& c, const std::string& month) {
    // A mark whose connection is gone is left over from a program that died.
    const result<pg_rows> r = c.exec(
        "SELECT e.user_name, e.computer, e.month, e.group_id, coalesce(g.name, ''), "
        "to_char(e.started, 'YYYY-MM-DD HH24:MI:SS'), e.id FROM editing e LEFT JOIN groups g ON g.id = e.group_id "
        "WHERE e.month = $1 AND e.pid IN (SELECT pid FROM pg_stat_activity) ORDER BY e.group_id, e.started, e.id",
        {month});
    if (!r) return r.error();
    std::vector<editing_entry> out;
    for (size_t i = 0; i < r->rows.size(); ++i)
        out.push_back({r->text(i, 0), r->text(i, 1), r->text(i, 2), int(r->number(i, 3)), r->text(i, 4), r->text(i, 5),
                       r->number(i, 6)});
    return out;
}

result<std::string> group_name(pg_connection& c, int group) {
    const result<pg_rows> r = c.exec("SELECT name FROM groups WHERE id = $1", {std::to_string(group)});
    if (!r) return r.error();
    return r->empty() ? std::string() : r->text(0, 0);
}

}  // namespace planek::store
