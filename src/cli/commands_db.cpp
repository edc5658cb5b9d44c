// planek-cli db: the hospital server's store. The URL is a word or --db URL;
// the password is never an argument (libpq reads ~/.pgpass or PGPASSFILE).
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "store/pg_connection.h"
#include "store/schema.h"

namespace planek::cli {

namespace {

using namespace planek::store;

const Translator& speaking(const context& c) { return c.plan.tr.empty() ? c.runLanguage : c.plan.tr; }

// The words of a db action with the URL taken out: from --db, else the
// first word.
struct db_words {
    std::string url;
    std::vector<std::string> rest;
};

db_words url_and_words(std::string url, std::vector<std::string> words, size_t url_at) {
    if (url.empty()) {
        if (words.size() <= url_at)
            throw usage_error("cli_DbNeedsUrl", "podaj adres bazy danych (postgresql://UŻYTKOWNIK@SERWER/BAZA albo --db ADRES)");
        url = words[url_at];
        words.erase(words.begin() + long(url_at));
    }
    return {url, words};
}

std::optional<pg_connection> connect(context& c, const std::string& url) {
    result<pg_connection> opened = pg_connection::open(url, speaking(c));
    if (!opened) {
        c.err << opened.error().text << "\n";
        return std::nullopt;
    }
    return std::move(*opened);
}

int db_init(context& c, const std::vector<std::string>& args) {
    std::string url, role;
    const std::vector<std::string> words = arg_parser().text("--db", url).text("--role", role).words(1).parse(args);
    const db_words w = url_and_words(url, words, 0);
    std::optional<pg_connection> db = connect(c, w.url);
    if (!db) return kExitFailure;
    const result<migration_report> done = migrate(*db, role);
    if (!done) {
        c.err << done.error().text << "\n";
        return kExitFailure;
    }
    if (done->from == done->to)
        c.out << say(c, "cli_DbSchemaCurrent", "Schemat bazy danych jest aktualny (wersja %s).",
                     {std::to_string(done->to)})
              << "\n";
    else
        c.out << say(c, "cli_DbSchemaMade", "Schemat bazy danych w wersji %s (była %s).",
                     {std::to_string(done->to), std::to_string(done->from)})
              << "\n";
    return kExitOk;
}

int db(context& c) {
    const std::string action = c.args.empty() ? std::string() : c.args[0];
    const std::vector<std::string> rest(c.args.begin() + (c.args.empty() ? 0 : 1), c.args.end());
    if (action == "init") return db_init(c, rest);
    throw usage_error("cli_DbNeedsAction", "podaj, co zrobić: init, import, export albo history");
}

}  // namespace

std::vector<command> db_commands() {
    return {
        {"db", "init URL [--role ROLA] | import DIR URL | export URL DIR | history URL --month RRRR-MM [--worker ID]",
         "baza danych szpitala (PostgreSQL): zakłada i uaktualnia schemat, przenosi folder danych do bazy i z "
         "powrotem, wypisuje historię zmian",
         db},
    };
}

}  // namespace planek::cli
