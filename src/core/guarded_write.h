#pragma once
// Writing back a file this program read: only while it is still what was
// read, checked under the save lock just before the rename, which is the
// commit. Two programs saving the same file at once cannot both win.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/file_fingerprint.h"
#include "core/file_io.h"
#include "core/lock_file.h"

namespace planek {

struct guarded_write_result {
    io_result io;               // why it was not written (changed or failed)
    bool changed = false;       // refused because somebody wrote the file since the read
    std::optional<lock_owner> changedBy;  // who holds it open, when a lock file says so
    file_fingerprint written;   // of the bytes now on disk, after a write
    bool ok() const { return io.ok(); }
};

// The lock a program leaves beside a file it holds open for editing.
std::filesystem::path open_lock_file(const std::filesystem::path& target);

// Writes `bytes` over `file` unless `expected` (what was read; null: not
// read, not checked) no longer matches the file. A file removed since is
// written again: nothing of anybody's is there to lose. Its refusal is in
// the language of `tr`.
guarded_write_result write_bytes_if_unchanged(const std::filesystem::path& file, const std::string& bytes,
                                              const file_fingerprint* expected, const lock_owner& me,
                                              const Translator* tr = nullptr);

// The same for `seen`: checks against its entry for the file, and on
// success records what was written, so the next save checks against that.
guarded_write_result write_guarded(read_fingerprints& seen, const std::filesystem::path& file,
                                   const std::string& bytes, const lock_owner& me, const Translator* tr = nullptr);

// Reads a text file as read_lines does and records in `seen` what it was.
[[nodiscard]] bool read_lines_noted(read_fingerprints& seen, const std::filesystem::path& file,
                                    std::vector<std::string>& lines, std::string& error);

// "Plik X zmienił się od odczytu (...)": the refusal as the user reads it.
std::string changed_file_text(const std::filesystem::path& file, const std::optional<lock_owner>& by,
                              const Translator* tr = nullptr);

}  // namespace planek
