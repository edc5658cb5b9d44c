#pragma once
// A change that spans several files (a leave: the month and the balances in
// the staff archive; a scheduler run: the month, the staff with the pattern
// starts and sundays.ini; a staff change: groups and staff) reaches the disk
// whole or not at all.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/file_fingerprint.h"
#include "core/file_io.h"
#include "core/guarded_write.h"

namespace planek {

struct staged_file {
    std::filesystem::path target;
    std::string bytes;
};

struct save_set {
    std::vector<staged_file> files;  // in the order they are put in place
    // The language its failures are said in: the saving session's (the
    // built-in Polish when none is given).
    const Translator* tr = nullptr;
    void add(std::filesystem::path target, std::string bytes) {
        files.push_back({std::move(target), std::move(bytes)});
    }
};

// Puts every file of the set in place or leaves every target as it was.
// Every temporary file is written and synced first; then a journal in
// `journal_folder` names them all and they are renamed over their targets
// in the set's order. A rename that fails puts back the targets already
// replaced (from their old bytes, read before anything was written); a
// process killed after the journal leaves the rest to the next start
// (settle_interrupted_saves). A set of one file is the plain safe write.
// The error names the file that failed; nothing else is said.
io_result commit_save_set(const save_set& set, const std::filesystem::path& journal_folder);

// The set committed only while every file of it is still what `seen` says
// this program read, checked under the save locks of all of them (taken in
// the set's order, so two savers never wait on each other) and held to the
// last rename. On success `seen` records what was written. A refusal names
// the file somebody else changed in `changedFile`.
struct set_write_result : guarded_write_result {
    std::filesystem::path changedFile;
};
// A file found changed is first handed, under its save lock, to `rebase`
// (when given), which may put this program's changes onto the newer text
// (replacing the staged bytes and what `seen` says was read) and says
// whether it did; no third program can save the file in between.
set_write_result commit_guarded_save_set(save_set& set, const std::filesystem::path& journal_folder,
                                         read_fingerprints& seen, const lock_owner& me,
                                         const std::function<bool(staged_file&)>& rebase = {});

}  // namespace planek
