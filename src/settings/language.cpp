#include "settings/language.h"

#include <cstdlib>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/ini_lines.h"
#include "core/plan.h"
#include "core/text.h"
#include "settings/message_format.h"
#include "settings/options_file.h"

namespace planek {

const std::vector<std::string>& language_list() {
    static const std::vector<std::string> list = {"english", "polski"};
    return list;
}

int language_index(const std::string& name) {
    const auto& list = language_list();
    std::string folded = lower_pl(name);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == folded) return int(i);
    return -1;
}

std::string system_language() {
    // The first of these that is set and not empty decides, as for any
    // POSIX program's messages.
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (!v || !*v) continue;
        std::string s = v;
        bool polish = s.size() >= 2 && (s[0] == 'p' || s[0] == 'P') && (s[1] == 'l' || s[1] == 'L') &&
                      (s.size() == 2 || s[2] == '_' || s[2] == '.' || s[2] == '@' || s[2] == '-');
        return polish ? "polski" : "english";
    }
    return "english";
}

std::string app_title(const std::string& language) {
    return language == "polski" ? "PlanekPro" : "ShiftloomPro";
}

std::filesystem::path language_file(const std::filesystem::path& lang_folder, const std::string& language) {
    return lang_folder / (language + ".lng");
}

std::string decode_language_value(std::string_view raw) {
    // Profile-file rules first: blanks around the value go, and a value in
    // matching double quotes loses them (the way to keep a blank at an end).
    std::string v = trim(raw);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    std::string out;
    out.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size() && (v[i + 1] == 'n' || v[i + 1] == 'r')) {
            out += v[i + 1] == 'n' ? '\n' : '\r';
            ++i;
        } else {
            out += v[i];
        }
    }
    return out;
}

void load_language_text(Translator& tr, const std::string& utf8) {
    tr.clear();
    std::string section;
    bool inSection = false;
    for (const ini_line& l : ini_lines(utf8)) {
        if (l.blank || l.comment) continue;
        // A broken header ends the section before it, so its lines are not
        // taken for that section's.
        if (l.bracketed) {
            inSection = l.section && !l.section->empty();
            if (inSection) section = *l.section;
            continue;
        }
        if (!inSection || !l.pair || l.key.empty()) continue;  // a broken line
        if (tr.has(section, l.key)) continue;                  // the first of equal keys counts
        tr.set(section, l.key, decode_language_value(l.value));
    }
}

bool load_language_file(Translator& tr, const std::filesystem::path& file) {
    // A file too large to be a language file is no language at all.
    std::string bytes, error;
    if (!read_bytes(file, bytes, error, kLanguageFileBound) ||
        !within_line_bound(file, bytes, kLanguageFileBound, error))
        return false;
    load_language_text(tr, cp1250_to_utf8(bytes));
    return true;
}

void apply_day_off_names(plan_services& plan) {
    std::vector<day_off_kind> builtIn = default_day_off_kinds();
    auto& kinds = plan.options.dayOffKinds;
    for (size_t i = 0; i < kinds.size() && i < builtIn.size(); ++i) kinds[i].name = builtIn[i].name;
    if (!plan.tr.has("MostUsedValues", "muv_DayOffNames")) return;
    std::string text = multi_line(plan.tr.muv("muv_DayOffNames", ""), std::string(kSep), "\n");
    std::vector<std::string> lines = split_fields(text, "\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.empty() || lines.size() > size_t(kDayOffKindCount)) return;
    for (size_t i = 0; i < lines.size() && i < kinds.size(); ++i) kinds[i].name = lines[i];
}

result<> cb_LanguageChange(Plan& plan, std::optional<int> chosen) {
    const auto& list = language_list();
    int index = chosen ? *chosen : plan.options.glowne.lang;
    if (index < 0 || index >= int(list.size())) index = language_index(system_language());
    plan.options.glowne.lang = index;
    const std::string& name = list[size_t(index)];
    plan.options.appTitle = app_title(name);

    std::filesystem::path file = language_file(plan.paths.lang, name);
    std::error_code ec;
    Translator loaded;
    if (plan.paths.lang.empty() || !std::filesystem::is_regular_file(file, ec) || !load_language_file(loaded, file)) {
        std::string text = plan.tr.msg("msg_LangFileMissing", "Brak pliku z wybraną wersją językową: %s%s");
        return refused(refusal_kind::Io, fill_message(text, {"\n", file.string()}), file.string());
    }
    plan.tr = std::move(loaded);
    plan.options.language = name;
    plan.options.languageFile = file.string();
    apply_day_off_names(plan);
    czytaj_opcje(plan, "lang");
    return {};
}

std::string multi_line(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

void apply_items(std::vector<std::string>& items, const std::string& value) {
    if (value.empty()) return;
    std::vector<std::string> given = split_fields(value, "\n");
    for (size_t i = 0; i < items.size() && i < given.size(); ++i) items[i] = given[i];
}

bool apply_radio(std::string& caption, std::vector<std::string>& items, const std::string& value) {
    size_t r = value.find('\r');
    if (r == std::string::npos) return false;
    caption = value.substr(0, r);
    apply_items(items, value.substr(r + 1));
    return true;
}

void apply_grid(std::vector<std::vector<std::string>>& cells, const std::string& value) {
    if (value.empty()) return;
    std::vector<std::string> rows = split_fields(value, "\r");
    for (size_t r = 0; r < cells.size() && r < rows.size(); ++r) apply_items(cells[r], rows[r]);
}

std::vector<std::string> muv_entries(const std::string& value) {
    std::vector<std::string> e = split_fields(value, kSep);
    if (!e.empty() && e.back().empty()) e.pop_back();
    return e;
}

}  // namespace planek
