#include "core/translator.h"

#include <cctype>

#include "core/text.h"

namespace planek {

std::string Translator::fold(const std::string& s) {
    std::string r = s;
    for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string Translator::tr(const std::string& section, const std::string& key,
                           const std::string& fallback) const {
    auto it = texts_.find(fold(section) + '\n' + fold(key));
    return it == texts_.end() ? fallback : it->second;
}

long long Translator::trInt(const std::string& section, const std::string& key,
                             long long fallback) const {
    auto it = texts_.find(fold(section) + '\n' + fold(key));
    if (it == texts_.end()) return fallback;
    auto v = parse_int(it->second);
    return v ? *v : fallback;
}

bool Translator::has(const std::string& section, const std::string& key) const {
    return texts_.count(fold(section) + '\n' + fold(key)) != 0;
}

void Translator::set(const std::string& section, const std::string& key, const std::string& text) {
    texts_[fold(section) + '\n' + fold(key)] = text;
}

}  // namespace planek
