#include "store/pg_connection.h"

#include <libpq-fe.h>

#include <poll.h>

#include <cstdlib>

#include "settings/message_format.h"

namespace planek::store {

namespace {

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

const std::string& pg_rows::text(size_t row, size_t column) const {
    static const std::string none;
    const pg_value& v = rows.at(row).at(column);
    return v ? *v : none;
}

long long pg_rows::number(size_t row, size_t column) const {
    const std::string& t = text(row, column);
    return t.empty() ? 0 : std::strtoll(t.c_str(), nullptr, 10);
}

bool is_retryable(const std::string& sqlstate) { return sqlstate == "40001" || sqlstate == "40P01"; }

result<pg_connection> pg_connection::open(const std::string& url, const Translator& tr) {
    return open(url, tr, nullptr);
}

result<pg_connection> pg_connection::open(const std::string& url, const Translator& tr, const password_source& password) {
    PGconn* c = PQconnectdb(url.c_str());
    if (c && PQstatus(c) != CONNECTION_OK && PQconnectionNeedsPassword(c)) {
        PQfinish(c);
        c = nullptr;
        const std::optional<std::string> typed = password ? password() : std::nullopt;
        if (!typed)
            return refused(refusal_kind::Io,
                           tr.msg("msg_DbNeedsPassword",
                                  "Serwer bazy danych wymaga hasła: zapisz je w pliku ~/.pgpass (albo w pliku, który "
                                  "wskazuje PGPASSFILE); hasła nie podaje się w poleceniu."));
        // The URL stays as given; only the password is added beside it.
        const char* keys[] = {"dbname", "password", nullptr};
        const char* values[] = {url.c_str(), typed->c_str(), nullptr};
        c = PQconnectdbParams(keys, values, 1);
    }
    if (!c || PQstatus(c) != CONNECTION_OK) {
        const std::string why = c ? trimmed(PQerrorMessage(c)) : std::string("libpq");
        if (c) PQfinish(c);
        return refused(refusal_kind::Io, fill_message(tr.msg("msg_DbNoConnection",
                                                             "Nie można połączyć się z bazą danych: %s"),
                                                      {why}));
    }
    // Notices (a table that was there already) are no concern of the user's.
    PQsetNoticeProcessor(c, [](void*, const char*) {}, nullptr);
    // The texts are UTF-8 in memory, whatever the server's locale.
    PQsetClientEncoding(c, "UTF8");
    return pg_connection(c, tr);
}

bool pg_connection::names_password(const std::string& url) {
    PQconninfoOption* options = PQconninfoParse(url.c_str(), nullptr);
    if (!options) return false;
    bool found = false;
    for (PQconninfoOption* o = options; o->keyword; ++o)
        if (std::string(o->keyword) == "password" && o->val && *o->val) found = true;
    PQconninfoFree(options);
    return found;
}

pg_connection::pg_connection(pg_connection&& o) noexcept : conn_(o.conn_), tr_(o.tr_), state_(std::move(o.state_)) {
    o.conn_ = nullptr;
}

pg_connection& pg_connection::operator=(pg_connection&& o) noexcept {
    if (this != &o) {
        if (conn_) PQfinish(conn_);
        conn_ = o.conn_;
        tr_ = o.tr_;
        state_ = std::move(o.state_);
        o.conn_ = nullptr;
    }
    return *this;
}

pg_connection::~pg_connection() {
    if (conn_) PQfinish(conn_);
}

result<pg_rows> pg_connection::exec(const std::string& sql, const std::vector<pg_value>& params) {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const pg_value& p : params) values.push_back(p ? p->c_str() : nullptr);
    PGresult* r = PQexecParams(conn_, sql.c_str(), int(values.size()), nullptr, values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* code = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
        state_ = code ? code : "";
        const std::string why = trimmed(r ? PQresultErrorMessage(r) : PQerrorMessage(conn_));
        if (r) PQclear(r);
        return refused(is_retryable(state_) ? refusal_kind::Conflict : refusal_kind::Io,
                       fill_message(tr_->msg("msg_DbStatementFailed", "Baza danych odmówiła: %s"), {why}));
    }
    state_.clear();
    pg_rows out;
    const int n = PQntuples(r), cols = PQnfields(r);
    out.rows.resize(n);
    for (int i = 0; i < n; ++i) {
        out.rows[i].reserve(cols);
        for (int j = 0; j < cols; ++j)
            out.rows[i].push_back(PQgetisnull(r, i, j) ? pg_value{} : pg_value{std::string(PQgetvalue(r, i, j), PQgetlength(r, i, j))});
    }
    const char* touched = PQcmdTuples(r);
    out.affected = touched && *touched ? std::strtol(touched, nullptr, 10) : 0;
    PQclear(r);
    return out;
}

result<std::vector<pg_connection::notification>> pg_connection::notifications(int wait_ms) {
    std::vector<notification> out;
    auto take = [&] {
        while (PGnotify* n = PQnotifies(conn_)) {
            out.push_back({n->relname, n->extra ? n->extra : "", n->be_pid});
            PQfreemem(n);
        }
    };
    auto lost = [&] {
        return refused(refusal_kind::Io, fill_message(tr_->msg("msg_DbNoConnection",
                                                                "Nie można połączyć się z bazą danych: %s"),
                                                       {trimmed(PQerrorMessage(conn_))}));
    };
    if (!PQconsumeInput(conn_)) return lost();
    take();
    if (out.empty() && wait_ms > 0) {
        pollfd p{PQsocket(conn_), POLLIN, 0};
        if (::poll(&p, 1, wait_ms) > 0) {
            if (!PQconsumeInput(conn_)) return lost();
            take();
        }
    }
    return out;
}

std::string pg_connection::user() const { return conn_ ? PQuser(conn_) : ""; }

int pg_connection::server_pid() const { return conn_ ? PQbackendPID(conn_) : 0; }

std::string pg_connection::database() const { return conn_ ? PQdb(conn_) : ""; }

int pg_connection::socket() const { return conn_ ? PQsocket(conn_) : -1; }

std::string pg_connection::quoted_identifier(const std::string& name) const {
    char* q = PQescapeIdentifier(conn_, name.c_str(), name.size());
    if (!q) return "\"\"";
    std::string out(q);
    PQfreemem(q);
    return out;
}

result<pg_transaction> pg_transaction::begin(pg_connection& c, bool serializable) {
    const result<pg_rows> r = c.exec(serializable ? "BEGIN ISOLATION LEVEL SERIALIZABLE" : "BEGIN");
    if (!r) return r.error();
    return pg_transaction(c);
}

pg_transaction::~pg_transaction() {
    if (open_) (void)c_->exec("ROLLBACK");
}

result<> pg_transaction::commit() {
    open_ = false;
    const result<pg_rows> r = c_->exec("COMMIT");
    if (!r) return r.error();
    return {};
}

}  // namespace planek::store
