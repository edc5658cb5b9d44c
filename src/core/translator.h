#pragma once
#include <map>
#include <string>

namespace planek {

// Texts of the user interface by section and key; a missing entry gives the
// built-in Polish default. Filled from a language file by the settings library.
class Translator {
public:
    std::string tr(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Messages live in section "messages".
    std::string msg(const std::string& key, const std::string& fallback) const {
        return tr("messages", key, fallback);
    }
    // The integer twin: the value as a whole number, or the default when it
    // is missing or not a number.
    long long trInt(const std::string& section, const std::string& key, long long fallback) const;
    bool has(const std::string& section, const std::string& key) const;
    // A "MostUsedValues" list: entries separated by "¤".
    std::string muv(const std::string& key, const std::string& fallback) const {
        return tr("MostUsedValues", key, fallback);
    }
    void set(const std::string& section, const std::string& key, const std::string& text);
    void clear() { texts_.clear(); }
    bool empty() const { return texts_.empty(); }

private:
    static std::string fold(const std::string& s);
    std::map<std::string, std::string> texts_;  // "section\nkey", folded to lower case
};

}  // namespace planek
