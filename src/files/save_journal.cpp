#include "files/save_journal.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <random>
#include <set>
#include <system_error>

#include "core/lock_file.h"
#include "core/sha256.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// Version 2 names its files relative to the journal's folder (the data
// folder), so a copied data folder finishes its own saves and never those of
// the folder it came from; version 1 named them absolutely and still reads.
// An older program meets version 2 as a file it cannot read and leaves it.
constexpr const char* kJournalHead = "planek-zapis 2";
constexpr const char* kAbsoluteJournalHead = "planek-zapis 1";
constexpr const char* kJournalPrefix = "zapis_";
constexpr const char* kJournalExt = ".jrn";

bool older_than(const fs::path& file, std::chrono::seconds age) {
    std::error_code ec;
    const auto written = fs::last_write_time(file, ec);
    return !ec && fs::file_time_type::clock::now() - written >= age;
}

std::vector<std::string> split_tabs(const std::string& line) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = line.find('\t', from)) != std::string::npos; from = at + 1)
        parts.push_back(line.substr(from, at - from));
    parts.push_back(line.substr(from));
    return parts;
}

bool is_there(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

void remove_quietly(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

// The journal can be finished when every file still waiting finds its
// target as the save found it, and every file already renamed is still the
// save's own text; anything else means another program saved since.
bool finishable(const std::vector<journal_entry>& entries) {
    return std::all_of(entries.begin(), entries.end(), [](const journal_entry& e) {
        return file_hash(e.target) == (is_there(e.tmp) ? e.before : e.after);
    });
}

bool any_renamed(const std::vector<journal_entry>& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const journal_entry& e) { return !is_there(e.tmp); });
}

// "kadra.inr" -> "kadra.inr.przerwany_<n>", a name nobody has taken.
fs::path free_aside_name(const fs::path& target) {
    for (int n = 1;; ++n) {
        fs::path p = target;
        p += ".przerwany_" + std::to_string(n);
        if (!is_there(p)) return p;
    }
}

// A save that renamed part of its files before it was killed has landed
// those; whoever saved them since built on them. What still waits belongs
// with them (the balance of a leave already in the month), so it lands where
// its target is as the save found it, and is kept beside the target, for the
// user to be told, where another program wrote the target since.
bool finish_landed_part(const std::vector<journal_entry>& entries, leftover& item) {
    for (const journal_entry& e : entries) {
        if (!is_there(e.tmp)) continue;
        if (file_hash(e.target) == e.before) {
            if (!put_in_place(e.tmp, e.target)) return false;
            continue;
        }
        const fs::path aside = free_aside_name(e.target);
        std::error_code ec;
        fs::rename(e.tmp, aside, ec);
        if (ec) return false;
        item.keptAside.push_back(aside);
    }
    return true;
}

// Finishes or drops one journal. False when it has to stay for a later start.
bool settle_journal(const fs::path& journal, std::vector<leftover>& done) {
    std::vector<journal_entry> entries;
    std::string error;
    if (!read_journal(journal, entries, error)) {
        done.push_back({leftover_action::Unreadable, journal, {}, {}});
        return false;
    }
    leftover item{leftover_action::Finished, journal, {}, {}};
    for (const journal_entry& e : entries) item.targets.push_back(e.target);
    if (finishable(entries)) {
        for (const journal_entry& e : entries)
            if (is_there(e.tmp) && !put_in_place(e.tmp, e.target)) return false;  // tried again next time
    } else if (any_renamed(entries)) {
        if (!finish_landed_part(entries, item)) return false;
    } else {
        // Nothing landed and a target moved on: the whole save is older than the files.
        item.action = leftover_action::Abandoned;
        for (const journal_entry& e : entries) remove_quietly(e.tmp);
    }
    remove_quietly(journal);
    done.push_back(std::move(item));
    return true;
}

// The temporary files journals still wait for: those of saves running now,
// and of journals that could not be settled.
std::set<fs::path> waiting_files(const std::vector<fs::path>& journals) {
    std::set<fs::path> waiting;
    for (const fs::path& j : journals) {
        std::vector<journal_entry> entries;
        std::string ignored;
        if (!read_journal(j, entries, ignored)) continue;
        for (const journal_entry& e : entries) waiting.insert(e.tmp.lexically_normal());
    }
    return waiting;
}

}  // namespace

std::string bytes_hash(const std::string& bytes) { return sha256_hex(bytes); }

std::string file_hash(const fs::path& file) {
    if (!is_there(file)) return "-";
    std::string bytes, error;
    if (!read_bytes(file, bytes, error)) return "?";
    return bytes_hash(bytes);
}

fs::path new_journal_name(const fs::path& folder) {
    std::random_device random;
    return folder / (kJournalPrefix + std::to_string(random() % 1000000000u) + kJournalExt);
}

bool is_journal_name(const fs::path& file) {
    const std::string name = file.filename().string();
    return name.rfind(kJournalPrefix, 0) == 0 && file.extension() == kJournalExt;
}

namespace {

std::string relative_to(const fs::path& file, const fs::path& folder) {
    std::error_code ec;
    const fs::path rel = fs::absolute(file, ec).lexically_normal().lexically_relative(
        fs::absolute(folder, ec).lexically_normal());
    return rel.empty() ? file.string() : rel.generic_string();
}

fs::path resolved(const std::string& text, const fs::path& folder, bool relative) {
    const fs::path p(text);
    return relative && p.is_relative() ? (folder / p).lexically_normal() : p;
}

}  // namespace

io_result write_journal(const fs::path& journal, const std::vector<journal_entry>& entries,
                        const Translator* tr) {
    std::vector<std::string> lines{kJournalHead};
    const fs::path folder = journal.parent_path();
    for (const journal_entry& e : entries)
        lines.push_back(relative_to(e.target, folder) + "\t" + relative_to(e.tmp, folder) + "\t" + e.before + "\t" +
                        e.after);
    return write_lines(journal, lines, tr);
}

bool read_journal(const fs::path& journal, std::vector<journal_entry>& entries, std::string& error,
                  const Translator* tr) {
    std::vector<std::string> lines;
    if (!read_lines(journal, lines, error, kJournalBound, tr)) return false;
    entries.clear();
    const bool relative = !lines.empty() && lines.front() == kJournalHead;
    if (lines.empty() || (!relative && lines.front() != kAbsoluteJournalHead)) {
        error = file_message(tr, "msg_NotASaveJournal", "Plik \"%s\" nie jest dziennikiem zapisu.",
                             {journal.string()});
        return false;
    }
    for (size_t n = 1; n < lines.size(); ++n) {
        if (lines[n].empty()) continue;
        const std::vector<std::string> parts = split_tabs(lines[n]);
        if (parts.size() != 4 || parts[0].empty() || parts[1].empty()) {
            error = file_message(tr, "msg_JournalEntryIncomplete", "Plik \"%s\", wiersz %s: niepełny wpis.",
                                 {journal.string(), std::to_string(n + 1)});
            return false;
        }
        const fs::path folder = journal.parent_path();
        entries.push_back({resolved(parts[0], folder, relative), resolved(parts[1], folder, relative), parts[2], parts[3]});
    }
    return true;
}

namespace {

// A slow save (a large archive on a network share) may still be writing its
// temporary file: its save lock beside the target says so until it is stale.
bool under_running_save(const fs::path& temporary) {
    const std::string name = temporary.filename().string();
    const fs::path lock = save_lock::file_for(temporary.parent_path() / name.substr(0, name.rfind(".tmp")));
    std::error_code ec;
    if (!fs::exists(lock, ec)) return false;
    return !lock_is_stale(lock, read_lock_file(lock), std::time(nullptr), std::chrono::minutes(2));
}

}  // namespace

std::vector<leftover> settle_interrupted_saves(const fs::path& journal_folder, const std::vector<fs::path>& folders,
                                               std::chrono::seconds min_age) {
    std::vector<leftover> done;
    std::vector<fs::path> kept;  // journals still waiting: too young, or not to be settled now
    std::error_code ec;
    std::vector<fs::path> journals;
    if (!journal_folder.empty() && fs::is_directory(journal_folder, ec))
        for (const auto& e : fs::directory_iterator(journal_folder, ec))
            if (e.is_regular_file(ec) && is_journal_name(e.path())) journals.push_back(e.path());
    std::sort(journals.begin(), journals.end());
    for (const fs::path& j : journals)
        if (!older_than(j, min_age) || !settle_journal(j, done)) kept.push_back(j);

    const std::set<fs::path> waiting = waiting_files(kept);
    std::set<fs::path> seen;
    for (const fs::path& folder : folders) {
        if (folder.empty() || !fs::is_directory(folder, ec) || !seen.insert(fs::weakly_canonical(folder, ec)).second)
            continue;
        std::vector<fs::path> stale;
        for (const auto& e : fs::directory_iterator(folder, ec))
            if (e.is_regular_file(ec) && is_temporary_name(e.path()) && older_than(e.path(), min_age) &&
                !waiting.count(e.path().lexically_normal()) && !under_running_save(e.path()))
                stale.push_back(e.path());
        std::sort(stale.begin(), stale.end());
        for (const fs::path& p : stale) {
            std::error_code removed;
            if (fs::remove(p, removed)) done.push_back({leftover_action::Removed, p, {}, {}});
        }
    }
    return done;
}

}  // namespace planek
