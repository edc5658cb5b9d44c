#include "files/recent_files.h"

#include "core/ini_file.h"
#include "core/text.h"
#include "settings/message_format.h"
#include "settings/settings_file.h"
#include "settings/user_settings.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

const char* const kProjectSection = "pliki_Project";
const char* const kProgramSection = "program";

std::string recent_key(int i) { return "plik" + std::to_string(i + 1); }

bool is_autosave(const std::string& path) { return path.find("autosave") != std::string::npos; }

}  // namespace

fs::path recent_config_file(const Plan& plan) {
    // What one user opened is hers, not the ward's: the shared configuration
    // is never rewritten by an open or a save.
    if (plan.options.userSettingsFolder.empty()) return {};
    return plan.options.userSettingsFolder / kUserSettingsFileName;
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

// The keys are a convenience: a file that cannot be written keeps its old
// keys and the plan goes on, but the user learns why the list or folder was
// not remembered.
refusal save_or_say(const Plan& plan, const IniFile& ini, const fs::path& file) {
    // A user's first list makes her settings folder.
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ini.saveAs(file, &plan.tr)) return {};
    return refused(refusal_kind::Io,
                   ini.error().empty()
                       ? fill_message(plan.tr.msg("msg_FileNotWritten", "Nie udało się zapisać pliku %s"), {file.string()})
                       : ini.error(),
                   file.string());
}

// The per-user file starts with the list the configuration held before the
// lists moved there, read once.
void seed_from_configuration(const Plan& plan, IniFile& ini) {
    bool any = false;
    for (int i = 0; i < kRecentCount; ++i) any = any || ini.value(kProjectSection, recent_key(i)).has_value();
    if (any) return;
    for (int i = 0; i < kRecentCount; ++i)
        if (!plan.options.recentProjects[size_t(i)].empty())
            ini.writeString(kProjectSection, recent_key(i), plan.options.recentProjects[size_t(i)]);
    if (!ini.value(kProgramSection, "path") && !plan.options.programPath.empty())
        ini.writeString(kProgramSection, "path", plan.options.programPath);
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

refusal dopisz_projekt(Plan& plan, const std::vector<std::string>& paths) {
    if (paths.empty()) return {};
    const fs::path file = recent_config_file(plan);
    if (file.empty()) {
        // No user to remember it for (the command line): this run only.
        IniFile memory;
        for (int i = 0; i < kRecentCount; ++i)
            memory.writeString(kProjectSection, recent_key(i), plan.options.recentProjects[size_t(i)]);
        plan.options.recentProjects = put_first(memory, kProjectSection, join_fields(paths));
        return {};
    }
    IniFile ini = read_settings_file(plan, file);
    seed_from_configuration(plan, ini);
    const std::array<std::string, kRecentCount> fresh = put_first(ini, kProjectSection, join_fields(paths));
    refusal unsaved = save_or_say(plan, ini, file);
    if (!unsaved.said()) plan.options.recentProjects = fresh;
    return unsaved;
}

refusal seed_recent_projects(const Plan& plan, const std::vector<std::string>& paths) {
    if (paths.empty()) return {};
    const fs::path file = plan.paths.data / "konfiguracja.ini";
    IniFile ini = read_settings_file(plan, file);
    put_first(ini, kProjectSection, join_fields(paths));
    return save_or_say(plan, ini, file);
}

std::string dopisz_path(Plan& plan, const std::string& path, const std::string& key, bool write, refusal* unsaved) {
    const fs::path file = recent_config_file(plan);
    if (write) {
        std::error_code ec;
        if (path.empty() || is_autosave(path) || !fs::exists(fs::path(path), ec)) return path;
        const std::string folder = fs::path(path).parent_path().string();
        if (file.empty()) {
            if (key == "path") plan.options.programPath = folder;
            return folder;
        }
        IniFile ini = read_settings_file(plan, file);
        seed_from_configuration(plan, ini);
        ini.writeString(kProgramSection, key, folder);
        const refusal said = save_or_say(plan, ini, file);
        if (!said.said() && key == "path") plan.options.programPath = folder;
        if (unsaved) *unsaved = said;
        return folder;
    }
    return remembered_folder(plan, path, key);
}

std::string remembered_folder(const Plan& plan, const std::string& path, const std::string& key) {
    const fs::path file = recent_config_file(plan);
    IniFile ini = file.empty() ? IniFile() : IniFile(file);
    std::string stored = file.empty() ? std::string() : ini.readString(kProgramSection, key);
    if (stored.empty() && key == "path") stored = plan.options.programPath;
    if (!stored.empty()) return stored;
    return fs::path(path).parent_path().string();
}

std::vector<recent_project> recent_projects(const Plan& plan) {
    const fs::path file = recent_config_file(plan);
    IniFile ini = file.empty() ? IniFile() : IniFile(file);
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
