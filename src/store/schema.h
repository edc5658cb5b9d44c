#pragma once
// The store's tables, made and upgraded by the program itself: numbered
// migrations, remembered in schema_version and applied together in one
// transaction, so `db init` on a server of any older version brings it up to
// this one (or, failing, leaves it as it was) and on a current one changes
// nothing.
#include <string>

#include "core/result.h"
#include "store/pg_connection.h"

namespace planek::store {

// The newest schema this program knows.
int latest_schema_version();

struct migration_report {
    int from = 0;  // the version found (0: an empty database)
    int to = 0;    // the version now
};

// Applies the migrations the database lacks. `role`, when not empty and not
// the connection's own user, is the hospital's role the planners log in as:
// it gets reading and writing on the tables, and only reading and adding on
// the history, which no planner may rewrite.
result<migration_report> migrate(pg_connection& c, const std::string& role = {});

// The version the database holds (0: no schema yet); refused when the
// schema is newer than this program.
result<int> schema_version(pg_connection& c);

}  // namespace planek::store
