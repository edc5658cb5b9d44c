#pragma once
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/read_bounds.h"

namespace planek {

class Translator;

// Result of a file operation: empty error means success. The error names the
// file and says what failed, ready to show to the user.
struct [[nodiscard]] io_result {
    std::string error;
    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

// Reads a Windows-1250 text file as UTF-8 lines (CR LF, LF or CR breaks).
// Returns false and sets `error` when the file cannot be read, or when it is
// over `bound` in bytes or lines (refused before it is split). The error is
// in the language of `tr` when one is given.
[[nodiscard]] bool read_lines(const std::filesystem::path& file, std::vector<std::string>& lines, std::string& error);
[[nodiscard]] bool read_lines(const std::filesystem::path& file, std::vector<std::string>& lines, std::string& error,
                              const read_bound& bound, const Translator* tr = nullptr);

// Every write below says its failure in the language of `tr`, the caller's
// session's; without one in the built-in Polish. Two sessions of one process
// may speak two languages, so the language is never kept here.

// Writes UTF-8 lines as Windows-1250 with CR LF. The text goes to a temporary
// file beside the target, which is then renamed over it, so a failure leaves
// the old file whole. A character Windows-1250 cannot hold is an error.
io_result write_lines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                      const Translator* tr = nullptr);
// The bytes write_lines would write to `file`.
io_result lines_bytes(const std::filesystem::path& file, const std::vector<std::string>& lines, std::string& bytes,
                      const Translator* tr = nullptr);

// A message of the file functions in the language of `tr`: the [messages]
// text under `key`, else the Polish, its "%s" filled in order.
std::string file_message(const Translator* tr, const char* key, const std::string& polish,
                         std::initializer_list<std::string> args);

// Writes raw bytes the same safe way.
io_result write_bytes(const std::filesystem::path& file, const std::string& bytes, const Translator* tr = nullptr);

// The two halves of that write, for a save that puts several files in place
// together. write_temporary writes the bytes to a new temporary file beside
// `file` and syncs it (its name goes to `tmp`; nothing is left on failure);
// put_in_place renames it over `file`, keeping the old permissions, and
// syncs the folder. A failed rename leaves the temporary file to the caller.
io_result write_temporary(const std::filesystem::path& file, const std::string& bytes, std::filesystem::path& tmp,
                          const Translator* tr = nullptr);
io_result put_in_place(const std::filesystem::path& tmp, const std::filesystem::path& file,
                       const Translator* tr = nullptr);
// A name the safe write gives its temporary files: "<name>.tmp<digits>".
bool is_temporary_name(const std::filesystem::path& file);

// Reads a whole file. A file larger than the bound is refused from its size
// before anything is read, and whatever is not a plain file (a pipe, a
// device) is read no further than the bound. Without a bound kAnyFileBound
// holds.
[[nodiscard]] bool read_bytes(const std::filesystem::path& file, std::string& bytes, std::string& error);
[[nodiscard]] bool read_bytes(const std::filesystem::path& file, std::string& bytes, std::string& error,
                              const read_bound& bound, const Translator* tr = nullptr);
// Line breaks as split_text_lines counts them (CR LF, LF or CR; a last line
// without a break counts too).
std::size_t count_lines(std::string_view bytes);
// False, with the refusal in `error`, when `bytes` of `file` hold more lines
// than the bound allows.
[[nodiscard]] bool within_line_bound(const std::filesystem::path& file, const std::string& bytes,
                                     const read_bound& bound, std::string& error, const Translator* tr = nullptr);

// A file that exists and that nobody may write (no write permission bit).
bool is_read_only(const std::filesystem::path& file);

// The safety-copy rule: copy `file` to file+ext when the copy is missing or
// older than `max_age_days` (for ".err" also when the copy is younger but
// smaller than the file). True when a copy was made; `error` says why a copy
// that was due could not be made (the file itself is untouched then).
struct safety_copy_result {
    bool made = false;
    std::string error;
    explicit operator bool() const { return made; }
};
[[nodiscard]] safety_copy_result safety_copy(const std::filesystem::path& file, std::string ext, int max_age_days,
                                             const Translator* tr = nullptr);

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
// True once a cut-off has happened: the process counts as dead, so nothing
// may be tidied up any more.
bool write_cut_off();
// Test hook for killing a real process at a write step: `pause` runs just
// before step `n` (counted as set_write_fault counts) and is expected to
// wait there until the test kills the process; 0 turns it off.
void set_write_pause(int n, void (*pause)());
// Called by every write step; true when this step is to fail.
bool write_fault_due();

}  // namespace planek
