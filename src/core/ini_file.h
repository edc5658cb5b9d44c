#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/file_fingerprint.h"
#include "core/read_bounds.h"

namespace planek {

class Translator;

// An INI profile file with the semantics the program's stored files rely on:
// sections and keys matched case-insensitively, values read and written key
// by key, the order of sections and keys kept, Windows-1250 on disk with
// CR LF. Values are UTF-8 in memory. Writing goes to memory; save() puts the
// file on disk (whole, through a temporary file).
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::filesystem::path file);  // loads when the file exists

    // False when unreadable, or over `bound` (kIniFileBound unless said);
    // error() then says why, in the language of `tr` when one is given.
    bool load(const std::filesystem::path& file);
    bool load(const std::filesystem::path& file, const read_bound& bound, const Translator* tr = nullptr);
    bool loadText(const std::string& utf8);
    std::string text() const;  // UTF-8, CR LF
    // A file whose load failed holds only what was set since, so it refuses
    // to be saved over the file it could not read (saving elsewhere works).
    // error() is in the language of `tr` when one is given.
    [[nodiscard]] bool save(const Translator* tr = nullptr) const;
    [[nodiscard]] bool saveAs(const std::filesystem::path& file, const Translator* tr = nullptr) const;
    // The bytes saveAs would write to `file`; false (and error()) when it
    // would refuse.
    [[nodiscard]] bool bytesFor(const std::filesystem::path& file, std::string& bytes,
                                const Translator* tr = nullptr) const;
    // Saving over the file it was loaded from writes only while the file is
    // still what was loaded (or still absent); otherwise the save fails and
    // changedOnDisk() says why.
    bool changedOnDisk() const { return changed_; }
    // What the loaded file was (absent when there was none).
    const file_fingerprint& loadedAs() const { return loadedAs_; }
    // The last load found the file but could not read it.
    bool unreadable() const { return unreadable_; }
    // Why the last load or save failed, ready to show to the user.
    const std::string& error() const { return error_; }
    const std::filesystem::path& path() const { return path_; }

    std::string readString(const std::string& section, const std::string& key, const std::string& def = "") const;
    long long readInt(const std::string& section, const std::string& key, long long def) const;
    bool readBool(const std::string& section, const std::string& key, bool def) const;
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, long long value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    void deleteKey(const std::string& section, const std::string& key);
    void eraseSection(const std::string& section);

    bool sectionExists(const std::string& section) const;
    bool keyExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(const std::string& section) const;
    // The raw lines of a section ("key=value" or anything else, blank lines
    // left out), in order.
    std::vector<std::string> sectionLines(const std::string& section) const;

private:
    struct Entry {
        std::string key;  // empty for a line that is not key=value
        std::string value;
        std::string raw;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::string raw;  // the header line as it was read; empty = "[name]"
    };
    Section* find(const std::string& section);
    const Section* find(const std::string& section) const;
    Section& append_section(std::string name, std::string raw);
    void rebuild_index();


    std::filesystem::path path_;
    std::vector<Entry> preamble_;
    std::vector<Section> sections_;
    // Folded section name -> position of its first section; files with a
    // section per worker are looked up once per worker.
    std::unordered_map<std::string, size_t> index_;
    mutable std::string error_;
    bool unreadable_ = false;
    mutable file_fingerprint loadedAs_;  // what a save back must still find there
    mutable bool changed_ = false;
};

}  // namespace planek
