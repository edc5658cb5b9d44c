#include "files/month_lock.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <set>
#include <thread>

#include "core/guarded_write.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "files/month_file.h"
#include "files/month_merge.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

std::string clock_time(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[8];
    std::strftime(buf, sizeof buf, "%H:%M", &tm);
    return buf;
}

bool held_by_us(const Plan& plan, const fs::path& lock) {
    return std::find(plan.guards.heldLocks.begin(), plan.guards.heldLocks.end(), lock) != plan.guards.heldLocks.end();
}

// Replaces whatever lock is there by ours.
bool take_over(Plan& plan, const fs::path& lock) {
    remove_lock_file(lock);
    const lock_attempt a = create_lock_file(lock, plan_owner(plan));
    if (a.made) plan.guards.heldLocks.push_back(lock);
    return a.made;
}

}  // namespace

lock_owner plan_owner(const Plan& plan) {
    lock_owner me = this_process_owner(plan.options.user.user_name, plan.clock->now());
    // A program that never asks about a held month is the command line,
    // holding a month for one edit.
    me.brief = plan.guards.lockPolicy != lock_policy::Ask;
    return me;
}

std::string lock_holder_text(const Plan& plan, const lock_owner& holder) {
    return message(plan, "msg_FileOpenedBy", "Plik jest otwarty przez %s na komputerze %s od %s",
                   {holder.user, holder.host, clock_time(holder.since)});
}

namespace {

fs::path group_lock_file(const fs::path& file, word group) {
    return file.parent_path() / (file.filename().string() + ".g" + std::to_string(group) + ".lock");
}

// The locks of other programs that keep this one from its part: for one
// group's part the whole month's lock; for the whole month every group's.
std::vector<fs::path> blocking_locks(const fs::path& file, std::optional<word> group) {
    if (group) return {open_lock_file(file)};
    std::vector<fs::path> locks;
    const std::string head = file.filename().string() + ".g";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(file.parent_path().empty() ? fs::path(".") : file.parent_path(), ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() > head.size() + 5 && name.starts_with(head) && name.ends_with(".lock"))
            locks.push_back(e.path());
    }
    std::sort(locks.begin(), locks.end());
    return locks;
}

std::string group_name(const Plan& plan, word group) {
    for (const grupa& g : plan.groups)
        if (g.id == group) return g.name;
    return std::to_string(group);
}

std::string ward_held_text(const Plan& plan, word group, const lock_owner& holder) {
    return message(plan, "msg_WardHeldBy", "Grupę %s planuje %s na komputerze %s od %s. Pokazano ją tylko do odczytu.",
                   {group_name(plan, group), holder.user, holder.host, clock_time(holder.since)});
}

refusal stale_lock_note(const Plan& plan, const std::string& file, const lock_owner& holder) {
    return notice(message(plan, "msg_StaleLockTaken", "Przejęto pozostawioną blokadę pliku %s (%s, komputer %s, od %s).",
                          {fs::path(file).filename().string(), holder.user, holder.host, clock_time(holder.since)}),
                  file);
}

// Another live program holds `lock`: refused, taken over or asked, as the
// policy says. `ownName` says the lock is the one this program would make,
// so taking over means replacing it; a lock of another part opened over
// goes, as the holder's claim does.
month_lock_outcome met_holder(Plan& plan, const std::string& file, const fs::path& lock, const lock_owner& holder,
                              bool ownName) {
    const std::string held = lock_holder_text(plan, holder);
    switch (plan.guards.lockPolicy) {
        case lock_policy::Refuse:
            return {false, false, refused(refusal_kind::Locked, held + ".", file)};
        case lock_policy::Force:
            if (ownName) take_over(plan, lock);
            else remove_lock_file(lock);
            return {true, false, notice(held + ".", file)};
        case lock_policy::Ask:
            break;
    }
    // The window over one ward's part: another planner's ward is looked at,
    // never taken from them by a question answered in haste.
    if (plan.guards.wardLocks) {
        plan.guards.readOnly.insert(guard_key(fs::path(file)));
        const std::string text = ownName && plan.guards.lockedGroup
                                     ? ward_held_text(plan, *plan.guards.lockedGroup, holder)
                                     : held + ". " + message(plan, "msg_ShownReadOnly", "Pokazano go tylko do odczytu.");
        return {true, true, notice(text, file)};
    }
    const Answer answer =
        plan.ui->ask(held + "." + kLineBreak +
                         message(plan, "msg_OpenLockedAnyway", "Otworzyć mimo to? (Nie: tylko do odczytu)"),
                     Buttons::YesNoCancel);
    if (answer == Answer::Cancel) return {false, false, refused(refusal_kind::Cancelled, {})};
    if (answer == Answer::Yes) {
        if (ownName) take_over(plan, lock);
        else remove_lock_file(lock);
        return {};
    }
    plan.guards.readOnly.insert(guard_key(fs::path(file)));
    return {true, true, {}};
}

}  // namespace

namespace {

// How long a lock of a command-line edit, or one still being written, is
// waited for before it counts as held.
constexpr std::chrono::seconds kBriefWait{15};
constexpr std::chrono::milliseconds kLookAgain{20};

using deadline = std::chrono::steady_clock::time_point;

bool wait_more(deadline until) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(kLookAgain);
    return true;
}

refusal being_opened(const Plan& plan, const std::string& file) {
    return refused(refusal_kind::Locked,
                   message(plan, "msg_LockBeingMade", "Plik %s otwiera w tej chwili inny program.",
                           {fs::path(file).filename().string()}),
                   file);
}

}  // namespace

month_lock_outcome lock_month(Plan& plan, const std::string& file) {
    // The window holds the ward it shows.
    if (plan.guards.wardLocks)
        plan.guards.lockedGroup = plan.group() ? std::optional<word>(plan.group()->id) : std::nullopt;
    const std::optional<word> group = plan.guards.lockedGroup;
    const fs::path lock = group ? group_lock_file(fs::path(file), *group) : open_lock_file(fs::path(file));
    if (held_by_us(plan, lock)) return {};
    const deadline until = std::chrono::steady_clock::now() + kBriefWait;
    refusal takenOver;
    for (const fs::path& other : blocking_locks(fs::path(file), group)) {
        for (;;) {
            std::error_code ec;
            if (!fs::exists(other, ec)) break;
            const std::optional<lock_owner> holder = read_lock_file(other);
            if (holder && is_this_process(*holder)) break;
            if (lock_is_stale(other, holder, plan.clock->now(), std::chrono::hours(24))) {
                if (holder) takenOver = stale_lock_note(plan, file, *holder);
                remove_lock_file(other);
                break;
            }
            if ((!holder || holder->brief) && wait_more(until)) continue;
            if (!holder) return {false, false, being_opened(plan, file)};
            month_lock_outcome met = met_holder(plan, file, other, *holder, false);
            if (!met.open || met.readOnly) return met;
            if (met.said.said()) takenOver = met.said;
            break;
        }
    }
    for (;;) {
        const lock_attempt a = create_lock_file(lock, plan_owner(plan));
        if (a.made) {
            plan.guards.heldLocks.push_back(lock);
            return {true, false, takenOver};
        }
        // A folder where no lock can be made is still a folder to work in.
        if (!a.exists) return {};
        const std::optional<lock_owner> holder = read_lock_file(lock);
        // This program's own, from an earlier opening of the file.
        if (holder && is_this_process(*holder)) {
            plan.guards.heldLocks.push_back(lock);
            return {};
        }
        if (lock_is_stale(lock, holder, plan.clock->now(), std::chrono::hours(24))) {
            if (holder) takenOver = stale_lock_note(plan, file, *holder);
            remove_lock_file(lock);
            continue;
        }
        // Being written this moment, or another command's edit: look again.
        if ((!holder || holder->brief) && wait_more(until)) continue;
        if (!holder) return {false, false, being_opened(plan, file)};
        return met_holder(plan, file, lock, *holder, true);
    }
}

void release_month_locks(Plan& plan) {
    for (const fs::path& lock : plan.guards.heldLocks) {
        const std::optional<lock_owner> holder = read_lock_file(lock);
        // Somebody who opened it anyway since holds it now.
        if (holder && is_this_process(*holder)) remove_lock_file(lock);
    }
    plan.guards.heldLocks.clear();
    plan.guards.readOnly.clear();
}

bool opened_read_only(const Plan& plan, const std::string& file) {
    return plan.guards.readOnly.count(guard_key(fs::path(file))) > 0;
}

namespace {

constexpr std::chrono::hours kLockMaxAge{24};

// The group a lock of `file` is the part of, if it is one.
std::optional<word> ward_of_lock(const fs::path& file, const fs::path& lock) {
    const std::string head = file.filename().string() + ".g", name = lock.filename().string();
    if (lock.parent_path() != file.parent_path() || !name.starts_with(head) || !name.ends_with(".lock"))
        return std::nullopt;
    const std::optional<long long> id = parse_int(name.substr(head.size(), name.size() - head.size() - 5));
    if (!id || *id < 0 || *id > 0xFFFF) return std::nullopt;
    return word(*id);
}

void give_back(Plan& plan, const fs::path& lock) {
    const std::optional<lock_owner> holder = read_lock_file(lock);
    if (holder && is_this_process(*holder)) remove_lock_file(lock);
    std::erase(plan.guards.heldLocks, lock);
}

// The part of `group` taken without waiting or asking: false when another
// live program holds it.
bool take_free_ward(Plan& plan, const fs::path& file, word group) {
    const fs::path lock = group_lock_file(file, group);
    for (int tries = 0; tries < 3; ++tries) {
        const lock_attempt a = create_lock_file(lock, plan_owner(plan));
        if (a.made) {
            plan.guards.heldLocks.push_back(lock);
            return true;
        }
        if (!a.exists) return true;
        const std::optional<lock_owner> holder = read_lock_file(lock);
        if (holder && is_this_process(*holder)) {
            plan.guards.heldLocks.push_back(lock);
            return true;
        }
        if (!lock_is_stale(lock, holder, plan.clock->now(), kLockMaxAge)) return false;
        remove_lock_file(lock);
    }
    return false;
}

}  // namespace

std::vector<month_hold> month_holds(const std::string& file, std::time_t now) {
    std::vector<month_hold> holds;
    const fs::path path(file);
    auto add = [&](const fs::path& lock, std::optional<word> group) {
        const std::optional<lock_owner> holder = read_lock_file(lock);
        // One being written this moment names nobody yet; one left by a
        // dead program holds nothing.
        if (!holder || is_this_process(*holder) || lock_is_stale(lock, holder, now, kLockMaxAge)) return;
        holds.push_back({group, *holder});
    };
    std::error_code ec;
    if (fs::exists(open_lock_file(path), ec)) add(open_lock_file(path), std::nullopt);
    std::vector<std::pair<word, fs::path>> wards;
    for (const fs::path& lock : blocking_locks(path, std::nullopt))
        if (const std::optional<word> g = ward_of_lock(path, lock)) wards.emplace_back(*g, lock);
    std::sort(wards.begin(), wards.end());
    for (const auto& [g, lock] : wards) add(lock, g);
    return holds;
}

std::string holder_name(const lock_owner& owner) { return owner.user + "@" + owner.host; }

bool holds_ward(const Plan& plan, const std::string& file, word group) {
    return held_by_us(plan, group_lock_file(fs::path(file), group));
}

refusal follow_shown_ward(Plan& plan) {
    if (!plan.guards.wardLocks) return {};
    const std::optional<word> shown = plan.group() ? std::optional<word>(plan.group()->id) : std::nullopt;
    if (shown == plan.guards.lockedGroup) return {};
    // A ward left with edits not yet saved stays held, so nobody else plans
    // it over them; its lock goes with the save.
    std::set<word> unsaved;
    if (const auto base = plan.guards.monthLines.find(guard_key(fs::path(plan.currentFile)));
        !plan.currentFile.empty() && base != plan.guards.monthLines.end())
        unsaved = changed_groups(base->second, month_file_lines(plan));
    std::vector<std::string> files = plan.openFiles;
    if (files.empty() && !plan.currentFile.empty()) files.push_back(plan.currentFile);
    refusal said;
    for (const std::string& file : files) {
        const fs::path path(file);
        const std::vector<fs::path> held = plan.guards.heldLocks;
        for (const fs::path& lock : held) {
            const std::optional<word> g = ward_of_lock(path, lock);
            if (g && g != shown && !(file == plan.currentFile && unsaved.count(*g))) give_back(plan, lock);
        }
        plan.guards.readOnly.erase(guard_key(path));
        const month_lock_outcome lock = lock_month(plan, file);
        if (!said.said()) said = lock.said;
    }
    plan.guards.lockedGroup = shown;
    return said;
}

void release_other_wards(Plan& plan, const std::string& file) {
    if (!plan.guards.wardLocks) return;
    const std::vector<fs::path> held = plan.guards.heldLocks;
    for (const fs::path& lock : held)
        if (const std::optional<word> g = ward_of_lock(fs::path(file), lock); g && g != plan.guards.lockedGroup)
            give_back(plan, lock);
}

refusal ward_save_refusal(Plan& plan, const std::string& file) {
    const refusal readOnly =
        opened_read_only(plan, file)
            ? refused(refusal_kind::Locked,
                      message(plan, "msg_OpenedReadOnly",
                              "Plik %s otwarto tylko do odczytu, bo miał go otwarty ktoś inny. Nie zapisano go.",
                              {file}),
                      file)
            : refusal{};
    if (!plan.guards.wardLocks) return readOnly;
    const fs::path path(file);
    const auto base = plan.guards.monthLines.find(guard_key(path));
    // A month not read whole (or not read at all) has no parts to tell apart.
    if (base == plan.guards.monthLines.end()) return readOnly;
    const std::vector<month_hold> holds = month_holds(file, plan.clock->now());
    if (!holds.empty() && !holds.front().group)
        return refused(refusal_kind::Locked,
                       lock_holder_text(plan, holds.front().owner) + ". " +
                           message(plan, "msg_NotSavedWhileHeld", "Nie zapisano pliku %s.", {path.filename().string()}),
                       file);
    for (const word g : changed_groups(base->second, month_file_lines(plan))) {
        if (holds_ward(plan, file, g) || take_free_ward(plan, path, g)) continue;
        const std::optional<lock_owner> holder = read_lock_file(group_lock_file(path, g));
        return refused(refusal_kind::Locked,
                       message(plan, "msg_WardNotSaved",
                               "Nie zapisano pliku %s: zmieniono w nim grupę %s, którą planuje %s na komputerze %s.",
                               {path.filename().string(), group_name(plan, g), holder ? holder->user : "?",
                                holder ? holder->host : "?"}),
                       file);
    }
    return {};
}

refusal take_whole_month(Plan& plan, const std::string& file) {
    const bool wards = plan.guards.wardLocks;
    const std::optional<word> group = plan.guards.lockedGroup;
    const lock_policy policy = plan.guards.lockPolicy;
    plan.guards.wardLocks = false;
    plan.guards.lockedGroup.reset();
    // Whoever holds a ward is told to the user, never asked to be overrun.
    plan.guards.lockPolicy = lock_policy::Refuse;
    const month_lock_outcome lock = lock_month(plan, file);
    plan.guards.wardLocks = wards;
    plan.guards.lockedGroup = group;
    plan.guards.lockPolicy = policy;
    return lock.open ? refusal{} : lock.said;
}

void give_back_whole_month(Plan& plan, const std::string& file) {
    const fs::path lock = open_lock_file(fs::path(file));
    if (held_by_us(plan, lock)) give_back(plan, lock);
}

}  // namespace planek
