#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/nearest_name.h"
#include "core/ini_file.h"
#include "settings/options_file.h"
#include "settings/startup_settings.h"
#include "settings/user_settings.h"
#include "store/pg_connection.h"

namespace planek::cli {

namespace {

// Loads the root's settings; the ignored values go to the error stream.
bool load_settings(context& ctx) {
    if (!ctx.open_root()) return false;
    for (const std::string& key : ctx.ignoredOptions)
        ctx.err << say(ctx, "cli_BadValueSkipped", "pominięto błędną wartość: %s", {key}) << "\n";
    return true;
}

int options_cmd(context& ctx) {
    if (!ctx.args.empty()) throw usage_error("cli_NoArguments", "polecenie nie ma argumentów");
    if (!load_settings(ctx)) return kExitFailure;
    for (const auto& [key, value] : effective_options(ctx.plan)) ctx.out << key << "=" << value << "\n";
    return kExitOk;
}

// Sets one key of the data folder's konfiguracja.ini after checking that the
// options reader takes the value.
int set_option(context& ctx, const std::string& section, const std::string& key, const std::string& value) {
    const Plan& plan = ctx.plan;
    if (!same_folder(plan.paths.config, plan.paths.data)) {
        ctx.err << say(plan, "cli_ConfigFromServer",
                       "konfiguracja pochodzi z serwera (%s) i nie jest zapisywana",
                       {plan.paths.config.string()})
                << "\n";
        return kExitFailure;
    }
    if (value.find_first_of("\r\n") != std::string::npos)
        throw usage_error("cli_ValueOneLine", "wartość musi mieścić się w jednym wierszu");
    std::filesystem::path file = plan.paths.data / kConfigFileName;
    IniFile ini(file);
    ini.writeString(section, key, value);
    Plan check;
    check.paths = plan.paths;
    check.tr = plan.tr;
    check.options.language = plan.options.language;
    check.clock = plan.clock;
    std::vector<std::string> ignored = read_machine_options(check, ini);
    for (const std::string& k : read_general_options(check, ini)) ignored.push_back(k);
    for (const std::string& k : ignored)
        if (k == section + "." + key) {
            ctx.err << say(plan, "cli_BadValueFor", "błędna wartość dla %s: %s", {k, value}) << "\n";
            return kExitFailure;
        }
    if (!ini.saveAs(file, &plan.tr)) {
        ctx.err << say(plan, "cli_CannotSaveFile", "nie można zapisać pliku %s", {file.string()}) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

// The option's name as the program knows it (sections and keys are matched
// without case), or nothing.
std::optional<std::string> known_option(const Plan& plan, const std::string& wanted) {
    for (const auto& [key, value] : effective_options(plan))
        if (key.size() == wanted.size() && std::equal(key.begin(), key.end(), wanted.begin(), [](char x, char y) {
                return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
            }))
            return key;
    return std::nullopt;
}

// "nie ma opcji X", with the option probably meant.
std::string no_such_option(const Plan& plan, const std::string& wanted) {
    std::vector<std::string> names;
    for (const auto& [key, value] : effective_options(plan)) names.push_back(key);
    std::string text = say(plan, "cli_NoSuchOption", "nie ma opcji %s", {wanted});
    if (const auto nearest = nearest_name(wanted, names))
        text += say(plan, "cli_DidYouMean", "; czy chodziło o „%s”?", {*nearest});
    return text;
}

// The per-user part, "user.db_url": the store this user works on, kept in
// her own settings (not the ward's configuration, which all planners share),
// so it needs no program folder.
int user_config(context& ctx, bool set) {
    const auto& a = ctx.args;
    if (a[2] != "db_url") {
        ctx.err << say(ctx, "cli_NoSuchOption", "nie ma opcji %s", {a[1] + "." + a[2]}) << "\n";
        return kExitFailure;
    }
    Plan plan;
    plan.options.userSettingsFolder = default_user_settings_folder();
    const std::filesystem::path file = plan.options.userSettingsFolder / kUserSettingsFileName;
    if (plan.options.userSettingsFolder.empty() || !read_user_settings(plan)) {
        ctx.err << say(ctx, "cli_CannotReadFile", "nie można odczytać pliku %s", {file.string()}) << "\n";
        return kExitFailure;
    }
    if (!set) {
        ctx.out << plan.options.user.db_url << "\n";
        return kExitOk;
    }
    const std::string& value = a[3];
    if (value.find_first_of("\r\n") != std::string::npos)
        throw usage_error("cli_ValueOneLine", "wartość musi mieścić się w jednym wierszu");
    if (store::pg_connection::names_password(value))
        throw usage_error("cli_DbPasswordInUrl",
                          "hasła nie podaje się w adresie bazy danych: zapisz je w ~/.pgpass (albo w pliku, który "
                          "wskazuje PGPASSFILE)");
    plan.options.user.db_url = value;
    if (!write_user_settings(plan)) {
        ctx.err << say(ctx, "cli_CannotSaveFile", "nie można zapisać pliku %s", {file.string()}) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int config_cmd(context& ctx) {
    // "--get=SECTION KEY" is "--get SECTION KEY", as any option takes its value.
    if (!ctx.args.empty())
        for (const char* option : {"--get=", "--set="})
            if (std::string& first = ctx.args[0]; first.rfind(option, 0) == 0) {
                std::string section = first.substr(6);
                first.resize(5);
                ctx.args.insert(ctx.args.begin() + 1, std::move(section));
                break;
            }
    const auto& a = ctx.args;
    bool get = a.size() == 3 && a[0] == "--get";
    bool set = a.size() == 4 && a[0] == "--set";
    if (!a.empty() && !get && !set)
        throw usage_error("cli_ConfigUsage", "oczekiwano --get SEKCJA KLUCZ albo --set SEKCJA KLUCZ WARTOŚĆ");
    if ((get || set) && a[1] == "user") return user_config(ctx, set);
    if (!load_settings(ctx)) return kExitFailure;
    if (!get && !set) {
        for (const auto& [key, value] : effective_options(ctx.plan)) ctx.out << key << "=" << value << "\n";
        return kExitOk;
    }
    // A key the program does not read is refused, never written.
    const std::string wanted = a[1] + "." + a[2];
    const std::optional<std::string> known = known_option(ctx.plan, wanted);
    if (!known) {
        ctx.err << no_such_option(ctx.plan, wanted) << "\n";
        return kExitFailure;
    }
    if (set) return set_option(ctx, a[1], a[2], a[3]);
    for (const auto& [key, value] : effective_options(ctx.plan))
        if (key == *known) ctx.out << value << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> config_commands() {
    return {
        {"options", "", "wypisuje obowiązujące opcje (sekcja.klucz=wartość)", options_cmd},
        {"config", "[--get SEKCJA KLUCZ | --set SEKCJA KLUCZ WARTOŚĆ]", "odczyt lub zmiana jednej opcji konfiguracji (sekcja user: ustawienia użytkownika, np. user db_url ADRES "
         "bazy danych)",
         config_cmd},
    };
}

}  // namespace planek::cli
