#pragma once
// A month file parsed for reading: sections and key=value lines with their
// line numbers, so the reader can say exactly what it could not use.
// Section and key names match without regard to case.
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace planek {

class Translator;

// One line the reader could not use, and why.
struct month_problem {
    int line = 0;  // 1-based, 0 = the file as a whole
    std::string section;
    std::string key;
    std::string reason;
};

class month_ini {
public:
    struct entry {
        int line = 0;
        std::string key;
        std::string value;
    };
    struct section {
        int line = 0;
        std::string name;
        std::vector<entry> entries;
    };

    // Parses lines; unusable lines (outside any section, without "=") and
    // repeated keys go to `problems`. A repeated key keeps its first value,
    // as INI lookups do; a repeated section continues the first one, so none
    // of its lines is lost.
    // The problems are said in the language of `tr` when one is given.
    void parse(const std::vector<std::string>& lines, std::vector<month_problem>& problems,
               const Translator* tr = nullptr);

    const section* find(const std::string& name) const;
    bool has(const std::string& name) const { return find(name) != nullptr; }
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    const entry* find_entry(const std::string& section, const std::string& key) const;
    const std::vector<section>& sections() const { return sections_; }

    static std::string fold(const std::string& name);

private:
    std::vector<section> sections_;
    // Folded name -> its section: a month is looked up section by section
    // for every group of a hospital.
    std::unordered_map<std::string, size_t> bySection_;
};

}  // namespace planek
