#include "files/month_lock.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

#include "core/guarded_write.h"
#include "editing/message_text.h"

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

}  // namespace planek
