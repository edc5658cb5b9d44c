#include "files/recent_files.h"

#include "core/ini_file.h"
#include "core/text.h"
#include "settings/settings_file.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

const char* const kProjectSection = "pliki_Project";
const char* const kProgramSection = "program";

std::string recent_key(int i) { return "plik" + std::to_string(i + 1); }

bool is_autosave(const std::string& path) { return path.find("autosave") != std::string::npos; }

}  // namespace

fs::path recent_config_file(const Plan& plan) {
    // The per-user keys go to the local data folder, like the other settings
    // written outside the configuration dialog, so a configuration taken from
    // a server is never touched by them.
    return plan.paths.data / "konfiguracja.ini";
}

namespace {

// The list of `section` with `entry` put at its head, as it is to be stored.
std::array<std::string, kRecentCount> put_first(IniFile& ini, const std::string& section, const std::string& entry) {
    std::array<std::string, kRecentCount> list;
    for (int i = 0; i < kRecentCount; ++i) list[i] = ini.readString(section, recent_key(i));
    if (entry.empty() || is_autosave(entry)) return list;
    std::array<std::string, kRecentCount> fresh;
    int n = 0;
    fresh[n++] = entry;
    for (const std::string& old : list)
        if (n < kRecentCount && !old.empty() && old != entry) fresh[n++] = old;
    for (int i = 0; i < kRecentCount; ++i) ini.writeString(section, recent_key(i), fresh[i]);
    return fresh;
}

// The keys are a convenience: a configuration that cannot be written keeps
// its old keys and the plan goes on, but the user learns why the list or
// folder was not remembered.
bool save_or_warn(Plan& plan, const IniFile& ini, const fs::path& file) {
    if (ini.saveAs(file)) return true;
    plan.ui->warn(ini.error().empty() ? "Nie udało się zapisać pliku " + file.string() : ini.error());
    return false;
}

}  // namespace

std::array<std::string, kRecentCount> dopisz_ostatni(const fs::path& configFile, const std::string& section,
                                                     const std::string& entry) {
    IniFile ini(configFile);
    const std::string before = ini.text();
    std::array<std::string, kRecentCount> list = put_first(ini, section, entry);
    if (ini.text() == before) return list;
    if (!ini.saveAs(configFile)) {
        IniFile old(configFile);
        for (int i = 0; i < kRecentCount; ++i) list[i] = old.readString(section, recent_key(i));
    }
    return list;
}

void dopisz_projekt(Plan& plan, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    const fs::path file = recent_config_file(plan);
    IniFile ini = read_settings_file(plan, file);
    const std::array<std::string, kRecentCount> old = plan.options.recentProjects;
    const std::array<std::string, kRecentCount> fresh = put_first(ini, kProjectSection, join_fields(paths));
    plan.options.recentProjects = save_or_warn(plan, ini, file) ? fresh : old;
}

std::string dopisz_path(Plan& plan, const std::string& path, const std::string& key, bool write) {
    const fs::path file = recent_config_file(plan);
    if (write) {
        std::error_code ec;
        if (path.empty() || is_autosave(path) || !fs::exists(fs::path(path), ec)) return path;
        const std::string folder = fs::path(path).parent_path().string();
        IniFile ini = read_settings_file(plan, file);
        ini.writeString(kProgramSection, key, folder);
        if (save_or_warn(plan, ini, file) && key == "path") plan.options.programPath = folder;
        return folder;
    }
    IniFile ini(file);
    std::string stored = ini.readString(kProgramSection, key);
    if (stored.empty() && key == "path") stored = plan.options.programPath;
    if (!stored.empty()) return stored;
    return fs::path(path).parent_path().string();
}

std::vector<recent_project> recent_projects(const Plan& plan) {
    IniFile ini(recent_config_file(plan));
    std::vector<recent_project> result;
    for (int i = 0; i < kRecentCount; ++i) {
        std::string value = ini.readString(kProjectSection, recent_key(i));
        if (value.empty()) value = plan.options.recentProjects[i];
        recent_project entry;
        entry.position = i + 1;
        std::string names;
        for (const std::string& f : split_fields(value)) {
            std::error_code ec;
            if (f.empty() || !fs::exists(fs::path(f), ec)) continue;
            entry.files.push_back(f);
            if (!names.empty()) names += ", ";
            names += fs::path(f).filename().string();
        }
        if (entry.files.empty()) continue;
        entry.caption = "[" + std::to_string(entry.position) + "] " + names + " (" +
                        fs::path(entry.files.front()).parent_path().string() + ")";
        result.push_back(std::move(entry));
    }
    return result;
}

}  // namespace planek
