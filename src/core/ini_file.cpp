#include "core/ini_file.h"

#include <algorithm>
#include <ctime>
#include <iterator>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/guarded_write.h"
#include "core/ini_lines.h"
#include "core/text.h"

namespace planek {

namespace {

bool is_ascii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

std::string folded(const std::string& name) {
    if (!is_ascii(name)) return lower_pl(name);
    std::string out = name;
    for (char& c : out) c = ascii_lower(c);
    return out;
}

bool same_name(const std::string& a, const std::string& b) {
    if (a == b) return true;
    // Plain ASCII names (worker ids, most keys) fold letter by letter; lookups
    // run once per worker over files with a section per worker, and folding
    // whole texts there made them the cost of the warnings check.
    if (is_ascii(a) && is_ascii(b)) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
        return true;
    }
    return lower_pl(a) == lower_pl(b);
}

// A line break inside a key or value would split the line on disk and
// corrupt what follows, so it is stored as a blank.
std::string one_line(const std::string& s) {
    std::string out = s;
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) : path_(std::move(file)) {
    std::error_code ec;
    if (std::filesystem::exists(path_, ec)) load(path_);
}

bool IniFile::load(const std::filesystem::path& file) { return load(file, kIniFileBound, nullptr); }

bool IniFile::load(const std::filesystem::path& file, const read_bound& bound, const Translator* tr) {
    path_ = file;
    loadedAs_ = {};
    std::string bytes;
    if (!read_bytes(file, bytes, error_, bound, tr) || !within_line_bound(file, bytes, bound, error_, tr)) {
        preamble_.clear();
        sections_.clear();
        index_.clear();
        std::error_code ec;
        unreadable_ = std::filesystem::exists(file, ec) || ec;
        return false;
    }
    loadedAs_ = fingerprint_of(file, bytes);
    const std::vector<std::string> lines = split_text_lines(cp1250_to_utf8(bytes));
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    return loadText(text);
}

bool IniFile::loadText(const std::string& utf8) {
    unreadable_ = false;
    preamble_.clear();
    sections_.clear();
    index_.clear();
    std::vector<Entry>* target = &preamble_;
    for (ini_line& l : ini_lines(utf8)) {
        if (l.section) {
            target = &append_section(*l.section, l.text).entries;
            continue;
        }
        Entry e{"", "", std::move(l.text)};
        if (l.pair) {
            e.key = std::move(l.key);
            e.value = trim(l.value);
        }
        target->push_back(std::move(e));
    }
    return true;
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& e : preamble_) out += e.raw + "\r\n";
    for (const auto& s : sections_) {
        out += (s.raw.empty() ? "[" + s.name + "]" : s.raw) + "\r\n";
        for (const auto& e : s.entries) out += e.raw + "\r\n";
    }
    return out;
}

bool IniFile::save(const Translator* tr) const { return saveAs(path_, tr); }

bool IniFile::saveAs(const std::filesystem::path& file, const Translator* tr) const {
    std::string bytes;
    if (!bytesFor(file, bytes, tr)) return false;
    changed_ = false;
    std::error_code ec;
    const bool loadedFrom = file == path_ || std::filesystem::equivalent(file, path_, ec);
    if (!loadedFrom) {
        const io_result r = write_bytes(file, bytes, tr);
        error_ = r.error;
        return r.ok();
    }
    const guarded_write_result r =
        write_bytes_if_unchanged(file, bytes, &loadedAs_, this_process_owner({}, std::time(nullptr)), tr);
    changed_ = r.changed;
    error_ = r.io.error;
    if (r.ok()) loadedAs_ = r.written;
    return r.ok();
}

bool IniFile::bytesFor(const std::filesystem::path& file, std::string& bytes, const Translator* tr) const {
    std::error_code ec;
    if (unreadable_ && (file == path_ || std::filesystem::equivalent(file, path_, ec))) {
        error_ = file_message(tr, "msg_UnreadNotSaved",
                              "Plik \"%s\" nie został zapisany, bo nie udało się go wcześniej odczytać.",
                              {file.string()});
        return false;
    }
    const std::string t = text();
    auto encoded = utf8_to_cp1250(t);
    if (!encoded) {
        // The same refusal as every other write's.
        error_ =
            file_message(tr, "msg_WriteUnencodable",
                         "Znaku „%s” nie można zapisać w pliku %s (kodowanie Windows-1250). Plik nie został "
                         "zapisany.",
                         {first_unencodable(t).value_or("?"), "\"" + file.string() + "\""});
        return false;
    }
    bytes = std::move(*encoded);
    error_.clear();
    return true;
}

IniFile::Section* IniFile::find(const std::string& section) {
    const auto it = index_.find(folded(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const IniFile::Section* IniFile::find(const std::string& section) const {
    const auto it = index_.find(folded(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section& IniFile::append_section(std::string name, std::string raw) {
    // A repeated section stays in the text, but lookups keep finding the first.
    index_.emplace(folded(name), sections_.size());
    sections_.push_back({std::move(name), {}, std::move(raw)});
    return sections_.back();
}

void IniFile::rebuild_index() {
    index_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) index_.emplace(folded(sections_[i].name), i);
}

std::optional<std::string> IniFile::value(const std::string& section, const std::string& key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    for (const auto& e : s->entries)
        if (!e.key.empty() && same_name(e.key, key)) return e.value;
    return std::nullopt;
}

std::string IniFile::readString(const std::string& section, const std::string& key, const std::string& def) const {
    return value(section, key).value_or(def);
}

long long IniFile::readInt(const std::string& section, const std::string& key, long long def) const {
    const auto v = value(section, key);
    if (!v) return def;
    // Like the system profile reader: the number at the start of the value
    // counts ("12 min" is 12); no digits there means the default.
    size_t i = 0;
    const bool neg = i < v->size() && (*v)[i] == '-';
    if (i < v->size() && ((*v)[i] == '-' || (*v)[i] == '+')) ++i;
    const size_t digits = i;
    while (i < v->size() && (*v)[i] >= '0' && (*v)[i] <= '9') ++i;
    if (i == digits) return def;
    const auto n = parse_int(std::string_view(*v).substr(digits, i - digits));
    if (!n) return def;  // out of range
    return neg ? -*n : *n;
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool def) const {
    const auto v = value(section, key);
    return v ? parse_flag(*v) : def;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string k = trim(one_line(key));
    const std::string v = one_line(value);
    Section* s = find(section);
    if (!s) s = &append_section(trim(one_line(section)), {});
    for (auto& e : s->entries) {
        if (!e.key.empty() && same_name(e.key, k)) {
            e.value = trim(v);
            e.raw = e.key + "=" + v;
            return;
        }
    }
    // After the last key of the section, so blank lines that separate it from
    // the next section stay where they are.
    auto at = s->entries.end();
    while (at != s->entries.begin() && trim(std::prev(at)->raw).empty()) --at;
    s->entries.insert(at, Entry{k, trim(v), k + "=" + v});
}

void IniFile::writeInt(const std::string& section, const std::string& key, long long value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, flag_text(value));
}

void IniFile::deleteKey(const std::string& section, const std::string& key) {
    Section* s = find(section);
    if (!s) return;
    auto it = std::find_if(s->entries.begin(), s->entries.end(),
                           [&](const Entry& e) { return !e.key.empty() && same_name(e.key, key); });
    if (it != s->entries.end()) s->entries.erase(it);
}

void IniFile::eraseSection(const std::string& section) {
    std::erase_if(sections_, [&](const Section& s) { return same_name(s.name, section); });
    rebuild_index();
}

bool IniFile::sectionExists(const std::string& section) const { return find(section) != nullptr; }

bool IniFile::keyExists(const std::string& section, const std::string& key) const {
    return value(section, key).has_value();
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> out;
    for (const auto& s : sections_) out.push_back(s.name);
    return out;
}

std::vector<std::string> IniFile::keys(const std::string& section) const {
    std::vector<std::string> out;
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (!e.key.empty()) out.push_back(e.key);
    return out;
}

std::vector<std::string> IniFile::sectionLines(const std::string& section) const {
    std::vector<std::string> out;
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (!trim(e.raw).empty()) out.push_back(e.raw);
    return out;
}

}  // namespace planek
