#pragma once
// One month saved through the store as one transaction. Only what this
// program changed since it read the month goes to the server: each duty,
// day off and parameter it removed or changed must still be the row it read
// (its version), its new ones are added beside whatever others added
// meanwhile, and the balances move by this program's difference
// (`SET x = x + $1`), so two planners taking leave off one worker both count.
// A row another planner changed first refuses the save (Conflict): the
// caller reads the month again and retries the act on the new rows, or puts
// it to the user. Never a lost update. Every save appends to the history
// and, once committed, is announced to the planners listening.
#include <string>
#include <vector>

#include "core/result.h"
#include "store/month_rows.h"
#include "store/pg_connection.h"

namespace planek::store {

struct balance_change {
    int worker = 0;
    long long current = 0, previous = 0, care = 0, reha = 0;  // differences
    bool any() const { return current || previous || care || reha; }
};

// A worker's line of the staff file that the act changed (balances aside).
struct worker_change {
    int worker = 0;
    int version = 0;  // as read
    std::string before, after;
};

// A worker's worked Sundays of one year as the act leaves its month's:
// '0' or '1' at each Sunday of the month, '.' at the others, which are the
// store's (another month's act may change them meanwhile).
struct sunday_marks {
    int worker = 0;
    int year = 0;
    std::string marks;
};

struct month_save {
    std::string act;                 // what was done, for the history ("add-dayoff 3 14 u")
    std::vector<std::string> lines;  // the month as the program writes it now (no end section)
    std::vector<balance_change> balances;
    std::vector<worker_change> workers;
    std::vector<sunday_marks> sundays;
    int group = 0;  // the ward the act was made in, announced when it touched no ward's rows
};

struct save_outcome {
    int added = 0, removed = 0, changed = 0;
    std::vector<int> workers;  // touched, as the history names them
    std::vector<int> groups;   // the wards whose rows it touched, as announced
};

result<save_outcome> save_month(pg_connection& c, const month_rows& read, const month_save& now);

// The worker's staff line with its balances blanked: what an act's change
// of the record is judged by, the balances being the store's own.
std::string without_balances(const std::string& record);
// The worker's staff line with the store's balances put in.
std::string with_balances(const std::string& record, const balance_change& stored);

// The balances of a staff line: holiday this year and last, care, rehabilitation.
balance_change balances_of(int worker, const std::string& record);

}  // namespace planek::store
