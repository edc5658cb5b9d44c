#include "cli/arg_parser.h"

#include "cli/cli.h"
#include "core/text.h"

namespace planek::cli {

arg_parser& arg_parser::flag(const std::string& name, std::function<void()> apply) {
    options_.push_back({name, false, [apply = std::move(apply)](const std::string&) { apply(); }, {}});
    return *this;
}

arg_parser& arg_parser::flag(const std::string& name, bool& target) {
    return flag(name, [&target] { target = true; });
}

arg_parser& arg_parser::value(const std::string& name, std::function<void(const std::string&)> apply,
                              std::string missing) {
    options_.push_back({name, true, std::move(apply), std::move(missing)});
    return *this;
}

arg_parser& arg_parser::id(const std::string& name, std::optional<word>& target, const std::string& what,
                           std::string missing) {
    value(name, [&target, what](const std::string& v) { target = id_word(v, what); }, std::move(missing));
    if (options_.back().missing.empty()) options_.back().needsId = true;
    return *this;
}

arg_parser& arg_parser::words(std::size_t most) {
    mostWords_ = most;
    return *this;
}

arg_parser& arg_parser::numbers_are_words() {
    numbersAreWords_ = true;
    return *this;
}

const arg_parser::option* arg_parser::find(const std::string& name) const {
    for (const option& o : options_)
        if (o.name == name) return &o;
    return nullptr;
}

std::vector<std::string> arg_parser::parse(const std::vector<std::string>& args) const {
    std::vector<std::string> found;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (const option* o = find(s)) {
            if (!o->takesValue) {
                o->apply({});
                continue;
            }
            if (i + 1 >= args.size()) {
                if (!o->missing.empty()) throw usage_error(o->missing);
                if (o->needsId) throw usage_error("cli_OptionNeedsId", "%s wymaga identyfikatora", {o->name});
                throw usage_error("cli_OptionNeedsValue", "%s wymaga wartości", {o->name});
            }
            o->apply(args[++i]);
            continue;
        }
        // "--name=value" is "--name value".
        if (const size_t eq = s.find('='); s.rfind("--", 0) == 0 && eq != std::string::npos) {
            const option* o = find(s.substr(0, eq));
            if (o && o->takesValue) {
                o->apply(s.substr(eq + 1));
                continue;
            }
            if (o) throw usage_error("cli_OptionTakesNoValue", "%s nie przyjmuje wartości", {o->name});
        }
        // A lone "-" is a word: standard output where a file is named.
        const bool looksLikeOption =
            numbersAreWords_ ? s.size() > 1 && s[0] == '-' && !parse_int(s) : s.size() > 1 && s[0] == '-';
        if (looksLikeOption) throw usage_error("cli_UnknownOption", "nieznana opcja „%s”", {s});
        if (found.size() >= mostWords_) throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {s});
        found.push_back(s);
    }
    return found;
}

word id_word(const std::string& text, const std::string& what) {
    auto v = parse_int(text);
    if (!v || *v < 1 || *v > 65535) {
        if (what == "grupy") throw usage_error("cli_BadGroupId", "niepoprawny identyfikator grupy „%s”", {text});
        if (what == "pracownika")
            throw usage_error("cli_BadWorkerId", "niepoprawny identyfikator pracownika „%s”", {text});
        throw usage_error("cli_BadId", "niepoprawny identyfikator %s „%s”", {what, text});
    }
    return word(*v);
}

}  // namespace planek::cli
