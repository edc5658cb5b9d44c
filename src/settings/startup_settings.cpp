#include "settings/startup_settings.h"

#include "core/plan.h"
#include "settings/language.h"
#include "settings/net_settings.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"

namespace planek {

result<std::vector<std::string>> load_startup_settings(Plan& plan, const std::optional<std::string>& language) {
    std::vector<std::string> ignored;
    for (const std::string& key : read_net_options(plan)) ignored.push_back(std::string(kNetFileName) + ": " + key);
    // The folders first (the saved language is in the configuration); a
    // missing server is said once the language is known, in it.
    (void)PathsUpdate(plan);
    plan.options.networkPageVisible = network_page_visible(plan);

    int saved = read_saved_language(plan);
    std::optional<int> chosen;
    if (language) {
        int i = language_index(*language);
        if (i >= 0) chosen = i;
    }
    std::vector<refusal> said = said_by(cb_LanguageChange(plan, chosen));
    for (refusal& r : said_by(PathsUpdate(plan))) said.push_back(std::move(r));
    // A language asked for on the command line is for this run only.
    if (chosen) plan.options.glowne.lang = saved;

    read_user_settings(plan);
    for (const std::string& key : czytaj_opcje(plan, "opcje"))
        ignored.push_back(std::string(kConfigFileName) + ": " + key);
    // Applying a language file reads the language options; without one they
    // still need reading.
    if (plan.options.languageFile.empty()) czytaj_opcje(plan, "lang");
    result<std::vector<std::string>> loaded(std::move(ignored));
    loaded.note_all(said);
    return loaded;
}

}  // namespace planek
