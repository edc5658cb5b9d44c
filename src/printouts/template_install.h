#pragma once
// The templates shipped with the program and their copy in a program root.
#include <filesystem>

namespace planek {

// The folder of the shipped templates for a program started from
// `exe_folder`: the first of exe/templates, exe/../templates and
// exe/../../templates that holds a "*.wzr" file, each also as
// share/planek/templates (bin/ of an installed program). Empty when there is
// none.
std::filesystem::path shipped_template_folder(const std::filesystem::path& exe_folder);

// Copies every "*.wzr" of `from` into `to` (created when missing) unless `to`
// already holds a file of that name (a template the user may have edited is
// never overwritten), and so the templates of each language subfolder into
// the subfolder of that name. Returns the number copied, -1 on failure.
int install_templates(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace planek
