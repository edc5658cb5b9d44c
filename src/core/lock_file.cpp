#include "core/lock_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/system_error_text.h"
#include "core/text.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

std::string plain_cp1250(const std::string& utf8) {
    if (auto enc = utf8_to_cp1250(utf8)) return *enc;
    std::string ascii;
    for (unsigned char c : utf8)
        if (c < 0x80) ascii += char(c);
    return ascii;
}

#ifndef _WIN32
bool process_alive(long pid) {
    if (pid <= 0) return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}
#endif

}  // namespace

std::string login_name() {
    for (const char* var : {"USERNAME", "USER", "LOGNAME"})
        if (const char* v = std::getenv(var); v && *v) return v;
    return "?";
}

std::string computer_name() {
#ifndef _WIN32
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) == 0 && buf[0]) return buf;
#else
    if (const char* v = std::getenv("COMPUTERNAME"); v && *v) return v;
#endif
    return "?";
}

long this_pid() {
#ifndef _WIN32
    return long(::getpid());
#else
    return 0;
#endif
}

lock_owner this_process_owner(std::string user, std::time_t now) {
    return {user.empty() ? login_name() : std::move(user), computer_name(), this_pid(), now};
}

bool is_this_process(const lock_owner& owner) { return owner.pid == this_pid() && owner.host == computer_name(); }

std::string lock_file_text(const lock_owner& o) {
    return "user=" + o.user + "\nhost=" + o.host + "\npid=" + std::to_string(o.pid) +
           "\nsince=" + std::to_string((long long)o.since) + "\n" + (o.brief ? "brief=1\n" : "");
}

std::optional<lock_owner> parse_lock_file_text(const std::string& text) {
    lock_owner o;
    bool pid = false, since = false;
    for (const std::string& line : split_text_lines(text)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "user") o.user = value;
        if (key == "host") o.host = value;
        if (key == "pid")
            if (auto v = parse_int(value)) o.pid = long(*v), pid = true;
        if (key == "since")
            if (auto v = parse_int(value)) o.since = std::time_t(*v), since = true;
        if (key == "brief") o.brief = value == "1";
    }
    if (!pid || !since || o.host.empty()) return std::nullopt;
    return o;
}

std::optional<lock_owner> read_lock_file(const fs::path& file) {
    std::string bytes, error;
    if (!read_bytes(file, bytes, error, kLockFileBound)) return std::nullopt;
    return parse_lock_file_text(cp1250_to_utf8(bytes));
}

lock_attempt create_lock_file(const fs::path& file, const lock_owner& owner, const Translator* tr) {
    const std::string bytes = plain_cp1250(lock_file_text(owner));
#ifndef _WIN32
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        if (errno == EEXIST) return {false, true, {}};
        return {false, false,
                file_message(tr, "msg_LockNotMade", "Nie można utworzyć pliku blokady %s%s.",
                             {"\"" + file.string() + "\"", ": " + system_error_text(errno, tr)})};
    }
    const bool written = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
#else
    std::FILE* f = std::fopen(file.string().c_str(), "wbx");
    if (!f)
        return {false, std::filesystem::exists(file),
                file_message(tr, "msg_LockNotMade", "Nie można utworzyć pliku blokady %s%s.",
                             {"\"" + file.string() + "\"", ""})};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int err = errno;
    std::fclose(f);
#endif
    if (!written) {
        remove_lock_file(file);
        return {false, false,
                file_message(tr, "msg_LockNotWritten", "Nie można zapisać pliku blokady %s%s.",
                             {"\"" + file.string() + "\"", ": " + system_error_text(err, tr)})};
    }
    return {true, false, {}};
}

void remove_lock_file(const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
}

bool process_gone(const lock_owner& owner) {
#ifndef _WIN32
    return owner.host == computer_name() && !process_alive(owner.pid);
#else
    (void)owner;
    return false;
#endif
}

bool lock_is_stale(const fs::path& file, const std::optional<lock_owner>& owner, std::time_t now,
                   std::chrono::seconds max_age) {
    if (owner) {
#ifndef _WIN32
        if (owner->host == computer_name() && !process_alive(owner->pid)) return true;
#endif
        return now - owner->since > max_age.count();
    }
    std::error_code ec;
    const auto t = fs::last_write_time(file, ec);
    if (ec) return false;  // gone already: the next try makes it
    return fs::file_time_type::clock::now() - t > max_age;
}

fs::path save_lock::file_for(const fs::path& target) {
    return target.parent_path() / (target.filename().string() + ".saving");
}

save_lock::save_lock(const fs::path& target, const lock_owner& me, std::chrono::milliseconds wait,
                     const Translator* tr)
    : file_(file_for(target)) {
    const auto until = std::chrono::steady_clock::now() + wait;
    for (int attempt = 0;; ++attempt) {
        const lock_attempt a = create_lock_file(file_, me, tr);
        if (a.made) return;
        if (!a.exists) {
            error_ = a.error;
            return;
        }
        const std::optional<lock_owner> other = read_lock_file(file_);
        // A save lock that names nobody was cut off while it was made.
        const std::chrono::seconds maxAge = other ? std::chrono::seconds(std::chrono::minutes(2)) : kUnwrittenLockAge;
        if (lock_is_stale(file_, other, std::time(nullptr), maxAge)) {
            remove_lock_file(file_);
            continue;
        }
        if (std::chrono::steady_clock::now() >= until) {
            error_ = other
                         ? file_message(tr, "msg_FileBeingSavedBy",
                                        "Plik \"%s\" jest właśnie zapisywany przez %s (%s); nie zapisano go.",
                                        {target.string(), other->user, other->host})
                         : file_message(tr, "msg_FileBeingSaved",
                                        "Plik \"%s\" jest właśnie zapisywany; nie zapisano go.",
                                        {target.string()});
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2 + attempt % 10));
    }
}

save_lock::~save_lock() {
    if (held()) remove_lock_file(file_);
}

}  // namespace planek
