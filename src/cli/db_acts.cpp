// The db commands' shared pieces: the server's address and one try of an act.
#include "cli/db_acts.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>

#include "cli/arg_parser.h"
#include "core/cp1250.h"
#include "core/paths.h"
#include "core/plan.h"
#include "core/text.h"
#include "editing/refusal.h"
#include "files/archive.h"
#include "files/program_root.h"
#include "files/staff_archive.h"
#include "files/staff_file.h"
#include "settings/language_install.h"
#include "settings/user_settings.h"
#include "store/folder_transfer.h"
#include "store/month_rows.h"
#include "store/month_save.h"
#include "store/planners.h"
#include "store/ward_session.h"

namespace planek::cli::store_acts {

using namespace planek::store;
namespace fs = std::filesystem;

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

namespace {

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

}  // namespace

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

namespace {

// The refusal of wrong arguments as the command line prints it.
int usage_refused(std::ostream& err, const Translator& tr, const command& cmd, const usage_error& e) {
    const std::string usage = tr.tr("cli", std::string("usage_") + cmd.name, cmd.usage);
    err << "planek-cli " << cmd.name << ": " << e.text(tr) << "\n"
        << tr.tr("cli", "help_Usage", "użycie:") << " planek-cli " << cmd.name
        << (usage.empty() ? "" : " " + usage) << "\n";
    return kExitUsage;
}

}  // namespace

// One try of an act on the store's rows: the ward read from one snapshot
// with its versions, the session built from those rows, the command run on
// it, and its save one transaction of only the rows it touched.
act_try try_act_on_rows(context& c, pg_connection& db, const ward_month& read, int group,
                        const std::vector<std::string>& command, const Plan* opened) {
    act_try t;
    auto failed = [&](const refusal& why) {
        t.code = kExitFailure;
        t.retry = why.kind == refusal_kind::Conflict;
        t.err = why.text + "\n";
        return t;
    };
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
    Plan session = opened ? *opened : Plan();
    session.ui = ui;
    if (!opened) {
        session.tr = speaking(c);
        if (result<> made =
                open_ward_session(session, read.files, c.lang, shipped_language_folder(executable_folder()));
            !made)
            return failed(made.error());
        else
            tell_user(*ui, made);
    }
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
int act_group(const std::vector<std::string>& command, const std::function<std::string(int)>& record) {
    for (size_t i = 1; i < command.size(); ++i) {
        if (command[i] == "--group" && i + 1 < command.size()) return std::atoi(command[i + 1].c_str());
        if (command[i].rfind("--group=", 0) == 0) return std::atoi(command[i].c_str() + 8);
    }
    if (command.size() < 2 || command[1].empty() || command[1].size() > 9 ||
        command[1].find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const std::vector<std::string> f = split_fields(record(std::atoi(command[1].c_str())));
    for (size_t n = 1; !staff_field_name(n).empty(); ++n)
        if (staff_field_name(n) == "groups") return n < f.size() ? std::atoi(f[n].c_str()) : 0;
    return 0;
}

int act_group(pg_connection& db, const std::vector<std::string>& command) {
    return act_group(command, [&](int id) {
        const result<pg_rows> r = db.exec("SELECT record FROM workers WHERE id = $1", {std::to_string(id)});
        return r && !r->empty() ? r->text(0, 0) : std::string();
    });
}

editing_mark::~editing_mark() {
    if (id) (void)unmark_editing(db, *id);
}

}  // namespace planek::cli::store_acts
