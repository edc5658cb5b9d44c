#pragma once
// The append-only record of who changed what: every act on the store adds
// its rows inside the act's own transaction, so an act and its record are
// stored together or not at all.
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "store/pg_connection.h"

namespace planek::store {

struct history_entry {
    std::string at;  // the server's time, "2027-03-04 10:15:00+01"
    std::string user, computer, act, month;
    std::optional<int> worker;
    std::string before, after;  // the touched rows as JSON, "" for none
};

// This computer's name, as the history records it.
std::string computer_name();

// Adds one entry; the user is the connection's, the time the server's.
result<> append_history(pg_connection& c, const std::string& act, const std::string& month,
                        std::optional<int> worker, const std::string& before, const std::string& after);

// The entries of a month ("2027-03"), of one worker when given, oldest first.
result<std::vector<history_entry>> read_history(pg_connection& c, const std::string& month,
                                                std::optional<int> worker = std::nullopt);

}  // namespace planek::store
