#pragma once
// Lock files: small files beside a data file saying who holds it. They are
// made by exclusive create and nothing else, because the byte-range and
// flock locks are not honoured by every network share a ward folder lives on.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace planek {

class Translator;

struct lock_owner {
    std::string user;  // UTF-8
    std::string host;
    long pid = 0;
    std::time_t since = 0;
    // Held for one command-line edit, gone in a moment: another program
    // waits for it rather than refusing or asking.
    bool brief = false;
};

// This process: `user` (the login name when empty), this computer, our pid.
lock_owner this_process_owner(std::string user, std::time_t now);
std::string login_name();
std::string computer_name();
bool is_this_process(const lock_owner& owner);

// The owner as the lines of a lock file (UTF-8), and back; nullopt for a
// text that names no process (a lock cut off while it was being written).
std::string lock_file_text(const lock_owner& owner);
std::optional<lock_owner> parse_lock_file_text(const std::string& text);

std::optional<lock_owner> read_lock_file(const std::filesystem::path& file);

struct lock_attempt {
    bool made = false;
    bool exists = false;  // somebody else's lock is there
    std::string error;    // neither: why the lock could not be made
};
// Creates `file` holding the owner, failing if it already exists. The error
// is in the language of `tr` (the built-in Polish without one).
lock_attempt create_lock_file(const std::filesystem::path& file, const lock_owner& owner,
                              const Translator* tr = nullptr);
void remove_lock_file(const std::filesystem::path& file);

// The process a lock names is gone: it ran on this computer and runs no
// more. A lock of another computer is never known to be gone.
bool process_gone(const lock_owner& owner);

// A lock is written in the moment after its exclusive create; one that still
// names nobody after this long was cut off and holds nothing.
inline constexpr std::chrono::seconds kUnwrittenLockAge{5};

// A lock nobody will release: its process is gone (on this computer, where
// that can be seen) or it is older than `max_age`. A lock that names no
// process counts by the age of the file.
bool lock_is_stale(const std::filesystem::path& file, const std::optional<lock_owner>& owner, std::time_t now,
                   std::chrono::seconds max_age);

// The short lock a save holds from its last look at the file to the rename.
class save_lock {
public:
    // Waits up to `wait` for a lock another save holds; one left behind by
    // a dead process or older than two minutes is taken over. The error is
    // in the language of `tr`.
    save_lock(const std::filesystem::path& target, const lock_owner& me,
              std::chrono::milliseconds wait = std::chrono::seconds(10), const Translator* tr = nullptr);
    ~save_lock();
    save_lock(const save_lock&) = delete;
    save_lock& operator=(const save_lock&) = delete;

    bool held() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    static std::filesystem::path file_for(const std::filesystem::path& target);

private:
    std::filesystem::path file_;
    std::string error_;
};

}  // namespace planek
