// planek-cli db session URL: one planner's program on the server, its acts
// read from the standard input one a line. The connection and the months
// stay between acts; before each act only what others saved since is read,
// so an act costs its own save and little more.
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/db_acts.h"
#include "editing/refusal.h"
#include "files/program_root.h"
#include "settings/language_install.h"
#include "store/planners.h"
#include "store/ward_month.h"
#include "store/ward_refresh.h"
#include "store/ward_session.h"

namespace planek::cli::store_acts {

namespace {

using namespace planek::store;

// A line's words as a shell splits them: quotes keep spaces, a backslash
// keeps the next character. Nothing is expanded.
std::vector<std::string> line_words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quote) {
            if (ch == quote) quote = 0;
            else if (ch == '\\' && quote == '"' && i + 1 < line.size()) word += line[++i];
            else word += ch;
        } else if (ch == '"' || ch == '\'') {
            quote = ch, inWord = true;
        } else if (ch == '\\' && i + 1 < line.size()) {
            word += line[++i], inWord = true;
        } else if (ch == ' ' || ch == '\t' || ch == '\r') {
            if (inWord) words.push_back(word);
            word.clear(), inWord = false;
        } else {
            word += ch, inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// The first line of what a refused act said: the answer is one line.
std::string first_line(const std::string& text) {
    size_t from = 0;
    while (from < text.size()) {
        const size_t end = text.find('\n', from);
        const std::string line = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
        if (!line.empty()) return line;
        if (end == std::string::npos) break;
        from = end + 1;
    }
    return {};
}

// The marks of the wards the session has edited, taken off when it ends
// (and by the server should the program die).
struct session_marks {
    pg_connection& db;
    std::map<std::pair<std::string, int>, long long> ids;
    ~session_marks() {
        for (const auto& [ward, id] : ids) (void)unmark_editing(db, id);
    }
};

class planner_session {
public:
    planner_session(context& c, std::string url, pg_connection& db) : c_(c), url_(std::move(url)), db_(db), marks_{db, {}} {}

    // One act: its own output, then its answer line. Gives whether it committed.
    bool act(const std::vector<std::string>& words) {
        int year = 0, month = 0;
        if (words.size() < 2 || !month_word(words[0]) ||
            std::sscanf(words[0].c_str(), "%4d-%2d", &year, &month) != 2)
            return refused(say(c_, "cli_DbNeedsMonthWord",
                               "podaj miesiąc RRRR-MM i polecenie miesiąca (np. add-duty PRACOWNIK DZIEŃ ZMIANA)"));
        const std::vector<std::string> command(words.begin() + 1, words.end());
        if (command[0] == "db" || command[0] == "session")
            return refused(say(c_, "cli_UnknownCommand", "nieznane polecenie „%s”", {command[0]}));
        if (!find_command(command[0])) return refused(unknown_command(speaking(c_), command[0]));

        constexpr int kTries = 10;
        for (int attempt = 1;; ++attempt) {
            act_try t;
            if (runs_on_rows(command[0])) {
                ward_month* held = month_held(words[0], year, month, t);
                if (held) {
                    const int group = act_group(command, [&](int id) {
                        const auto w = held->workers.find(id);
                        return w == held->workers.end() ? std::string() : w->second.record;
                    });
                    if (!mark(words[0], group, t)) return answer(t, attempt);
                    if (const Plan* opened = session_of(words[0], *held, t))
                        t = try_act_on_rows(c_, db_, *held, group, command, opened);
                }
            } else {
                const int group = act_group(db_, command);
                if (!mark(words[0], group, t)) return answer(t, attempt);
                t = try_act(c_, url_, year, month, group, command);
            }
            // Whatever the act did, the month is read as the store now holds it
            // before the next: its own rows come back with their versions.
            stale_.insert(words[0]);
            if (t.retry && attempt < kTries) continue;
            return answer(t, attempt);
        }
    }

    bool refused(const std::string& why) {
        c_.out << say(c_, "cli_DbSessionRefused", "odmowa: %s", {why}) << std::endl;
        return false;
    }

private:
    // The month as the store holds it now: read whole the first time, then
    // only what changed since.
    ward_month* month_held(const std::string& name, int year, int month, act_try& t) {
        auto it = months_.find(name);
        if (it == months_.end()) {
            result<ward_month> read = read_ward_month(db_, year, month);
            if (!read) return failed(read.error(), t);
            stale_.erase(name);
            return &months_.emplace(name, std::move(*read)).first->second;
        }
        if (stale_.count(name)) {
            if (const result<refresh_outcome> r = refresh_ward_month(db_, it->second); !r) return failed(r.error(), t);
            stale_.erase(name);
        }
        return &it->second;
    }

    // The session the month's acts start from, opened once from the ward's
    // lines and then brought up to the workers others changed since.
    const Plan* session_of(const std::string& name, const ward_month& held, act_try& t) {
        auto it = sessions_.find(name);
        if (it != sessions_.end() && it->second.files.groups == held.files.groups &&
            it->second.files.config == held.files.config) {
            if (it->second.files.staff == held.files.staff ||
                renew_ward_workers(it->second.plan, it->second.files.staff, held.files.staff)) {
                it->second.files.staff = held.files.staff;
                return &it->second.plan;
            }
        }
        opened_session made;
        made.plan.ui = c_.ui;
        made.plan.tr = speaking(c_);
        if (result<> r = open_ward_session(made.plan, held.files, c_.lang, shipped_language_folder(executable_folder()));
            !r)
            return failed(r.error(), t), nullptr;
        else
            tell_user(*made.plan.ui, r);
        made.files = held.files;
        sessions_.erase(name);
        return &sessions_.emplace(name, std::move(made)).first->second.plan;
    }

    ward_month* failed(const refusal& why, act_try& t) {
        t.code = kExitFailure;
        t.retry = why.kind == refusal_kind::Conflict;
        t.err = why.text + "\n";
        return nullptr;
    }

    bool mark(const std::string& month, int group, act_try& t) {
        if (marks_.ids.count({month, group})) return true;
        const result<long long> m = mark_editing(db_, month, group);
        if (!m) return failed(m.error(), t), false;
        marks_.ids[{month, group}] = *m;
        return true;
    }

    bool answer(const act_try& t, int attempt) {
        c_.out << t.out;
        if (t.code != kExitOk) return refused(first_line(t.err));
        c_.err << t.err;
        if (attempt == 1) c_.out << say(c_, "cli_DbSessionCommitted", "zapisano") << std::endl;
        else
            c_.out << say(c_, "cli_DbSessionRetried", "zapisano ponownie na nowych danych (prób: %s)",
                          {std::to_string(attempt)})
                   << std::endl;
        return true;
    }

    context& c_;
    std::string url_;
    pg_connection& db_;
    session_marks marks_;
    std::map<std::string, ward_month> months_;
    std::set<std::string> stale_;  // months someone may have saved since they were read
    struct opened_session {
        Plan plan;
        ward_files files;  // the lines it was opened from, or last brought up to
    };
    std::map<std::string, opened_session> sessions_;
};

}  // namespace

int db_session(context& c, const std::vector<std::string>& args) {
    std::string url;
    const std::vector<std::string> words = arg_parser().text("--db", url).words(1).parse(args);
    if (url.empty()) url = words.empty() ? settings_url() : words[0];
    else if (!words.empty()) throw usage_error("cli_TooManyArguments", "za dużo argumentów");
    url = checked_url(url);
    std::optional<pg_connection> db = connect(c, url);
    if (!db) return kExitFailure;
    planner_session session(c, url, *db);
    bool all = true;
    for (std::string line; std::getline(std::cin, line);) {
        const std::vector<std::string> act = line_words(line);
        if (act.empty() || act[0].front() == '#') continue;  // a blank line or a remark asks nothing
        try {
            all = session.act(act) && all;
        } catch (const usage_error& e) {
            all = session.refused(e.text(speaking(c))) && all;
        }
    }
    return all ? kExitOk : kExitFailure;
}

}  // namespace planek::cli::store_acts
