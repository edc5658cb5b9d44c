#include "settings/startup_settings.h"

#include "core/plan.h"
#include "settings/language.h"
#include "settings/net_settings.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"

namespace planek {

std::vector<std::string> load_startup_settings(Plan& plan, const std::optional<std::string>& language) {
    std::vector<std::string> ignored;
    for (const std::string& key : read_net_options(plan)) ignored.push_back(std::string(kNetFileName) + ": " + key);
    PathsUpdate(plan);
    plan.options.networkPageVisible = network_page_visible(plan);

    int saved = read_saved_language(plan);
    std::optional<int> chosen;
    if (language) {
        int i = language_index(*language);
        if (i >= 0) chosen = i;
    }
    cb_LanguageChange(plan, chosen);
    // A language asked for on the command line is for this run only.
    if (chosen) plan.options.glowne.lang = saved;

    read_user_settings(plan);
    for (const std::string& key : czytaj_opcje(plan, "opcje"))
        ignored.push_back(std::string(kConfigFileName) + ": " + key);
    // Applying a language file reads the language options; without one they
    // still need reading.
    if (plan.options.languageFile.empty()) czytaj_opcje(plan, "lang");
    return ignored;
}

}  // namespace planek
