#include <exception>
#include <ostream>

#include "cli/cli.h"
#include "document/month_acts.h"
#include "settings/language.h"

namespace planek::cli {

namespace {

void print_help(std::ostream& out) {
    out << "planek-cli [--root DIR] [--yes|--no] [--force] POLECENIE [ARGUMENTY]\n\n"
           "Opcje:\n"
           "  --root DIR   folder programu (dane/, templates/, wydruki/, lang/)\n"
           "  --yes, --no  odpowiedź na pytania programu\n"
           "  --force      otwórz miesiąc, który ma otwarty ktoś inny\n"
           "  --lang JĘZYK język komunikatów (english, polski)\n\n"
           "Polecenia:\n"
           "  help                  ta pomoc\n";
    for (const command& c : all_commands()) {
        std::string head = std::string(c.name) + (*c.usage ? " " + std::string(c.usage) : "");
        // A long usage keeps the line readable: its summary goes below it.
        if (head.size() < 22)
            out << "  " << head << std::string(22 - head.size(), ' ') << c.summary << "\n";
        else
            out << "  " << head << "\n" << std::string(24, ' ') << c.summary << "\n";
    }
}

struct parsed {
    std::optional<std::filesystem::path> root;
    std::optional<std::string> lang;
    CliInteraction::Preset preset = CliInteraction::Preset::None;
    bool force = false;  // a month another program has open is opened all the same
    std::vector<std::string> rest;  // the command and its arguments
};

// Global options may stand anywhere; "--" ends them.
parsed parse_global(const std::vector<std::string>& args) {
    parsed p;
    bool options = true;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (options && a == "--") {
            options = false;
        } else if (options && a == "--root") {
            if (i + 1 >= args.size()) throw usage_error("--root wymaga nazwy folderu");
            p.root = args[++i];
        } else if (options && a.rfind("--root=", 0) == 0) {
            p.root = a.substr(7);
        } else if (options && a == "--lang") {
            if (i + 1 >= args.size() || language_index(args[i + 1]) < 0)
                throw usage_error("--lang wymaga nazwy języka: english albo polski");
            p.lang = args[++i];
        } else if (options && (a == "--yes" || a == "-y")) {
            p.preset = CliInteraction::Preset::Yes;
        } else if (options && (a == "--no" || a == "-n")) {
            p.preset = CliInteraction::Preset::No;
        } else if (options && a == "--force") {
            p.force = true;
        } else if (options && (a == "--help" || a == "-h")) {
            p.rest.insert(p.rest.begin(), "help");
        } else {
            p.rest.push_back(a);
        }
    }
    if (p.root && p.root->empty()) throw usage_error("--root wymaga nazwy folderu");
    return p;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    parsed p;
    try {
        p = parse_global(args);
    } catch (const usage_error& e) {
        err << "planek-cli: " << e.what() << "\n";
        return kExitUsage;
    }
    if (p.rest.empty()) {
        print_help(err);
        return kExitUsage;
    }
    if (p.rest[0] == "help") {
        // "help COMMAND" and "COMMAND --help": the one command.
        if (const command* c = p.rest.size() > 1 ? find_command(p.rest[1]) : nullptr) {
            out << "użycie: planek-cli " << c->name << (*c->usage ? " " + std::string(c->usage) : "") << "\n\n"
                << c->summary << "\n\nOpis poleceń i opcji: man planek-cli\n";
            return kExitOk;
        }
        print_help(out);
        return kExitOk;
    }
    const command* c = find_command(p.rest[0]);
    if (!c) {
        err << "planek-cli: nieznane polecenie „" << p.rest[0] << "” (zob. planek-cli help)\n";
        return kExitUsage;
    }
    context ctx(out, err, std::make_shared<CliInteraction>(err, p.preset));
    ctx.root = p.root;
    ctx.lang = p.lang;
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
        err << "planek-cli " << c->name << ": " << e.what() << "\n"
            << "użycie: planek-cli " << c->name << " " << c->usage << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "planek-cli " << c->name << ": " << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace planek::cli
