#include "core/file_io.h"

#include <cerrno>
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
#include "core/text.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& file) { return "\"" + file.string() + "\""; }

std::string lower_ascii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string reason(int err) { return err ? std::string(": ") + std::strerror(err) : std::string(); }

// A name for the temporary file that nobody else is using at the moment.
fs::path temp_beside(const fs::path& file) {
    static std::mt19937 gen{std::random_device{}()};
    return file.parent_path() / (file.filename().string() + ".tmp" + std::to_string(gen() % 1000000));
}

struct write_fault {
    int countdown = 0;  // the failing step, counted from the last set
    int steps = 0;
    bool cut_off = false;
    bool dead = false;  // a cut-off happened: nothing reaches the disk any more
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

void set_write_fault(int n, bool cut_off) { fault = {n, 0, cut_off, false}; }

int write_steps() { return fault.steps; }

bool write_fault_due() {
    ++fault.steps;
    if (fault.dead) return true;
    if (fault.countdown <= 0 || fault.steps != fault.countdown) return false;
    fault.dead = fault.cut_off;
    return true;
}

bool read_bytes(const fs::path& file, std::string& bytes, std::string& error) {
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        error = "Plik " + quoted(file) + " nie istnieje.";
        return false;
    }
    if (fs::is_directory(file, ec)) {
        error = "Nie można odczytać pliku " + quoted(file) + ": to jest folder.";
        return false;
    }
    const bool injected = !unreadable_file.empty() && fs::absolute(file, ec).lexically_normal() == unreadable_file;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (injected || !in) {
        error = "Nie można otworzyć pliku " + quoted(file) + reason(injected ? EIO : errno) + ".";
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) {
        error = "Błąd odczytu pliku " + quoted(file) + ".";
        return false;
    }
    bytes = std::move(s).str();
    error.clear();
    return true;
}

bool read_lines(const fs::path& file, std::vector<std::string>& lines, std::string& error) {
    std::string bytes;
    if (!read_bytes(file, bytes, error)) return false;
    lines = split_text_lines(cp1250_to_utf8(bytes));
    return true;
}

io_result write_bytes(const fs::path& file, const std::string& bytes) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) return {"Nie można zapisać pliku " + quoted(file) + ": to jest folder."};
    fs::path tmp;
    int err = EEXIST;
    for (int attempt = 0; attempt < 20 && err == EEXIST; ++attempt) {
        tmp = temp_beside(file);
        err = write_new_file(tmp, bytes);
    }
    if (err) {
        if (err != EEXIST && !fault.dead) fs::remove(tmp, ec);
        return {"Nie można zapisać pliku " + quoted(file) + reason(err) + "."};
    }
    // The new file keeps the permissions the old one had.
    const auto st = fs::status(file, ec);
    if (!ec && fs::exists(st)) fs::permissions(tmp, st.permissions(), ec);
    if (write_fault_due())
        ec = std::make_error_code(std::errc::io_error);
    else
        fs::rename(tmp, file, ec);
    if (ec) {
        const std::string why = ec.message();
        if (!fault.dead) fs::remove(tmp, ec);
        return {"Nie można zapisać pliku " + quoted(file) + ": " + why + "."};
    }
    // The new text is in place; the user still learns it may not survive a power cut.
    if (const int err = sync_folder(file.parent_path()))
        return {"Nie można utrwalić zapisu pliku " + quoted(file) + reason(err) + "."};
    return {};
}

io_result encode_text_lines(const fs::path& file, const std::vector<std::string>& lines, std::string& bytes) {
    bytes.clear();
    for (const auto& line : lines) {
        auto enc = utf8_to_cp1250(line);
        if (!enc) {
            const std::string bad = first_unencodable(line).value_or("?");
            return {"Znaku „" + bad + "” nie można zapisać w pliku " + quoted(file) +
                    " (kodowanie Windows-1250). Plik nie został zapisany."};
        }
        bytes += *enc;
        bytes += "\r\n";
    }
    return {};
}

io_result write_lines(const fs::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    if (io_result encoded = encode_text_lines(file, lines, bytes); !encoded) return encoded;
    return write_bytes(file, bytes);
}

safety_copy_result safety_copy(const fs::path& file, std::string ext, int max_age_days) {
    if (ext.empty() || ext[0] != '.') ext.insert(ext.begin(), '.');
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return {};  // nothing to copy
    fs::path copy = file;
    copy += ext;
    if (fs::exists(copy, ec)) {
        const auto age = fs::file_time_type::clock::now() - fs::last_write_time(copy, ec);
        if (ec) return {false, "Nie można odczytać daty kopii " + quoted(copy) + ": " + ec.message() + "."};
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
    if (!read_bytes(file, bytes, error)) return {false, error};
    if (io_result written = write_bytes(copy, bytes); !written) return {false, written.error};
    fs::last_write_time(copy, fs::file_time_type::clock::now(), ec);
    return {true, {}};
}

}  // namespace planek
