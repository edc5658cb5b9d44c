#pragma once
// Putting the shipped language files into a program root's lang folder.
#include <filesystem>
#include <string>
#include <vector>

namespace planek {

struct Plan;

// The folder of the shipped language files for a program started from
// `exe_folder`: the first of exe/lang, exe/../lang and exe/../../lang that
// holds polski.lng (an installed copy, a build folder inside the source
// tree), each also as share/planek/lang (bin/ of an installed program).
// Empty when there is none.
std::filesystem::path shipped_language_folder(const std::filesystem::path& exe_folder);

// Brings every "*.lng" of `from` into `to` (created when missing) without
// losing what a user wrote there: a missing file is copied; one that is
// byte for byte a version this program ever shipped (shipped_language_hashes)
// is replaced by the new one; any other is the user's own and is kept, only
// the keys it lacks being added, each at the end of its section (a section
// it lacks goes at the end of the file). Returns the number of files
// written, -1 when `to` cannot be made or a write fails.
[[nodiscard]] int install_language_files(const std::filesystem::path& from, const std::filesystem::path& to);

// The SHA-256 of every language file version ever shipped.
const std::vector<std::string>& shipped_language_hashes();

// `user` (the bytes of a language file) with the key lines of `shipped` it
// lacks added at the end of their sections; sections and keys are matched
// without regard to case, the user's own lines stay byte for byte.
std::string add_missing_language_keys(const std::string& user, const std::string& shipped);

// The folder of the running program, from /proc/self/exe; empty when that
// cannot be read.
std::filesystem::path running_program_folder();

// Gives a program root's lang folder the shipped language files it lacks
// (or holds in an older shipped copy, or lacks keys of), taken from beside
// the running program. Used
// when a root is opened, so that a root made anywhere offers both
// languages. Returns the number of files copied, -1 on failure, 0 when
// nothing was shipped or everything was up to date.
[[nodiscard]] int ensure_language_files(const std::filesystem::path& lang_folder);

// The message for a failed ensure_language_files, naming the folder.
std::string language_files_not_installed(const Plan& plan);

}  // namespace planek
