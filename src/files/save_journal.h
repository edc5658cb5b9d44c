#pragma once
// The journal of a save that puts several files in place together, and what
// the next start does with the journals and temporary files a killed save
// left behind.
//
// A journal is written only when every temporary file of the save is whole
// on disk, so from then on the save can always be finished: the next start
// renames what is still waiting over its target. Without a journal the
// temporary files are unfinished and simply go.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"

namespace planek {

struct journal_entry {
    std::filesystem::path target;
    std::filesystem::path tmp;  // the new text, waiting to be renamed over the target
    std::string before;         // hash of the target before the save, "-" when there was none
    std::string after;          // hash of the new text
};

// Hash of a file's bytes as the journal keeps it: "-" for no file, "?" for
// one that cannot be read.
std::string file_hash(const std::filesystem::path& file);
std::string bytes_hash(const std::string& bytes);

// A new journal name in `folder`: "zapis_<number>.jrn".
std::filesystem::path new_journal_name(const std::filesystem::path& folder);
bool is_journal_name(const std::filesystem::path& file);

io_result write_journal(const std::filesystem::path& journal, const std::vector<journal_entry>& entries,
                        const Translator* tr = nullptr);
// The error is in the language of `tr`.
[[nodiscard]] bool read_journal(const std::filesystem::path& journal, std::vector<journal_entry>& entries,
                                std::string& error, const Translator* tr = nullptr);

// What the start did with one leftover.
enum class leftover_action {
    Finished,    // a journal's waiting files were renamed over their targets
    Abandoned,   // a journal whose targets someone changed since: its files went, the targets stay
    Unreadable,  // a journal that could not be read; left where it is
    Removed,     // a temporary file no journal waits for
};
struct leftover {
    leftover_action action;
    std::filesystem::path file;  // the journal, or the temporary file
    std::vector<std::filesystem::path> targets;  // of a journal
    // Of a journal finished in part: the waiting files whose target another
    // program wrote since, kept under names of their own beside it.
    std::vector<std::filesystem::path> keptAside;
};

// Finishes the journals of `journal_folder` and removes the temporary files
// of our naming in `folders`, each only when older than `min_age` (a younger
// one may belong to a save running this moment in another program).
std::vector<leftover> settle_interrupted_saves(const std::filesystem::path& journal_folder,
                                               const std::vector<std::filesystem::path>& folders,
                                               std::chrono::seconds min_age = std::chrono::minutes(1));

}  // namespace planek
