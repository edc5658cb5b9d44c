#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace planek {

// Result of a file operation: empty error means success. The error names the
// file and says what failed, ready to show to the user.
struct [[nodiscard]] io_result {
    std::string error;
    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

// Reads a Windows-1250 text file as UTF-8 lines (CR LF, LF or CR breaks).
// Returns false and sets `error` when the file cannot be read.
[[nodiscard]] bool read_lines(const std::filesystem::path& file, std::vector<std::string>& lines, std::string& error);

// Writes UTF-8 lines as Windows-1250 with CR LF. The text goes to a temporary
// file beside the target, which is then renamed over it, so a failure leaves
// the old file whole. A character Windows-1250 cannot hold is an error.
io_result write_lines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The bytes write_lines would write, or its refusal of a character.
io_result encode_text_lines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                            std::string& bytes);

// Writes raw bytes the same safe way.
io_result write_bytes(const std::filesystem::path& file, const std::string& bytes);
[[nodiscard]] bool read_bytes(const std::filesystem::path& file, std::string& bytes, std::string& error);

// The safety-copy rule: copy `file` to file+ext when the copy is missing or
// older than `max_age_days` (for ".err" also when the copy is younger but
// smaller than the file). True when a copy was made; `error` says why a copy
// that was due could not be made (the file itself is untouched then).
struct safety_copy_result {
    bool made = false;
    std::string error;
    explicit operator bool() const { return made; }
};
[[nodiscard]] safety_copy_result safety_copy(const std::filesystem::path& file, std::string ext, int max_age_days);

// Test hook for fault injection on the read side: every read of `file`
// fails as it would for a file that exists but cannot be read (bad sectors,
// no permission), until the hook is set again; an empty path turns it off.
void set_read_fault(const std::filesystem::path& file);

// Test hook for fault injection: counts the steps of every safe write (open
// the temporary file, write it, flush it to disk, close it, rename it over
// the target; the archive writer adds its own) and makes step `n` from now
// fail, 1 being the next one; 0 turns failures off. With `cut_off` the write
// stops as if the process died there: a half-written temporary file stays
// behind and every later step fails too, until the hook is set again.
void set_write_fault(int n, bool cut_off = false);
// Steps counted since the last set_write_fault.
int write_steps();
// Called by every write step; true when this step is to fail.
bool write_fault_due();

}  // namespace planek
