#include "store/history.h"

#include <unistd.h>

namespace planek::store {

std::string computer_name() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || !name[0]) return "?";
    return name;
}

result<> append_history(pg_connection& c, const std::string& act, const std::string& month,
                        std::optional<int> worker, const std::string& before, const std::string& after) {
    const auto text_or_null = [](const std::string& s) { return s.empty() ? pg_value{} : pg_value{s}; };
    const result<pg_rows> r = c.exec(
        "INSERT INTO history (user_name, computer, act, month, worker_id, before, after) "
        "VALUES (current_user, $1, $2, $3, $4, $5, $6)",
        {computer_name(), act, text_or_null(month), worker ? pg_value{std::to_string(*worker)} : pg_value{},
         text_or_null(before), text_or_null(after)});
    if (!r) return r.error();
    return {};
}

result<std::vector<history_entry>> read_history(pg_connection& c, const std::string& month,
                                                std::optional<int> worker) {
    const result<pg_rows> r = c.exec(
        "SELECT to_char(at, 'YYYY-MM-DD HH24:MI:SS'), user_name, computer, act, coalesce(month, ''), worker_id, "
        "coalesce(before, ''), coalesce(after, '') FROM history "
        "WHERE month = $1 AND ($2::integer IS NULL OR worker_id = $2::integer) ORDER BY at, id",
        {month, worker ? pg_value{std::to_string(*worker)} : pg_value{}});
    if (!r) return r.error();
    std::vector<history_entry> out;
    for (size_t i = 0; i < r->rows.size(); ++i) {
        history_entry e{r->text(i, 0), r->text(i, 1), r->text(i, 2), r->text(i, 3), r->text(i, 4), std::nullopt,
                        r->text(i, 6), r->text(i, 7)};
        if (r->rows[i][5]) e.worker = int(r->number(i, 5));
        out.push_back(std::move(e));
    }
    return out;
}

}  // namespace planek::store
