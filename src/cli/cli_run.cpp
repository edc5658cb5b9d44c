#include <algorithm>
#include <exception>
#include <ostream>

#include "cli/cli.h"
#include "cli/nearest_name.h"
#include "cli/run_language.h"
#include "core/file_io.h"
#include "document/month_acts.h"
#include "settings/language.h"
#include "settings/message_format.h"

namespace planek::cli {

namespace {

std::string cli_text(const Translator& tr, const std::string& key, const std::string& polish,
                     std::initializer_list<std::string> args = {}) {
    return fill_message(tr.tr("cli", key, polish), args);
}

// A command's usage and summary in the run's language.
std::string usage_of(const Translator& tr, const command& c) {
    return tr.tr("cli", std::string("usage_") + c.name, c.usage);
}
std::string summary_of(const Translator& tr, const command& c) {
    return tr.tr("cli", std::string("summary_") + c.name, c.summary);
}

void print_help(std::ostream& out, const Translator& tr) {
    out << cli_text(tr, "help_Synopsis", "planek-cli [--root DIR] [--yes|--no] [--force] POLECENIE [ARGUMENTY]")
        << "\n\n"
        << cli_text(tr, "help_Options",
                    "Opcje:\n"
                    "  --root DIR   folder programu (dane/, templates/, wydruki/, lang/)\n"
                    "  --yes, --no  odpowiedź na pytania programu\n"
                    "  --force      otwórz miesiąc, który ma otwarty ktoś inny\n"
                    "  --lang JĘZYK język komunikatów (english, polski)\n"
                    "  --version    wersja programu")
        << "\n\n"
        << cli_text(tr, "help_Commands", "Polecenia:") << "\n"
        << "  help                  " << cli_text(tr, "help_Help", "ta pomoc; help POLECENIE: jedno polecenie")
        << "\n";
    for (const command& c : all_commands()) {
        const std::string usage = usage_of(tr, c);
        std::string head = std::string(c.name) + (usage.empty() ? "" : " " + usage);
        // A long usage keeps the line readable: its summary goes below it.
        if (head.size() < 22)
            out << "  " << head << std::string(22 - head.size(), ' ') << summary_of(tr, c) << "\n";
        else
            out << "  " << head << "\n" << std::string(24, ' ') << summary_of(tr, c) << "\n";
    }
    out << "\n" << cli_text(tr, "help_ExitCodes", "Kody wyjścia: 0 wykonano, 1 odmowa albo błąd, 2 błędne wywołanie.") << "\n";
}

void print_command_help(std::ostream& out, const Translator& tr, const command& c) {
    const std::string usage = usage_of(tr, c);
    out << cli_text(tr, "help_Usage", "użycie:") << " planek-cli " << c.name << (usage.empty() ? "" : " " + usage)
        << "\n\n"
        << summary_of(tr, c) << "\n\n"
        << cli_text(tr, "help_Manual", "Opis poleceń i opcji: man planek-cli") << "\n";
}

struct parsed {
    std::optional<std::filesystem::path> root;
    std::optional<std::string> lang;
    CliInteraction::Preset preset = CliInteraction::Preset::None;
    bool force = false;  // a month another program has open is opened all the same
    bool version = false;
    std::vector<std::string> rest;  // the command and its arguments
};

// "--name value" and "--name=value" alike; false when `a` is not that option.
bool option_value(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value,
                  bool& missing) {
    const std::string& a = args[i];
    missing = false;
    if (a == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return true;
        }
        value = args[++i];
        return true;
    }
    if (a.rfind(name + "=", 0) == 0) {
        value = a.substr(name.size() + 1);
        return true;
    }
    return false;
}

// Global options may stand anywhere; "--" ends them.
parsed parse_global(const std::vector<std::string>& args) {
    parsed p;
    bool options = true;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value;
        bool missing = false;
        if (options && a == "--") {
            options = false;
        } else if (options && option_value(args, i, "--root", value, missing)) {
            if (missing || value.empty()) throw usage_error("cli_RootNeedsFolder", "--root wymaga nazwy folderu");
            p.root = value;
        } else if (options && option_value(args, i, "--lang", value, missing)) {
            if (missing || language_index(value) < 0)
                throw usage_error("cli_LangNeedsName", "--lang wymaga nazwy języka: english albo polski");
            p.lang = value;
        } else if (options && (a == "--yes" || a == "-y")) {
            p.preset = CliInteraction::Preset::Yes;
        } else if (options && (a == "--no" || a == "-n")) {
            p.preset = CliInteraction::Preset::No;
        } else if (options && a == "--force") {
            p.force = true;
        } else if (options && a == "--version") {
            p.version = true;
        } else if (options && (a == "--help" || a == "-h")) {
            p.rest.insert(p.rest.begin(), "help");
        } else {
            p.rest.push_back(a);
        }
    }
    return p;
}

// The language of the run as far as the arguments tell it, for what is
// said before the command runs. The last one given counts, as it does for
// the session.
std::optional<std::string> language_asked(const std::vector<std::string>& args) {
    std::optional<std::string> asked;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (args[i] == "--lang" && i + 1 < args.size()) asked = args[++i];
        else if (args[i].rfind("--lang=", 0) == 0) asked = args[i].substr(7);
    }
    return asked;
}
std::optional<std::filesystem::path> root_asked(const std::vector<std::string>& args) {
    std::optional<std::filesystem::path> asked;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (args[i] == "--root" && i + 1 < args.size()) {
            if (!args[++i].empty()) asked = args[i];
        } else if (args[i].rfind("--root=", 0) == 0 && args[i].size() > 7) {
            asked = args[i].substr(7);
        }
    }
    return asked;
}

}  // namespace

std::string unknown_command(const Translator& tr, const std::string& name) {
    std::vector<std::string> names;
    for (const command& c : all_commands()) names.push_back(c.name);
    std::string text = cli_text(tr, "cli_UnknownCommand", "nieznane polecenie „%s”", {name});
    if (const auto nearest = nearest_name(name, names))
        text += cli_text(tr, "cli_DidYouMean", "; czy chodziło o „%s”?", {*nearest});
    return text + " " + cli_text(tr, "cli_SeeHelp", "(zob. planek-cli help)");
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Translator tr = run_translator(root_asked(args), language_asked(args));
    parsed p;
    try {
        p = parse_global(args);
    } catch (const usage_error& e) {
        err << "planek-cli: " << e.text(tr) << "\n";
        return kExitUsage;
    }
    if (p.version) {
        out << "planek-cli " << PLANEK_VERSION << " (" << PLANEK_BUILD << ")\n";
        return kExitOk;
    }
    if (p.rest.empty()) {
        print_help(err, tr);
        return kExitUsage;
    }
    if (p.rest[0] == "help") {
        // "help COMMAND" and "COMMAND --help": the one command; help's own is the whole.
        if (p.rest.size() < 2 || p.rest[1] == "help") {
            print_help(out, tr);
            return kExitOk;
        }
        if (const command* c = find_command(p.rest[1])) {
            print_command_help(out, tr, *c);
            return kExitOk;
        }
        err << "planek-cli: " << unknown_command(tr, p.rest[1]) << "\n";
        return kExitUsage;
    }
    const command* c = find_command(p.rest[0]);
    if (!c) {
        err << "planek-cli: " << unknown_command(tr, p.rest[0]) << "\n";
        return kExitUsage;
    }
    context ctx(out, err, std::make_shared<CliInteraction>(err, p.preset));
    ctx.root = p.root;
    ctx.lang = p.lang;
    ctx.runLanguage = tr;
    ctx.doc.set_lock_policy(p.force ? lock_policy::Force : lock_policy::Refuse);
    ctx.doc.set_damage_policy(damage_policy::ViewOnly);
    // The month locks go with the command, however it ends.
    struct unlock_at_end {
        roster_document& doc;
        ~unlock_at_end() { release_locks(doc); }
    } unlock{ctx.doc};
    ctx.args.assign(p.rest.begin() + 1, p.rest.end());
    try {
        return c->run(ctx);
    } catch (const usage_error& e) {
        const Translator& t = speaking(ctx);
        const std::string usage = usage_of(t, *c);
        err << "planek-cli " << c->name << ": " << e.text(t) << "\n"
            << cli_text(t, "help_Usage", "użycie:") << " planek-cli " << c->name << (usage.empty() ? "" : " " + usage)
            << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "planek-cli " << c->name << ": " << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace planek::cli
