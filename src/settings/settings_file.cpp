#include "settings/settings_file.h"

#include <cstdio>

#include "core/plan.h"
#include "settings/message_format.h"

namespace planek {

namespace fs = std::filesystem;

fs::path unreadable_copy_name(const fs::path& file, const civil_date& today) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", today.year, today.month, today.day);
    const std::string base = file.string() + ".bad_" + date;
    fs::path name = base;
    std::error_code ec;
    for (int n = 2; fs::exists(name, ec) || fs::is_symlink(name, ec); ++n) name = base + "_" + std::to_string(n);
    return name;
}

IniFile read_settings_file(const plan_services& plan, const fs::path& file) {
    if (file.empty()) return IniFile();
    IniFile ini(file);
    // Read again to say in the session's language why it could not be read.
    if (ini.unreadable()) (void)ini.load(file, kIniFileBound, &plan.tr);
    if (!ini.unreadable()) return ini;
    // Why it could not be read (too large, no permission) follows the message.
    const std::string why = ini.error().empty() ? std::string() : "\n" + ini.error();
    const fs::path kept = unreadable_copy_name(file, plan.clock->today());
    std::error_code ec;
    fs::rename(file, kept, ec);
    if (ec) {
        plan.ui->warn(fill_message(
            plan.tr.msg("msg_SettingsFileUnreadableNotMoved",
                        "Nie udało się odczytać pliku %s ani zachować go jako %s.%sProgram używa ustawień "
                        "domyślnych i nie zapisze tego pliku, dopóki nie da się go odczytać."),
            {file.string(), kept.string(), "\n"}) +
                     why);
        return ini;
    }
    plan.ui->warn(fill_message(plan.tr.msg("msg_SettingsFileUnreadable",
                                           "Nie udało się odczytać pliku %s.%sPlik został zachowany jako %s; "
                                           "program używa ustawień domyślnych."),
                               {file.string(), "\n", kept.string()}) +
               why);
    return IniFile(file);
}

}  // namespace planek
