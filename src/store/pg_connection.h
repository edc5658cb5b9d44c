#pragma once
// One connection to the hospital's PostgreSQL server through libpq. Every
// statement goes with its values as parameters (PQexecParams): no value is
// ever spliced into the text of a statement, so a worker called O'Brien or a
// note holding SQL stays a value.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/translator.h"

struct pg_conn;

namespace planek::store {

// A parameter or a field: a text, or NULL.
using pg_value = std::optional<std::string>;

struct pg_rows {
    std::vector<std::vector<pg_value>> rows;
    long affected = 0;  // rows an INSERT, UPDATE or DELETE touched

    const std::string& text(size_t row, size_t column) const;  // "" for NULL
    long long number(size_t row, size_t column) const;         // 0 for NULL
    bool empty() const { return rows.empty(); }
};

// The server's SQLSTATE of a failed statement, for a caller that retries:
// "40001" (serialization) and "40P01" (deadlock) are worth another try.
bool is_retryable(const std::string& sqlstate);

class pg_connection {
public:
    // Opens `url` (a postgresql:// URL or "key=value" words). The password
    // comes from ~/.pgpass or PGPASSFILE, which libpq reads itself.
    static result<pg_connection> open(const std::string& url, const Translator& tr);
    // The same, and when the server wants a password nobody gave, `password`
    // is asked once (a prompt at a terminal); nothing from it refuses the
    // connection naming the password file instead.
    using password_source = std::function<std::optional<std::string>()>;
    static result<pg_connection> open(const std::string& url, const Translator& tr, const password_source& password);

    // Whether a connection string carries a password itself, which no
    // command line nor settings file should.
    static bool names_password(const std::string& url);

    pg_connection(pg_connection&&) noexcept;
    pg_connection& operator=(pg_connection&&) noexcept;
    ~pg_connection();

    result<pg_rows> exec(const std::string& sql, const std::vector<pg_value>& params = {});
    // The SQLSTATE of the last failed statement ("" after a success).
    const std::string& last_state() const { return state_; }
    // The user the server knows this connection by.
    std::string user() const;
    // The server process serving this connection: a notification this
    // connection sent itself carries it.
    int server_pid() const;
    // The database's name, as a title shows where the month comes from.
    std::string database() const;
    // The socket to the server, for a program that waits on it in its own
    // event loop (-1 when there is no connection).
    int socket() const;
    // An identifier (a role's name) quoted for the few statements that cannot
    // take it as a parameter (GRANT).
    std::string quoted_identifier(const std::string& name) const;
    const Translator& tr() const { return *tr_; }
    // The notifications the server has for a listening connection: waits up
    // to `wait_ms` for the first (0: only those already there), then takes
    // every one that came. Each is its channel and payload.
    struct notification {
        std::string channel, payload;
        int pid = 0;  // the server process of the connection that sent it
    };
    result<std::vector<notification>> notifications(int wait_ms);

private:
    pg_connection(pg_conn* c, const Translator& tr) : conn_(c), tr_(&tr) {}
    pg_conn* conn_ = nullptr;
    const Translator* tr_ = nullptr;
    std::string state_;
};

// A transaction that rolls back unless committed: an act that returns early
// on a refusal leaves nothing half done on the server.
class pg_transaction {
public:
    // `serializable` for an act that must see no other act's half.
    static result<pg_transaction> begin(pg_connection& c, bool serializable = false);
    pg_transaction(pg_transaction&& o) noexcept : c_(o.c_), open_(o.open_) { o.open_ = false; }
    pg_transaction& operator=(pg_transaction&&) = delete;
    ~pg_transaction();
    result<> commit();

private:
    explicit pg_transaction(pg_connection& c) : c_(&c) {}
    pg_connection* c_;
    bool open_ = true;
};

}  // namespace planek::store
