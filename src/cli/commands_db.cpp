// planek-cli db: the hospital server's store. The URL is a word or --db URL;
// the password is never an argument (libpq reads ~/.pgpass or PGPASSFILE).
#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/paths.h"
#include "store/folder_transfer.h"
#include "store/history.h"
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

void say_counts(context& c, const char* key, const char* polish, const std::string& where, const folder_counts& n) {
    c.out << say(c, key, polish,
                 {where, std::to_string(n.groups), std::to_string(n.workers), std::to_string(n.months),
                  std::to_string(n.duties), std::to_string(n.daysOff)})
          << "\n";
}

// db import DIR URL: the folder first, as the other commands name it first.
int db_import(context& c, const std::vector<std::string>& args) {
    std::string url;
    std::vector<std::string> words = arg_parser().text("--db", url).words(2).parse(args);
    if (words.empty()) throw usage_error("cli_DbNeedsFolder", "podaj folder programu");
    const std::string folder = words[0];
    words.erase(words.begin());
    const db_words w = url_and_words(url, words, 0);
    if (!w.rest.empty()) throw usage_error("cli_TooManyArguments", "za dużo argumentów");
    std::optional<pg_connection> db = connect(c, w.url);
    if (!db) return kExitFailure;
    const result<folder_counts> moved = import_folder(*db, Paths::local(folder).data);
    if (!moved) {
        c.err << moved.error().text << "\n";
        return kExitFailure;
    }
    say_counts(c, "cli_DbImported", "Przeniesiono do bazy folder %s: grup %s, pracowników %s, miesięcy %s (dyżurów %s, dni wolnych %s).",
               folder, *moved);
    return kExitOk;
}

// db export URL DIR: the program folder is made as init makes it.
int db_export(context& c, const std::vector<std::string>& args) {
    std::string url;
    std::vector<std::string> words = arg_parser().text("--db", url).words(2).parse(args);
    const db_words w = url_and_words(url, words, 0);
    if (w.rest.empty()) throw usage_error("cli_DbNeedsFolder", "podaj folder programu");
    if (w.rest.size() > 1) throw usage_error("cli_TooManyArguments", "za dużo argumentów");
    std::optional<pg_connection> db = connect(c, w.url);
    if (!db) return kExitFailure;
    c.root = w.rest[0];
    c.mayCreateRoot = true;
    if (!c.open_root()) return kExitFailure;
    const result<folder_counts> moved = export_folder(*db, c.plan.paths.data);
    if (!moved) {
        c.err << moved.error().text << "\n";
        return kExitFailure;
    }
    say_counts(c, "cli_DbExported", "Zapisano z bazy do folderu %s: grup %s, pracowników %s, miesięcy %s (dyżurów %s, dni wolnych %s).",
               c.plan.paths.root.string(), *moved);
    return kExitOk;
}

int db_history(context& c, const std::vector<std::string>& args) {
    std::string url, month;
    std::optional<word> worker;
    const std::vector<std::string> words =
        arg_parser().text("--db", url).text("--month", month).id("--worker", worker, "pracownika").words(1).parse(args);
    const db_words w = url_and_words(url, words, 0);
    if (month.size() != 7 || month[4] != '-' || !std::isdigit((unsigned char)month[0]) ||
        !std::isdigit((unsigned char)month[5]))
        throw usage_error("cli_DbNeedsMonth", "podaj miesiąc: --month RRRR-MM");
    std::optional<pg_connection> db = connect(c, w.url);
    if (!db) return kExitFailure;
    const result<std::vector<history_entry>> found =
        read_history(*db, month, worker ? std::optional<int>(*worker) : std::nullopt);
    if (!found) {
        c.err << found.error().text << "\n";
        return kExitFailure;
    }
    // One act a line, its fields between tabs, for a reader and for grep alike.
    for (const history_entry& e : *found)
        c.out << e.at << "\t" << e.user << "\t" << e.computer << "\t" << e.act << "\t"
              << (e.worker ? std::to_string(*e.worker) : "") << "\t" << e.before << "\t" << e.after << "\n";
    if (found->empty()) c.err << say(c, "cli_DbNoHistory", "Nikt nic nie zmienił w miesiącu %s.", {month}) << "\n";
    return kExitOk;
}

int db(context& c) {
    const std::string action = c.args.empty() ? std::string() : c.args[0];
    const std::vector<std::string> rest(c.args.begin() + (c.args.empty() ? 0 : 1), c.args.end());
    if (action == "init") return db_init(c, rest);
    if (action == "import") return db_import(c, rest);
    if (action == "export") return db_export(c, rest);
    if (action == "history") return db_history(c, rest);
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
