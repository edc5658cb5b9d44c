// planek-cli db: the hospital server's store. The URL is --db URL, a word,
// or the user's own from the per-user settings; the password is never an
// argument (libpq reads ~/.pgpass or PGPASSFILE, or it is typed at a prompt).
#include <cctype>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/holidays.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/db_acts.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/paths.h"
#include "core/plan.h"
#include "core/text.h"
#include "files/archive.h"
#include "files/file_problems.h"
#include "files/month_file.h"
#include "files/month_seal.h"
#include "files/program_root.h"
#include "files/staff_archive.h"
#include "files/staff_file.h"
#include "files/sundays.h"
#include "settings/language_install.h"
#include "settings/user_settings.h"
#include "store/folder_transfer.h"
#include "store/history.h"
#include "store/month_rows.h"
#include "store/month_save.h"
#include "store/pg_connection.h"
#include "store/planners.h"
#include "store/schema.h"
#include "store/ward_month.h"
#include "store/ward_session.h"

namespace planek::cli {

namespace {

using namespace planek::store;
using namespace planek::cli::store_acts;

// The words of a db action with the URL taken out: from --db, else the
// first word.
struct db_words {
    std::string url;
    std::vector<std::string> rest;
};


// The URL is --db, else the word at `url_at` when there are more words than
// the `others` the action takes, else the user's own.
db_words url_and_words(std::string url, std::vector<std::string> words, size_t url_at, size_t others = 0) {
    if (url.empty()) {
        if (words.size() > others && words.size() > url_at) {
            url = words[url_at];
            words.erase(words.begin() + long(url_at));
        } else {
            url = settings_url();
        }
    }
    return {checked_url(url), words};
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
    const db_words w = url_and_words(url, words, 0, 1);
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
    if (!month_word(month))
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


// db act URL YYYY-MM COMMAND ARGS...: a month command of the command line
// run on the store's month, saved back as one transaction. A row another
// planner changed first makes the act run again on the new rows, a few
// times, before it is refused.
int db_act(context& c, const std::vector<std::string>& args) {
    std::vector<std::string> words = args;
    std::string url;
    if (words.size() >= 2 && words[0] == "--db") url = words[1], words.erase(words.begin(), words.begin() + 2);
    else if (!words.empty() && words[0].rfind("--db=", 0) == 0) url = words[0].substr(5), words.erase(words.begin());
    if (url.empty() && !words.empty() && !month_word(words[0])) {
        url = words[0];
        words.erase(words.begin());
    }
    if (url.empty()) url = settings_url();
    url = checked_url(url);
    int year = 0, month = 0;
    if (words.empty() || !month_word(words[0]) || std::sscanf(words[0].c_str(), "%4d-%2d", &year, &month) != 2)
        throw usage_error("cli_DbNeedsMonthWord", "podaj miesiąc RRRR-MM i polecenie miesiąca (np. add-duty PRACOWNIK DZIEŃ ZMIANA)");
    const std::string monthName = words[0];
    words.erase(words.begin());
    if (words.empty()) throw usage_error("cli_DbNeedsMonthWord", "podaj miesiąc RRRR-MM i polecenie miesiąca (np. add-duty PRACOWNIK DZIEŃ ZMIANA)");
    const command* inner = find_command(words[0]);
    if (words[0] == "db") throw usage_error("cli_UnknownCommand", "nieznane polecenie „%s”", {words[0]});
    if (!inner) throw usage_error(unknown_command(speaking(c), words[0]));
    std::optional<pg_connection> db = connect(c, url);
    if (!db) return kExitFailure;
    const int group = act_group(*db, words);
    editing_mark mark(*db, std::nullopt);
    if (result<long long> m = mark_editing(*db, monthName, group); m) mark.id = *m;
    else {
        c.err << m.error().text << "\n";
        return kExitFailure;
    }
    constexpr int kTries = 5;
    for (int attempt = 1;; ++attempt) {
        act_try t;
        if (runs_on_rows(words[0])) {
            const result<ward_month> read = read_ward_month(*db, year, month);
            if (!read) t = {kExitFailure, read.error().kind == refusal_kind::Conflict, {}, read.error().text + "\n"};
            else t = try_act_on_rows(c, *db, *read, group, words);
        } else {
            t = try_act(c, url, year, month, group, words);
        }
        if (t.retry && attempt < kTries) continue;
        c.out << t.out;
        c.err << t.err;
        if (attempt > 1 && t.code == kExitOk)
            c.err << say(c, "cli_DbActRetried",
                         "Inny planista zmienił w tym czasie ten sam wiersz; polecenie wykonano ponownie na nowych "
                         "danych (prób: %s).",
                         {std::to_string(attempt)})
                  << "\n";
        return t.code;
    }
}

std::string ward_text(context& c, int group, const std::string& name) {
    if (group == 0) return say(c, "cli_DbNoWard", "cały miesiąc");
    return name.empty() ? std::to_string(group) : name + " (" + std::to_string(group) + ")";
}

volatile std::sig_atomic_t stopWatching = 0;

// db watch URL [--month RRRR-MM] [--count N]: one line per month saved by
// anyone, as it is committed; ends after N of them or on a signal.
int db_watch(context& c, const std::vector<std::string>& args) {
    std::string url, month;
    std::optional<long> count;
    const std::vector<std::string> words =
        arg_parser()
            .text("--db", url)
            .text("--month", month)
            .value("--count",
                   [&](const std::string& v) {
                       if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos ||
                           std::stol(v) < 1)
                           throw usage_error("cli_DbBadCount", "--count wymaga liczby zmian (1 lub więcej)");
                       count = std::stol(v);
                   })
            .words(1)
            .parse(args);
    const db_words w = url_and_words(url, words, 0);
    if (!month.empty() && !month_word(month)) throw usage_error("cli_DbNeedsMonth", "podaj miesiąc: --month RRRR-MM");
    std::optional<pg_connection> db = connect(c, w.url);
    if (!db) return kExitFailure;
    if (result<> r = listen_for_changes(*db); !r) {
        c.err << r.error().text << "\n";
        return kExitFailure;
    }
    // A signal ends the wait between two changes; the poll it interrupts returns at once.
    stopWatching = 0;
    struct sigaction stop{}, oldInt{}, oldTerm{};
    stop.sa_handler = [](int) { stopWatching = 1; };
    sigemptyset(&stop.sa_mask);
    ::sigaction(SIGINT, &stop, &oldInt);
    ::sigaction(SIGTERM, &stop, &oldTerm);
    std::map<int, std::string> names;
    long seen = 0;
    int code = kExitOk;
    while (!stopWatching && (!count || seen < *count)) {
        const result<std::vector<pg_connection::notification>> got = db->notifications(500);
        if (!got) {
            c.err << got.error().text << "\n";
            code = kExitFailure;
            break;
        }
        for (const pg_connection::notification& n : *got) {
            const std::optional<month_change> m = parse_change(n.payload);
            if (!m || (!month.empty() && m->month != month)) continue;
            if (!names.count(m->group)) {
                const result<std::string> name = group_name(*db, m->group);
                names[m->group] = name ? *name : std::string();
            }
            const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
            char at[16];
            std::strftime(at, sizeof at, "%H:%M:%S", std::localtime(&now));
            c.out << at << "\t"
                  << say(c, "cli_DbWatchChange", "%s@%s zapisał(a) miesiąc %s, oddział: %s",
                         {m->user, m->computer, m->month, ward_text(c, m->group, names[m->group])})
                  << std::endl;  // a script reading the pipe sees the line at once
            if (count && ++seen >= *count) break;
        }
    }
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    return code;
}

// db who URL --month RRRR-MM: the acts in progress on the month, one a line.
int db_who(context& c, const std::vector<std::string>& args) {
    std::string url, month;
    const std::vector<std::string> words = arg_parser().text("--db", url).text("--month", month).words(1).parse(args);
    const db_words w = url_and_words(url, words, 0);
    if (!month_word(month)) throw usage_error("cli_DbNeedsMonth", "podaj miesiąc: --month RRRR-MM");
    std::optional<pg_connection> db = connect(c, w.url);
    if (!db) return kExitFailure;
    const result<std::vector<editing_entry>> found = who_edits(*db, month);
    if (!found) {
        c.err << found.error().text << "\n";
        return kExitFailure;
    }
    for (const editing_entry& e : *found)
        c.out << say(c, "cli_DbWhoEdits", "%s: %s@%s edytuje od %s", {ward_text(c, e.group, e.groupName), e.user, e.computer, e.started})
              << "\n";
    if (found->empty()) c.err << say(c, "cli_DbNobodyEdits", "Nikt teraz nie edytuje miesiąca %s.", {month}) << "\n";
    return kExitOk;
}

int db(context& c) {
    const std::string action = c.args.empty() ? std::string() : c.args[0];
    const std::vector<std::string> rest(c.args.begin() + (c.args.empty() ? 0 : 1), c.args.end());
    if (action == "init") return db_init(c, rest);
    if (action == "import") return db_import(c, rest);
    if (action == "export") return db_export(c, rest);
    if (action == "history") return db_history(c, rest);
    if (action == "act") return db_act(c, rest);
    if (action == "watch") return db_watch(c, rest);
    if (action == "who") return db_who(c, rest);
    if (action == "session") return db_session(c, rest);
    throw unknown_action(c, action, {"init", "import", "export", "history", "act", "session", "watch", "who"}, "cli_DbNeedsAction",
                         "podaj, co zrobić: init, import, export, history, act, session, watch albo who");
}

}  // namespace

std::vector<command> db_commands() {
    return {
        {"db", "init URL [--role ROLA] | import DIR URL | export URL DIR | history URL --month RRRR-MM [--worker ID] | act URL RRRR-MM POLECENIE ARGUMENTY | session URL (polecenia z wejścia: RRRR-MM POLECENIE ARGUMENTY, po jednym w wierszu) | watch URL [--month RRRR-MM] [--count N] | who URL --month RRRR-MM",
         "baza danych szpitala (PostgreSQL): zakłada i uaktualnia schemat, przenosi folder danych do bazy i z "
         "powrotem, wypisuje historię zmian, wykonuje polecenie miesiąca na miesiącu z bazy, pokazuje zmiany innych "
         "planistów na bieżąco i kto edytuje który oddział; adres bazy może pochodzić z ustawień użytkownika "
         "(config --set user db_url ADRES)",
         db},
    };
}

}  // namespace planek::cli
