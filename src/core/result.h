#pragma once
// What everything that can fail gives back: a value, or the refusal that
// says why there is none, and either way the notes of what was met on the
// way (a range cut short, the lines of a file that could not be used, a lock
// taken over). The libraries only return them; the front ends decide who
// hears what (tell_user in the window and on the command line), a reader
// turns a rule's refusal into a line of its report, the scheduler counts.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace planek {

enum class refusal_kind {
    None,
    // The editing rules.
    TooManyDuties,      // the day already holds the most duties a worker may have
    DutyOverlaps,       // the duty would overlap one already there
    DayOffTaken,        // another day off holds the day
    NoWorker,           // the staff list is empty, or no worker is chosen
    NoGroup,            // there is no group to add to or edit
    WorkerBlocked,      // the worker is archived
    NoCellSelected,     // no valid day and shift is selected
    SplitOnLastDay,     // a split at or after midnight of the month's last day
    CareDaysOverLimit,  // the care days off would take more than the worker has left
    RehaDaysOverLimit,  // the same for rehabilitation leave
    NoDutyLength,       // the duty dialog holds no length (or no month to put it in)
    FormInvalid,        // a dialog's field cannot be stored (empty name, bad time...)
    DayOffEndCorrected, // stored, but the range was cut short (a notice)
    NoSuchEntry,        // an act names a duty, day off, worker or day the month does not hold
    Cancelled,          // the user answered No or Cancel; nothing changed
    // Files and folders.
    Io,            // a file could not be read or written
    FileProblems,  // a file was read, but some of its lines could not be used
    NoStaff,       // the folder holds no staff or groups
    NoSuchFile,    // a file named is not there
    NoSuchGroup,   // a group asked for is not in the folder
    OtherGroups,   // a month of groups the folder does not have
    NotWhole,      // a file a writing act needs whole has lines it cannot use
    Locked,        // another program holds the file, or a restore waits for it
    Conflict,      // the file changed on disk since it was read
    // What is said with no fault behind it: information for the user.
    Notice,
    // The command line's arguments.
    Usage,
};

// Whether a text of this kind informs rather than warns.
constexpr bool is_notice(refusal_kind kind) {
    return kind == refusal_kind::DayOffEndCorrected || kind == refusal_kind::Notice;
}

struct refusal {
    refusal_kind kind = refusal_kind::None;
    std::string text;  // translated, ready to show
    std::string file;  // the file it is about, where there is one
    int line = 0;      // the line of that file, where there is one

    refusal() = default;
    refusal(refusal_kind k, std::string t, std::string f = {}, int l = 0)
        : kind(k), text(std::move(t)), file(std::move(f)), line(l) {}

    // Whether there is anything to say.
    bool said() const { return kind != refusal_kind::None || !text.empty(); }
};

inline refusal refused(refusal_kind kind, std::string text, std::string file = {}, int line = 0) {
    return {kind, std::move(text), std::move(file), line};
}
inline refusal notice(std::string text, std::string file = {}) {
    return {refusal_kind::Notice, std::move(text), std::move(file), 0};
}

// The notes both kinds of result keep, and what they share about them.
class result_notes {
public:
    std::vector<refusal> notes;

    void note(refusal r) {
        if (r.said()) notes.push_back(std::move(r));
    }
    void note_all(const std::vector<refusal>& more) {
        for (const refusal& r : more) note(r);
    }
};

template <class T = void>
class [[nodiscard]] result : public result_notes {
public:
    result(T value) : value_(std::move(value)) {}
    result(refusal why) : why_(std::move(why)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Why there is no value; says nothing for a result that has one.
    const refusal& error() const { return why_; }

    result&& with(refusal r) && {
        note(std::move(r));
        return std::move(*this);
    }

private:
    std::optional<T> value_;
    refusal why_;
};

template <>
class [[nodiscard]] result<void> : public result_notes {
public:
    result() = default;
    result(refusal why) : ok_(false), why_(std::move(why)) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const refusal& error() const { return why_; }

    result&& with(refusal r) && {
        note(std::move(r));
        return std::move(*this);
    }

private:
    bool ok_ = true;
    refusal why_;
};

// A failed result as another kind of result, with its notes: what an act
// gives back when a step it took refused.
template <class T, class U>
result<T> failed_as(const result<U>& failed) {
    result<T> r(failed.error());
    r.note_all(failed.notes);
    return r;
}

// Everything a result has to say, in order: its notes, then its refusal.
template <class T>
std::vector<refusal> said_by(const result<T>& r) {
    std::vector<refusal> all = r.notes;
    if (!r.ok() && r.error().said()) all.push_back(r.error());
    return all;
}

// The one thing a result has to say, for a caller that shows one message:
// its refusal, else its first note, else nothing.
template <class T>
refusal said_of(const result<T>& r) {
    if (!r.ok()) return r.error();
    return r.notes.empty() ? refusal{} : r.notes.front();
}

}  // namespace planek
