#include "files/month_ini.h"

#include <unordered_map>
#include <unordered_set>

#include "core/ini_lines.h"
#include "core/text.h"
#include "core/translator.h"

namespace planek {

std::string month_ini::fold(const std::string& name) { return lower_pl(trim(name)); }

void month_ini::parse(const std::vector<std::string>& lines, std::vector<month_problem>& problems,
                      const Translator* tr) {
    const Translator builtIn;
    const Translator& said = tr ? *tr : builtIn;
    sections_.clear();
    bySection_.clear();
    std::unordered_map<std::string, size_t>& bySection = bySection_;
    std::vector<std::unordered_set<std::string>> seenKeys;
    section* current = nullptr;
    for (size_t n = 0; n < lines.size(); ++n) {
        // The lines of a read of one ward's part are mostly left empty.
        if (lines[n].empty()) continue;
        const ini_line l = read_ini_line(lines[n], int(n) + 1);
        if (l.blank || l.comment) continue;
        // The program writes a header alone on its line; one followed by
        // more text is a damaged line, not a new section.
        if (l.section && l.afterSection.empty()) {
            auto [it, fresh] = bySection.emplace(fold(*l.section), sections_.size());
            if (fresh) {
                sections_.push_back(section{l.number, *l.section, {}});
                seenKeys.emplace_back();
            }
            current = &sections_[it->second];
            continue;
        }
        const std::string sectionName = current ? current->name : "";
        if (!current || !l.pair || l.key.empty()) {
            problems.push_back({l.number, sectionName, utf8_left(l.trimmed, 40),
                                said.msg("msg_ProblemNotAPair", "wiersz nie jest parą klucz=wartość")});
            continue;
        }
        const size_t idx = size_t(current - sections_.data());
        if (!seenKeys[idx].insert(fold(l.key)).second) {
            problems.push_back({l.number, sectionName, l.key,
                                said.msg("msg_ProblemRepeatedKey", "klucz powtórzony, pominięto")});
            continue;
        }
        current->entries.push_back(entry{l.number, l.key, l.value});
    }
}

const month_ini::section* month_ini::find(const std::string& name) const {
    const auto it = bySection_.find(fold(name));
    return it == bySection_.end() ? nullptr : &sections_[it->second];
}

const month_ini::entry* month_ini::find_entry(const std::string& sectionName, const std::string& key) const {
    const section* s = find(sectionName);
    if (!s) return nullptr;
    const std::string f = fold(key);
    for (const entry& e : s->entries)
        if (fold(e.key) == f) return &e;
    return nullptr;
}

std::optional<std::string> month_ini::value(const std::string& sectionName, const std::string& key) const {
    const entry* e = find_entry(sectionName, key);
    if (!e) return std::nullopt;
    return e->value;
}

}  // namespace planek
