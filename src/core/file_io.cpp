#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "core/cp1250.h"
#include "core/decimal_text.h"
#include "core/system_error_text.h"
#include "core/text.h"
#include "core/translator.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& file) { return "\"" + file.string() + "\""; }

std::string lower_ascii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string reason(int err, const Translator* tr) {
    return err ? ": " + system_error_text(err, tr) : std::string();
}

// A name for the temporary file that nobody else is using at the moment.
fs::path temp_beside(const fs::path& file) {
    std::random_device entropy;
    return file.parent_path() / (file.filename().string() + ".tmp" + std::to_string(entropy() % 1000000));
}

struct write_fault {
    int countdown = 0;  // the failing step, counted from the last set
    int steps = 0;
    bool cut_off = false;
    bool dead = false;  // a cut-off happened: nothing reaches the disk any more
    int pause_at = 0;   // the step before which `pause` runs
    void (*pause)() = nullptr;
};
write_fault fault;
fs::path unreadable_file;  // the file whose reads fail

// Writes all of `bytes` to a new file `tmp` and flushes it to the disk.
// Returns 0 or the errno of the failure.
int write_new_file(const fs::path& tmp, const std::string& bytes) {
    if (write_fault_due()) return EIO;
    std::FILE* f = std::fopen(tmp.c_str(), "wbx");
    if (!f) return errno ? errno : EIO;
    int err = 0;
    if (write_fault_due()) {
        // A cut-off leaves half the text in the temporary file, as a killed process would.
        if (fault.dead) std::fwrite(bytes.data(), 1, bytes.size() / 2, f);
        err = EIO;
    }
    if (!err && !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) err = errno ? errno : EIO;
    if (!err && std::fflush(f) != 0) err = errno ? errno : EIO;
#ifndef _WIN32
    if (!err && ::fsync(fileno(f)) != 0) err = errno;
#endif
    if (!err && write_fault_due()) err = EIO;
    if (std::fclose(f) != 0 && !err) err = errno ? errno : EIO;
    if (!err && write_fault_due()) err = EIO;
    return err;
}

// Makes the rename itself durable. Returns 0 or the errno of the failure.
int sync_folder(const fs::path& folder) {
    if (write_fault_due()) return EIO;
#ifndef _WIN32
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return errno ? errno : EIO;
    int err = ::fsync(fd) != 0 ? errno : 0;
    // Some file systems cannot sync a folder; the rename is as safe there as it gets.
    if (err == EINVAL || err == ENOTSUP) err = 0;
    if (::close(fd) != 0 && !err) err = errno;
    return err;
#else
    (void)folder;
    return 0;
#endif
}

}  // namespace

void set_read_fault(const fs::path& file) { unreadable_file = file.empty() ? file : fs::absolute(file).lexically_normal(); }

void set_write_fault(int n, bool cut_off) { fault = {n, 0, cut_off, false, fault.pause_at, fault.pause}; }

void set_write_pause(int n, void (*pause)()) {
    fault.pause_at = n;
    fault.pause = pause;
}

int write_steps() { return fault.steps; }

bool write_cut_off() { return fault.dead; }

bool write_fault_due() {
    ++fault.steps;
    if (fault.pause && fault.steps == fault.pause_at) fault.pause();
    if (fault.dead) return true;
    if (fault.countdown <= 0 || fault.steps != fault.countdown) return false;
    fault.dead = fault.cut_off;
    return true;
}

namespace {

// The message of a failed read: from the translator when there is one.
std::string message_in(const Translator* tr, const char* key, const std::string& polish,
                       std::initializer_list<std::string> args) {
    std::string text = tr ? tr->msg(key, polish) : polish;
    size_t from = 0;
    for (const std::string& a : args) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, a);
        from = at + a.size();
    }
    return text;
}

std::string megabytes(std::uintmax_t bytes, const Translator* tr) {
    return decimal_text(double(bytes) / double(kMegabyte), 1, tr);
}

std::string too_large(const Translator* tr, const fs::path& file, std::uintmax_t size, std::uintmax_t bound) {
    return message_in(tr, "msg_FileTooLarge",
                      "Plik %s jest za duży (%s MB, najwięcej %s MB); nie wczytano go.",
                      {quoted(file), size > bound ? megabytes(size, tr) : "> " + megabytes(bound, tr),
                       megabytes(bound, tr)});
}

// Reads at most `limit` bytes; false when the stream failed.
bool read_at_most(std::ifstream& in, std::uintmax_t limit, std::string& bytes) {
    constexpr size_t kChunk = 1 << 16;
    bytes.clear();
    while (in && bytes.size() < limit) {
        const size_t want = size_t(std::min<std::uintmax_t>(kChunk, limit - bytes.size()));
        const size_t at = bytes.size();
        bytes.resize(at + want);
        in.read(bytes.data() + at, std::streamsize(want));
        bytes.resize(at + size_t(in.gcount()));
    }
    return !in.bad();
}

}  // namespace

std::string file_message(const Translator* tr, const char* key, const std::string& polish,
                         std::initializer_list<std::string> args) {
    return message_in(tr, key, polish, args);
}

bool read_bytes(const fs::path& file, std::string& bytes, std::string& error) {
    return read_bytes(file, bytes, error, kAnyFileBound, nullptr);
}

bool read_bytes(const fs::path& file, std::string& bytes, std::string& error, const read_bound& bound,
                const Translator* tr) {
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        error = message_in(tr, "msg_FileMissing", "Plik %s nie istnieje.", {quoted(file)});
        return false;
    }
    if (fs::is_directory(file, ec)) {
        error = message_in(tr, "msg_FileIsFolder", "Nie można odczytać pliku %s: to jest folder.",
                           {quoted(file)});
        return false;
    }
    // A plain file too large is refused by its size, before a byte is read.
    const bool plain = fs::is_regular_file(file, ec);
    const std::uintmax_t size = plain ? fs::file_size(file, ec) : 0;
    if (plain && !ec && size > bound.bytes) {
        error = too_large(tr, file, size, bound.bytes);
        return false;
    }
    const bool injected = !unreadable_file.empty() && fs::absolute(file, ec).lexically_normal() == unreadable_file;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (injected || !in) {
        error = message_in(tr, "msg_FileCannotOpen", "Nie można otworzyć pliku %s%s.",
                           {quoted(file), reason(injected ? EIO : errno, tr)});
        return false;
    }
    // One byte past the bound tells a file that grew (or never ends) from one that fits.
    std::string read;
    const std::uintmax_t limit = bound.bytes == UINTMAX_MAX ? bound.bytes : bound.bytes + 1;
    if (!read_at_most(in, limit, read)) {
        error = message_in(tr, "msg_FileReadError", "Błąd odczytu pliku %s.", {quoted(file)});
        return false;
    }
    if (read.size() > bound.bytes) {
        error = too_large(tr, file, 0, bound.bytes);
        return false;
    }
    bytes = std::move(read);
    error.clear();
    return true;
}

std::size_t count_lines(std::string_view bytes) {
    // A line ends at LF, at CR LF and at a CR alone: every LF, and every CR
    // not followed by one. memchr walks a month file of a whole hospital
    // many times faster than a test of each byte.
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    std::size_t n = 0;
    for (const char* p = begin; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (!p) break;
        ++n;
    }
    for (const char* p = begin; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
        if (!p) break;
        if (p + 1 == end || p[1] != '\n') ++n;
    }
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') ++n;
    return n;
}

bool within_line_bound(const fs::path& file, const std::string& bytes, const read_bound& bound, std::string& error,
                       const Translator* tr) {
    if (bound.lines == SIZE_MAX) return true;
    const std::size_t lines = count_lines(bytes);
    if (lines <= bound.lines) return true;
    error = message_in(tr, "msg_FileTooManyLines",
                       "Plik %s ma za dużo wierszy (%s, najwięcej %s); nie wczytano go.",
                       {quoted(file), std::to_string(lines), std::to_string(bound.lines)});
    return false;
}

bool read_lines(const fs::path& file, std::vector<std::string>& lines, std::string& error) {
    return read_lines(file, lines, error, kAnyFileBound, nullptr);
}

bool read_lines(const fs::path& file, std::vector<std::string>& lines, std::string& error, const read_bound& bound,
                const Translator* tr) {
    std::string bytes;
    if (!read_bytes(file, bytes, error, bound, tr)) return false;
    if (!within_line_bound(file, bytes, bound, error, tr)) return false;
    lines = split_text_lines(cp1250_to_utf8(bytes));
    return true;
}

bool is_read_only(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return false;
    const fs::perms p = fs::status(file, ec).permissions();
    if (ec) return false;
    return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) == fs::perms::none;
}

io_result write_temporary(const fs::path& file, const std::string& bytes, fs::path& tmp,
                          const Translator* tr) {
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return {message_in(tr, "msg_WriteIsFolder", "Nie można zapisać pliku %s: to jest folder.",
                           {quoted(file)})};
    int err = EEXIST;
    for (int attempt = 0; attempt < 20 && err == EEXIST; ++attempt) {
        tmp = temp_beside(file);
        err = write_new_file(tmp, bytes);
    }
    if (err) {
        if (err != EEXIST && !fault.dead) fs::remove(tmp, ec);
        tmp.clear();
        return {
            message_in(tr, "msg_WriteFailed", "Nie można zapisać pliku %s%s.", {quoted(file), reason(err, tr)})};
    }
    return {};
}

io_result put_in_place(const fs::path& tmp, const fs::path& file, const Translator* tr) {
    std::error_code ec;
    // The new file keeps the permissions the old one had.
    const auto st = fs::status(file, ec);
    if (!ec && fs::exists(st)) fs::permissions(tmp, st.permissions(), ec);
    if (write_fault_due())
        ec = std::make_error_code(std::errc::io_error);
    else
        fs::rename(tmp, file, ec);
    if (ec)
        return {message_in(tr, "msg_WriteFailed", "Nie można zapisać pliku %s%s.",
                           {quoted(file), ": " + system_error_text(ec, tr)})};
    // The new text is in place; the user still learns it may not survive a power cut.
    if (const int err = sync_folder(file.parent_path()))
        return {message_in(tr, "msg_WriteNotSynced", "Nie można utrwalić zapisu pliku %s%s.",
                           {quoted(file), reason(err, tr)})};
    return {};
}

io_result write_bytes(const fs::path& file, const std::string& bytes, const Translator* tr) {
    fs::path tmp;
    if (io_result r = write_temporary(file, bytes, tmp, tr); !r) return r;
    io_result placed = put_in_place(tmp, file, tr);
    std::error_code ec;
    if (!placed && !fault.dead && fs::exists(tmp, ec)) fs::remove(tmp, ec);
    return placed;
}

bool is_temporary_name(const fs::path& file) {
    const std::string name = file.filename().string();
    const size_t at = name.rfind(".tmp");
    if (at == std::string::npos || at == 0) return false;
    const std::string digits = name.substr(at + 4);
    if (digits.empty() || digits.size() > 6) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    return true;
}

io_result lines_bytes(const fs::path& file, const std::vector<std::string>& lines, std::string& bytes,
                      const Translator* tr) {
    bytes.clear();
    for (const auto& line : lines) {
        auto enc = utf8_to_cp1250(line);
        if (!enc) {
            const std::string bad = first_unencodable(line).value_or("?");
            return {message_in(
                tr, "msg_WriteUnencodable",
                "Znaku „%s” nie można zapisać w pliku %s (kodowanie Windows-1250). Plik nie został "
                "zapisany.",
                {bad, quoted(file)})};
        }
        bytes += *enc;
        bytes += "\r\n";
    }
    return {};
}

io_result write_lines(const fs::path& file, const std::vector<std::string>& lines, const Translator* tr) {
    std::string bytes;
    if (io_result r = lines_bytes(file, lines, bytes, tr); !r) return r;
    return write_bytes(file, bytes, tr);
}

safety_copy_result safety_copy(const fs::path& file, std::string ext, int max_age_days,
                               const Translator* tr) {
    if (ext.empty() || ext[0] != '.') ext.insert(ext.begin(), '.');
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return {};  // nothing to copy
    fs::path copy = file;
    copy += ext;
    if (fs::exists(copy, ec)) {
        const auto age = fs::file_time_type::clock::now() - fs::last_write_time(copy, ec);
        if (ec)
            return {false, message_in(tr, "msg_CopyDateUnreadable", "Nie można odczytać daty kopii %s: %s.",
                                      {quoted(copy), system_error_text(ec, tr)})};
        const bool old = age >= std::chrono::hours(24) * max_age_days;
        bool due = old;
        if (!old && lower_ascii(ext) == ".err") {
            const auto size = fs::file_size(file, ec);
            const auto copy_size = ec ? 0 : fs::file_size(copy, ec);
            due = !ec && size > copy_size;
        }
        if (!due) return {};
    }
    // Through a temporary file, so a failed copy leaves the old copy whole.
    std::string bytes, error;
    if (!read_bytes(file, bytes, error, kAnyFileBound, tr)) return {false, error};
    if (io_result written = write_bytes(copy, bytes, tr); !written) return {false, written.error};
    fs::last_write_time(copy, fs::file_time_type::clock::now(), ec);
    return {true, {}};
}

}  // namespace planek
