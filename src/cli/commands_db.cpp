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
#include "editing/refusal.h"
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

// The words of a db action with the URL taken out: from --db, else the
// first word.
struct db_words {
    std::string url;
    std::vector<std::string> rest;
};

// The store the user set with `config --set user db_url URL`.
std::string settings_url() {
    Plan plan;
    plan.options.userSettingsFolder = default_user_settings_folder();
    if (!read_user_settings(plan)) return {};
    return plan.options.user.db_url;
}

std::string checked_url(std::string url) {
    if (url.empty())
        throw usage_error("cli_DbNeedsUrl", "podaj adres bazy danych (postgresql://UŻYTKOWNIK@SERWER/BAZA albo --db ADRES) albo zapisz go w ustawieniach: config --set user db_url ADRES");
    // A password in a command line is in the shell's history and in every process list.
    if (pg_connection::names_password(url))
        throw usage_error("cli_DbPasswordInUrl",
                          "hasła nie podaje się w adresie bazy danych: zapisz je w ~/.pgpass (albo w pliku, który "
                          "wskazuje PGPASSFILE)");
    return url;
}

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

std::optional<pg_connection> connect(context& c, const std::string& url) {
    // Typed once per run: an act tried again asks no second time.
    static thread_local std::optional<std::string> typed;
    std::shared_ptr<CliInteraction> ui = c.ui;
    const std::string prompt = say(c, "cli_DbPasswordPrompt", "Hasło do bazy danych:") + " ";
    result<pg_connection> opened = pg_connection::open(url, speaking(c), [&]() -> std::optional<std::string> {
        if (!typed) typed = ui->ask_secret(prompt);
        return typed;
    });
    if (!opened) {
        typed.reset();  // a wrong one is not offered again
        c.err << opened.error().text << "\n";
        return std::nullopt;
    }
    return std::move(*opened);
}

std::optional<std::string> month_word(const std::string& month) {
    int y = 0, m = 0;
    char end = 0;
    if (month.size() != 7 || std::sscanf(month.c_str(), "%4d-%2d%c", &y, &m, &end) != 2 || m < 1 || m > 12)
        return std::nullopt;
    return month;
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

namespace fs = std::filesystem;

// A folder of the act's own, removed whatever the act's end.
struct scratch_folder {
    fs::path path;
    scratch_folder() {
        std::random_device rd;
        do path = fs::temp_directory_path() / ("planek-act-" + std::to_string(rd()));
        while (!fs::create_directory(path));
        // The hospital's staff pass through it: nobody else may look in.
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    ~scratch_folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// What one try of an act did: its exit code, its output, and whether it
// met another planner's change and is worth another try.
struct act_try {
    int code = kExitOk;
    bool retry = false;
    std::string out, err;
};

act_try try_act(context& c, const std::string& url, int year, int month, int group, const std::vector<std::string>& command) {
    act_try t;
    std::ostringstream err;
    auto failed = [&](const refusal& why) {
        t.code = kExitFailure;
        t.retry = why.kind == refusal_kind::Conflict;
        t.err = why.text + "\n";
        return t;
    };
    std::optional<pg_connection> db = connect(c, url);
    if (!db) return t.code = kExitFailure, t;
    scratch_folder scratch;
    const fs::path data = Paths::local(scratch.path).data;
    // The files the act runs on and the versions it is judged by come from one snapshot.
    month_rows read;
    std::map<int, worker_read> workers;
    {
        result<pg_transaction> tx = pg_transaction::begin(*db, true);
        if (!tx) return failed(tx.error());
        if (auto r = db->exec("SET TRANSACTION READ ONLY"); !r) return failed(r.error());
        result<month_rows> found = find_month_rows(*db, year, month);
        if (!found) return failed(found.error());
        read = std::move(*found);
        const result<pg_rows> w = db->exec(
            "SELECT w.id, w.version, w.record, b.holiday_current, b.holiday_previous, b.care_days, b.reha_days "
            "FROM workers w LEFT JOIN balances b ON b.worker_id = w.id");
        if (!w) return failed(w.error());
        for (size_t i = 0; i < w->rows.size(); ++i)
            workers[int(w->number(i, 0))] = {int(w->number(i, 1)), w->text(i, 2),
                                             {int(w->number(i, 0)), w->number(i, 3), w->number(i, 4), w->number(i, 5), w->number(i, 6)}};
        if (result<folder_counts> n = export_folder_into(*db, data, read.id); !n) return failed(n.error());
        if (auto r = tx->commit(); !r) return failed(r.error());
    }
    // The act is the command line's own command, on the month's file in the scratch folder.
    const fs::path file = data / read.name;
    std::vector<std::string> inner{"--root", scratch.path.string()};
    if (c.lang) inner.insert(inner.end(), {"--lang", *c.lang});
    if (c.ui->preset() == CliInteraction::Preset::Yes) inner.push_back("--yes");
    if (c.ui->preset() == CliInteraction::Preset::No) inner.push_back("--no");
    inner.push_back(command[0]);
    inner.push_back(file.string());
    inner.insert(inner.end(), command.begin() + 1, command.end());
    std::ostringstream out;
    t.code = run(inner, out, err);
    // The scratch folder is no place of the user's: the month is named as the store names it.
    auto named = [&](std::string s) {
        for (size_t at; (at = s.find(file.string())) != std::string::npos;) s.replace(at, file.string().size(), read.name);
        return s;
    };
    t.out = named(out.str());
    t.err = named(err.str());
    if (t.code != kExitOk) return t;

    month_save save;
    save.group = group;
    for (const std::string& a : command) save.act += (save.act.empty() ? "" : " ") + a;
    bool sealed = true;
    const result<std::vector<std::string>> lines = read_month_file_lines(file, speaking(c), sealed);
    if (!lines) return failed(lines.error());
    save.lines = *lines;
    std::string bytes;
    if (archive_read_member(data / kStaffArchive, kStaffMember, bytes).ok()) {
        for (const std::string& line : split_text_lines(cp1250_to_utf8(bytes))) {
            const std::vector<std::string> f = split_fields(line);
            if (f.size() < 2) continue;
            const int id = std::atoi(f[1].c_str());
            const auto it = workers.find(id);
            if (it == workers.end()) continue;  // a worker an act adds stays in the folder's world
            const balance_change was = it->second.balances, is = balances_of(id, line);
            save.balances.push_back({id, is.current - was.current, is.previous - was.previous, is.care - was.care,
                                     is.reha - was.reha});
            if (without_balances(line) != without_balances(it->second.record))
                save.workers.push_back({id, it->second.version, it->second.record, line});
        }
    }
    const result<save_outcome> saved = save_month(*db, read, save);
    if (!saved) return failed(saved.error());
    return t;
}

// The month commands that run on the store's rows in this process: the
// edits of the month and its staff through the document's acts, and the
// looks at the month that write no file. Any other runs on a scratch folder
// the ward is exported to.
bool runs_on_rows(const std::string& name) {
    for (const char* n :
         {"add-duty", "add-dayoff", "remove", "set-day", "parameters", "wish", "show", "summary"})
        if (name == n) return true;
    return false;
}

// The refusal of wrong arguments as the command line prints it.
int usage_refused(std::ostream& err, const Translator& tr, const command& cmd, const usage_error& e) {
    const std::string usage = tr.tr("cli", std::string("usage_") + cmd.name, cmd.usage);
    err << "planek-cli " << cmd.name << ": " << e.text(tr) << "\n"
        << tr.tr("cli", "help_Usage", "użycie:") << " planek-cli " << cmd.name
        << (usage.empty() ? "" : " " + usage) << "\n";
    return kExitUsage;
}

// One try of an act on the store's rows: the ward read from one snapshot
// with its versions, the session built from those rows, the command run on
// it, and its save one transaction of only the rows it touched.
act_try try_act_on_rows(context& c, pg_connection& db, int year, int month, int group,
                        const std::vector<std::string>& command) {
    act_try t;
    auto failed = [&](const refusal& why) {
        t.code = kExitFailure;
        t.retry = why.kind == refusal_kind::Conflict;
        t.err = why.text + "\n";
        return t;
    };
    result<ward_month> found = read_ward_month(db, year, month);
    if (!found) return failed(found.error());
    const ward_month& read = *found;
    std::string act;
    for (const std::string& a : command) act += (act.empty() ? "" : " ") + a;
    held_month held;
    held.name = read.read.name;
    held.bytes = read.bytes;
    held.save = [&](const Plan& plan) -> result<> {
        const result<save_outcome> saved = save_month(db, read.read, changes_of(plan, read, group, act));
        if (!saved) {
            t.retry = saved.error().kind == refusal_kind::Conflict;
            return saved.error();
        }
        return {};
    };

    // What the act says goes to its own streams: a try run again says nothing.
    std::ostringstream out, err;
    auto ui = std::make_shared<CliInteraction>(err, c.ui->preset());
    Plan session;
    session.ui = ui;
    session.tr = speaking(c);
    if (result<> opened =
            open_ward_session(session, read.files, c.lang, shipped_language_folder(executable_folder()));
        !opened)
        return failed(opened.error());
    else
        tell_user(*ui, opened);
    context inner(out, err, ui, std::move(session));
    inner.held = &held;
    inner.lang = c.lang;
    inner.runLanguage = c.runLanguage;
    inner.args.push_back(read.read.name);
    inner.args.insert(inner.args.end(), command.begin() + 1, command.end());
    const planek::cli::command* cmd = find_command(command[0]);
    try {
        t.code = cmd->run(inner);
    } catch (const usage_error& e) {
        t.code = usage_refused(err, inner.plan.tr.empty() ? c.runLanguage : inner.plan.tr, *cmd, e);
    } catch (const std::exception& e) {
        err << "planek-cli " << cmd->name << ": " << e.what() << "\n";
        t.code = kExitFailure;
    }
    t.out = out.str();
    t.err = err.str();
    return t;
}

// The ward an act is made in, as the month commands choose it: the one
// named by --group, else the worker's first (0 when the act names neither).
int act_group(pg_connection& db, const std::vector<std::string>& command) {
    for (size_t i = 1; i < command.size(); ++i) {
        if (command[i] == "--group" && i + 1 < command.size()) return std::atoi(command[i + 1].c_str());
        if (command[i].rfind("--group=", 0) == 0) return std::atoi(command[i].c_str() + 8);
    }
    if (command.size() < 2 || command[1].empty() ||
        command[1].find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const result<pg_rows> r = db.exec("SELECT record FROM workers WHERE id = $1", {command[1]});
    if (!r || r->empty()) return 0;
    const std::vector<std::string> f = split_fields(r->text(0, 0));
    for (size_t n = 1; !staff_field_name(n).empty(); ++n)
        if (staff_field_name(n) == "groups") return n < f.size() ? std::atoi(f[n].c_str()) : 0;
    return 0;
}

// The mark of the ward being edited, taken off whatever the act's end (and
// by the server when the program dies, its connection going with it).
struct editing_mark {
    pg_connection& db;
    std::optional<long long> id;
    ~editing_mark() {
        if (id) (void)unmark_editing(db, *id);
    }
};

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
    editing_mark mark{*db, std::nullopt};
    if (result<long long> m = mark_editing(*db, monthName, group); m) mark.id = *m;
    else {
        c.err << m.error().text << "\n";
        return kExitFailure;
    }
    constexpr int kTries = 5;
    for (int attempt = 1;; ++attempt) {
        const act_try t = runs_on_rows(words[0]) ? try_act_on_rows(c, *db, year, month, group, words)
                                                 : try_act(c, url, year, month, group, words);
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
    throw unknown_action(c, action, {"init", "import", "export", "history", "act", "watch", "who"}, "cli_DbNeedsAction",
                         "podaj, co zrobić: init, import, export, history, act, watch albo who");
}

}  // namespace

std::vector<command> db_commands() {
    return {
        {"db", "init URL [--role ROLA] | import DIR URL | export URL DIR | history URL --month RRRR-MM [--worker ID] | act URL RRRR-MM POLECENIE ARGUMENTY | watch URL [--month RRRR-MM] [--count N] | who URL --month RRRR-MM",
         "baza danych szpitala (PostgreSQL): zakłada i uaktualnia schemat, przenosi folder danych do bazy i z "
         "powrotem, wypisuje historię zmian, wykonuje polecenie miesiąca na miesiącu z bazy, pokazuje zmiany innych "
         "planistów na bieżąco i kto edytuje który oddział; adres bazy może pochodzić z ustawień użytkownika "
         "(config --set user db_url ADRES)",
         db},
    };
}

}  // namespace planek::cli
