#include "settings/user_settings.h"

#include <cstdlib>

#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/plan.h"
#include "core/text.h"

namespace planek {

namespace {

constexpr const char* kSection = "user";
// Any fixed value works for passwords set by this program.
constexpr std::uint32_t kHashSeed = 1;

std::uint32_t rotl(std::uint32_t v, unsigned n) {
    n &= 31;
    return n == 0 ? v : (v << n) | (v >> (32 - n));
}

std::optional<bool> read_switch(const IniFile& ini, const char* key) {
    auto v = ini.value(kSection, key);
    if (!v) return std::nullopt;
    return parse_flag(trim(*v));
}

}  // namespace

std::filesystem::path default_user_settings_folder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return std::filesystem::path(xdg) / "planek";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::filesystem::path(home) / ".config" / "planek";
    return {};
}

bool read_user_settings(plan_services& plan) {
    user_options& u = plan.options.user;
    u = user_options{};
    const std::filesystem::path& folder = plan.options.userSettingsFolder;
    if (folder.empty()) return true;
    std::filesystem::path file = folder / kUserSettingsFileName;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return true;
    IniFile ini;
    if (!ini.load(file)) return false;
    u.pwd = trim(ini.readString(kSection, "pwd", ""));
    u.user_name = ini.readString(kSection, "user_name", "");
    u.tab_adress_visible = read_switch(ini, "tab_adress_visible");
    u.tab_other_visible = read_switch(ini, "tab_other_visible");
    u.db_url = trim(ini.readString(kSection, "db_url", ""));
    return true;
}

result<> write_user_settings(const Plan& plan) {
    const std::filesystem::path& folder = plan.options.userSettingsFolder;
    if (folder.empty()) return {};
    std::filesystem::path file = folder / kUserSettingsFileName;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    IniFile ini(file);
    const user_options& u = plan.options.user;
    if (u.pwd.empty())
        ini.deleteKey(kSection, "pwd");
    else
        ini.writeString(kSection, "pwd", u.pwd);
    ini.writeString(kSection, "user_name", u.user_name);
    if (u.tab_adress_visible) ini.writeBool(kSection, "tab_adress_visible", *u.tab_adress_visible);
    if (u.tab_other_visible) ini.writeBool(kSection, "tab_other_visible", *u.tab_other_visible);
    if (u.db_url.empty())
        ini.deleteKey(kSection, "db_url");
    else
        ini.writeString(kSection, "db_url", u.db_url);
    if (ini.saveAs(file, &plan.tr)) return {};
    return refused(refusal_kind::Io, ini.error().empty() ? file.string() : ini.error(), file.string());
}

std::uint32_t GGLoginHash(const std::string& password) {
    std::uint32_t x = 0, y = kHashSeed;
    for (unsigned char c : utf8_to_cp1250_lossy(password)) {
        x = (x & 0xFFFFFF00u) | c;
        y ^= x;
        y += x;
        x <<= 8;
        y ^= x;
        x <<= 8;
        y -= x;
        x <<= 8;
        y ^= x;
        y = rotl(y, y & 31);
    }
    return y;
}

bool check_password(const Plan& plan, const std::string& typed) {
    const std::string& stored = plan.options.user.pwd;
    if (stored.empty()) return true;
    // Compared without an early exit, so the time taken says nothing of
    // how much of the hash matched.
    const std::string hash = std::to_string(GGLoginHash(typed));
    unsigned diff = unsigned(stored.size() ^ hash.size());
    for (size_t i = 0; i < stored.size(); ++i)
        diff |= unsigned(static_cast<unsigned char>(stored[i]) ^
                         static_cast<unsigned char>(i < hash.size() ? hash[i] : 0));
    return diff == 0;
}

void set_password(plan_services& plan, const std::string& typed) {
    plan.options.user.pwd = typed.empty() ? std::string() : std::to_string(GGLoginHash(typed));
}

}  // namespace planek
