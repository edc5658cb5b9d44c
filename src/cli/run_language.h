#pragma once
// The language a run of planek-cli speaks before its session is open (help,
// usage errors, a folder that is not there) and in what it prints itself:
// --lang, else the language saved in the program folder, else the system's.
#include <filesystem>
#include <optional>
#include <string>

#include "core/translator.h"

namespace planek::cli {

// The language's file from the folder's lang/ (a user may have changed it),
// else the one shipped beside the program; no file leaves the built-in
// Polish texts.
Translator run_translator(const std::optional<std::filesystem::path>& root, const std::optional<std::string>& lang);

}  // namespace planek::cli
