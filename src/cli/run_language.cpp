#include "cli/run_language.h"

#include <cstdlib>
#include <system_error>

#include "core/ini_file.h"
#include "core/paths.h"
#include "files/program_root.h"
#include "settings/language.h"
#include "settings/language_install.h"

namespace planek::cli {

namespace fs = std::filesystem;

namespace {

fs::path chosen_root(const std::optional<fs::path>& root) {
    return root ? *root : default_program_root(executable_folder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string language_of_run(const fs::path& root, const std::optional<std::string>& lang) {
    if (lang && language_index(*lang) >= 0) return *lang;
    // Only looked at: a configuration that cannot be read is the session's
    // to set aside and say.
    IniFile config;
    if (config.load(Paths::local(root).config / "konfiguracja.ini")) {
        const long long saved = config.readInt("glowne", "lang", -1);
        if (saved >= 0 && saved < (long long)language_list().size()) return language_list()[size_t(saved)];
    }
    return system_language();
}

}  // namespace

Translator run_translator(const std::optional<fs::path>& root, const std::optional<std::string>& lang) {
    const fs::path folder = chosen_root(root);
    const std::string name = language_of_run(folder, lang);
    Translator tr;
    std::error_code ec;
    for (const fs::path& from : {Paths::local(folder).lang, shipped_language_folder(executable_folder())}) {
        if (from.empty()) continue;
        const fs::path file = language_file(from, name);
        if (fs::is_regular_file(file, ec) && load_language_file(tr, file)) return tr;
    }
    return tr;
}

}  // namespace planek::cli
