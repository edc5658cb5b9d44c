#include "files/month_ini.h"

#include <unordered_map>
#include <unordered_set>

#include "core/text.h"

namespace planek {

std::string month_ini::fold(const std::string& name) { return lower_pl(trim(name)); }

void month_ini::parse(const std::vector<std::string>& lines, std::vector<month_problem>& problems) {
    sections_.clear();
    std::unordered_map<std::string, size_t> bySection;
    std::vector<std::unordered_set<std::string>> seenKeys;
    section* current = nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i) + 1;
        const std::string line = trim(lines[i]);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string name = trim(line.substr(1, line.size() - 2));
            auto [it, fresh] = bySection.emplace(fold(name), sections_.size());
            if (fresh) {
                sections_.push_back(section{lineNo, name, {}});
                seenKeys.emplace_back();
            }
            current = &sections_[it->second];
            continue;
        }
        const std::string sectionName = current ? current->name : "";
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos || eq == 0) {
            std::string shown = utf8_left(line, 40);
            problems.push_back({lineNo, sectionName, shown, "wiersz nie jest parą klucz=wartość"});
            continue;
        }
        const std::string key = trim(line.substr(0, eq));
        const size_t idx = size_t(current - sections_.data());
        if (!seenKeys[idx].insert(fold(key)).second) {
            problems.push_back({lineNo, sectionName, key, "klucz powtórzony, pominięto"});
            continue;
        }
        current->entries.push_back(entry{lineNo, key, line.substr(eq + 1)});
    }
}

const month_ini::section* month_ini::find(const std::string& name) const {
    const std::string f = fold(name);
    for (const section& s : sections_)
        if (fold(s.name) == f) return &s;
    return nullptr;
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
