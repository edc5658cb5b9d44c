#include "files/interrupted_saves.h"

#include <ctime>
#include <fstream>

#include "core/cp1250.h"
#include "files/save_journal.h"
#include "files/stale_locks.h"
#include "settings/message_format.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

std::string stamp(const Plan& plan) {
    const std::time_t now = plan.clock->now();
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string joined(const std::vector<fs::path>& files) {
    std::string s;
    for (const fs::path& f : files) s += (s.empty() ? "" : ", ") + f.string();
    return s;
}

std::string log_line(const Plan& plan, const leftover& l) {
    const std::string name = l.file.filename().string();
    switch (l.action) {
        case leftover_action::Finished:
            return fill_message(plan.tr.msg("msg_LogSaveFinished", "Dokończono przerwany zapis (%s): %s"),
                                {name, joined(l.targets)});
        case leftover_action::Abandoned:
            return fill_message(plan.tr.msg("msg_LogSaveAbandoned",
                                            "Porzucono przerwany zapis (%s), bo jego pliki zmieniono w "
                                            "międzyczasie: %s"),
                                {name, joined(l.targets)});
        case leftover_action::Unreadable:
            return fill_message(plan.tr.msg("msg_LogJournalUnreadable",
                                            "Nie można odczytać dziennika zapisu %s; pozostawiono go."),
                                {l.file.string()});
        case leftover_action::Removed:
            break;
    }
    return fill_message(plan.tr.msg("msg_LogTempRemoved", "Usunięto plik tymczasowy przerwanego zapisu: %s"),
                        {l.file.string()});
}

}  // namespace

fs::path log_file(const Plan& plan) { return plan.paths.data / "planek.log"; }

void append_log(const Plan& plan, const std::vector<std::string>& lines) {
    if (lines.empty() || plan.paths.data.empty()) return;
    // A log only grows, so it is appended to rather than written whole.
    std::ofstream out(log_file(plan), std::ios::binary | std::ios::app);
    const std::string when = stamp(plan);
    for (const std::string& line : lines) out << utf8_to_cp1250_lossy(when + " " + line) << "\r\n";
}

std::vector<std::string> tidy_after_killed_saves(const Plan& plan, std::vector<std::string>* toTell) {
    std::vector<fs::path> folders{plan.paths.data, plan.paths.root};
    for (const std::string& recent : plan.options.recentProjects)
        if (!recent.empty()) folders.push_back(fs::path(recent).parent_path());
    std::vector<std::string> lines;
    for (const leftover& l : settle_interrupted_saves(plan.paths.data, folders)) {
        lines.push_back(log_line(plan, l));
        for (const fs::path& aside : l.keptAside) {
            lines.push_back(fill_message(plan.tr.msg("msg_LogSaveKeptAside",
                                                     "Nie dokończono zapisu pliku %s, bo zmieniono go w międzyczasie; "
                                                     "jego nowa treść czeka w pliku %s."),
                                         {(aside.parent_path() / aside.stem()).string(), aside.string()}));
            if (toTell) toTell->push_back(lines.back());
        }
    }
    for (const stale_lock& l : remove_stale_locks(folders))
        lines.push_back(l.pid ? fill_message(plan.tr.msg("msg_LogStaleLockRemoved",
                                                         "Usunięto blokadę %s pozostawioną przez zakończony proces %s"),
                                             {l.file.string(), std::to_string(l.pid)})
                              : fill_message(plan.tr.msg("msg_LogEmptyLockRemoved", "Usunięto pustą blokadę %s"),
                                             {l.file.string()}));
    append_log(plan, lines);
    return lines;
}

}  // namespace planek
