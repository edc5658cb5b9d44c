#pragma once
// What the db commands share: the server's address and connection, and one
// try of a month command on the store's month, whether it runs alone
// (`db act`) or as one of a planner's many (`db session`).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "store/pg_connection.h"
#include "store/ward_month.h"

namespace planek::cli::store_acts {

// The store the user set with `config --set user db_url URL` ("" when none).
std::string settings_url();
// `url`, refused when empty or when it carries a password.
std::string checked_url(std::string url);
// The connection, the password asked once per run when the server wants
// one; the reason printed and nothing given when it cannot be opened.
std::optional<store::pg_connection> connect(context& c, const std::string& url);
// "2027-03" itself when it names a month.
std::optional<std::string> month_word(const std::string& month);

// What one try of an act did: its exit code, its output, and whether it
// met another planner's change and is worth another try.
struct act_try {
    int code = kExitOk;
    bool retry = false;
    std::string out, err;
};

// The month commands that run on the store's rows in this process; any
// other runs on a scratch folder the month is exported to (`try_act`).
bool runs_on_rows(const std::string& name);

// One try of `command` (its name, then its arguments) on `read`: the session
// built from its rows, the command run on it, and its save one transaction
// of only the rows it touched, judged by the versions `read` holds.
// With `session` the act runs on a copy of that session, opened from
// `read`'s lines before, instead of one opened anew.
act_try try_act_on_rows(context& c, store::pg_connection& db, const store::ward_month& read, int group,
                        const std::vector<std::string>& command, const Plan* session = nullptr);
// One try of any month command on a scratch folder the month is exported to.
act_try try_act(context& c, const std::string& url, int year, int month, int group,
                const std::vector<std::string>& command);

// The ward an act is made in, as the month commands choose it: the one
// named by --group, else the first of the worker's (0 when the act names
// neither). `record` gives a worker's staff line by id ("" when none).
int act_group(const std::vector<std::string>& command, const std::function<std::string(int)>& record);
// The same, the worker's line asked of the server.
int act_group(store::pg_connection& db, const std::vector<std::string>& command);

// The mark of the ward being edited, taken off whatever the act's end (and
// by the server when the program dies, its connection going with it).
struct editing_mark {
    store::pg_connection& db;
    std::optional<long long> id;
    editing_mark(store::pg_connection& d, std::optional<long long> i) : db(d), id(i) {}
    editing_mark(const editing_mark&) = delete;
    editing_mark& operator=(const editing_mark&) = delete;
    ~editing_mark();
};

// db session URL: a planner's acts read from the standard input, one a line
// (the words `db act` takes after the URL), each answered with one line.
int db_session(context& c, const std::vector<std::string>& args);

}  // namespace planek::cli::store_acts
