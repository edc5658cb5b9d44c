#pragma once
// Putting the shipped language files into a program root's lang folder.
#include <filesystem>

namespace planek {

// The folder of the shipped language files for a program started from
// `exe_folder`: the first of exe/lang, exe/../lang and exe/../../lang that
// holds polski.lng (an installed copy, a build folder inside the source
// tree), each also as share/planek/lang (bin/ of an installed program).
// Empty when there is none.
std::filesystem::path shipped_language_folder(const std::filesystem::path& exe_folder);

// Copies every "*.lng" of `from` into `to` (created when missing) unless
// `to` already holds a file of that name that is not older. Returns the
// number of files copied, -1 when `to` cannot be made or a copy fails.
int install_language_files(const std::filesystem::path& from, const std::filesystem::path& to);

// The folder of the running program, from /proc/self/exe; empty when that
// cannot be read.
std::filesystem::path running_program_folder();

// Gives a program root's lang folder the shipped language files it lacks
// (or holds in an older copy), taken from beside the running program. Used
// when a root is opened, so that a root made anywhere offers both
// languages. Returns the number of files copied, -1 on failure, 0 when
// nothing was shipped or everything was up to date.
int ensure_language_files(const std::filesystem::path& lang_folder);

}  // namespace planek
