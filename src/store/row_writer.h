#pragma once
// Many statements of one transaction, stopping at the first refusal, so a
// long run of INSERTs is written straight and checked once at its end.
#include <string>
#include <vector>

#include "core/result.h"
#include "store/month_rows.h"
#include "store/pg_connection.h"

namespace planek::store {

class row_writer {
public:
    explicit row_writer(pg_connection& c) : c_(c) {}
    bool put(const std::string& sql, const std::vector<pg_value>& params) {
        if (!failed_.said()) {
            result<pg_rows> r = c_.exec(sql, params);
            if (!r) failed_ = r.error();
        }
        return !failed_.said();
    }
    const refusal& failed() const { return failed_; }

private:
    pg_connection& c_;
    refusal failed_;
};

// Stores the rows of the month `id` (its rest of lines, duties, days off
// and day parameters), as an import does.
result<> store_month_rows(row_writer& w, const std::string& id, const month_rows& m);

}  // namespace planek::store
