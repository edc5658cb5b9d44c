#include "settings/net_settings.h"

#include "core/ini_file.h"
#include "core/plan.h"
#include "core/text.h"
#include "settings/message_format.h"
#include "settings/options_file.h"
#include "settings/settings_file.h"

namespace planek {

namespace {

constexpr const char* kNet = "net";

void read_flag(const IniFile& ini, const char* key, bool& field, std::vector<std::string>& ignored) {
    auto v = ini.value(kNet, key);
    if (!v) return;
    // Only "1" is on; anything else is off, and noted when it is no flag at all.
    field = parse_flag(*v);
    if (*v != "1" && *v != "0") ignored.push_back(std::string(kNet) + "." + key);
}

std::filesystem::path server_folder(const plan_services& plan) {
    // Written for the original platform with a trailing "\"; either
    // separator ends up as a plain folder path here.
    // A relative path is taken from the program's folder, never from
    // wherever the program happened to be started.
    std::string s = plan.options.net.ServerPath;
    for (char& c : s)
        if (c == '\\') c = '/';
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    if (s.empty()) return {};
    std::filesystem::path p(s);
    if (p.is_relative() && !plan.paths.root.empty()) p = plan.paths.root / p;
    return p.lexically_normal();
}

bool folder_exists(const std::filesystem::path& p) {
    std::error_code ec;
    return !p.empty() && std::filesystem::is_directory(p, ec);
}

}  // namespace

std::vector<std::string> read_net_options(plan_services& plan) {
    std::vector<std::string> ignored;
    net_options& n = plan.options.net;
    n = net_options{};
    if (plan.paths.data.empty()) return ignored;
    IniFile ini = read_settings_file(plan, plan.paths.data / kNetFileName);
    n.ServerPath = ini.readString(kNet, "ServerPath", "");
    read_flag(ini, "Template", n.Template, ignored);
    read_flag(ini, "Printout", n.Printout, ignored);
    read_flag(ini, "PrintoutOnlyAccepted", n.PrintoutOnlyAccepted, ignored);
    read_flag(ini, "Config", n.Config, ignored);
    read_flag(ini, "HideNetworkTab", n.HideNetworkTab, ignored);
    return ignored;
}

result<> write_net_options(const Plan& plan) {
    if (plan.paths.data.empty())
        return refused(refusal_kind::Io, plan.tr.msg("msg_NoProgramDataFolder", "Nie wskazano folderu danych programu."));
    std::filesystem::path file = plan.paths.data / kNetFileName;
    IniFile ini(file);
    const net_options& n = plan.options.net;
    ini.writeString(kNet, "ServerPath", n.ServerPath);
    ini.writeBool(kNet, "Template", n.Template);
    ini.writeBool(kNet, "Printout", n.Printout);
    ini.writeBool(kNet, "PrintoutOnlyAccepted", n.PrintoutOnlyAccepted);
    ini.writeBool(kNet, "Config", n.Config);
    ini.writeBool(kNet, "HideNetworkTab", n.HideNetworkTab);
    std::error_code ec;
    std::filesystem::create_directories(plan.paths.data, ec);
    if (ini.saveAs(file, &plan.tr)) return {};
    return refused(refusal_kind::Io, ini.error().empty() ? file.string() : ini.error(), file.string());
}

bool RunAsServer(const Plan& plan) {
    std::filesystem::path server = server_folder(plan);
    if (plan.options.net.ServerPath.empty() || !folder_exists(server)) return true;
    return same_folder(server, plan.paths.root);
}

result<> PathsUpdate(plan_services& plan) {
    if (plan.paths.root.empty()) return {};  // no program root: nothing to resolve
    Paths local = Paths::local(plan.paths.root);
    plan.paths.templates = local.templates;
    plan.paths.printouts = local.printouts;
    plan.paths.config = local.config;
    if (plan.options.net.ServerPath.empty()) return {};
    std::filesystem::path server = server_folder(plan);
    if (!folder_exists(server)) {
        std::string text = plan.tr.msg("msg_CantFindServer",
                                       "Serwer nie został znaleziony. Skontaktuj się z administratorem sieci "
                                       "komputerowej.%sPrzyjęto ustawienia lokalne.");
        result<> local;
        local.note(refused(refusal_kind::Io, fill_message(text, {"\n"}), server.string()));
        return local;
    }
    Paths remote = Paths::local(server);
    if (plan.options.net.Template) plan.paths.templates = remote.templates;
    if (plan.options.net.Printout) plan.paths.printouts = remote.printouts;
    if (plan.options.net.Config) plan.paths.config = remote.config;
    return {};
}

bool network_page_visible(const Plan& plan) {
    return !(plan.options.net.HideNetworkTab && !RunAsServer(plan));
}

}  // namespace planek
