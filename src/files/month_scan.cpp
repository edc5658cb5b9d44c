#include "files/month_scan.h"

#include <algorithm>
#include <optional>

#include "core/cp1250.h"
#include "files/month_ini.h"

namespace planek {

namespace {

constexpr char kFieldSep = char(0xA4);  // "¤" in Windows-1250

enum class record_section { None, Duties, DaysOff };

std::string_view trimmed(std::string_view s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// The section a header line opens, or nullopt for a line that is none.
std::optional<record_section> header(std::string_view line) {
    const std::string_view t = trimmed(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    const std::string name = month_ini::fold(cp1250_to_utf8(std::string(t.substr(1, t.size() - 2))));
    if (name == "dyzury") return record_section::Duties;
    if (name == "wolne") return record_section::DaysOff;
    return record_section::None;
}

// A number field from `pos` up to the separator; moves pos past it.
std::optional<unsigned> field_number(std::string_view s, size_t& pos) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    unsigned v = 0;
    size_t digits = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && digits < 6) {
        v = v * 10 + unsigned(s[pos] - '0');
        ++pos;
        ++digits;
    }
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    if (digits == 0 || v > 65535 || pos >= s.size() || s[pos] != kFieldSep) return std::nullopt;
    ++pos;
    return v;
}

struct record_ids {
    word group = 0;
    word worker = 0;
};

std::optional<record_ids> ids_of(std::string_view line) {
    size_t pos = line.find('=');
    if (pos == std::string_view::npos) return std::nullopt;
    ++pos;
    const auto group = field_number(line, pos);
    if (!group) return std::nullopt;
    const auto worker = field_number(line, pos);
    if (!worker) return std::nullopt;
    return record_ids{word(*group), word(*worker)};
}

}  // namespace

std::vector<std::string> month_lines_of_part(std::string_view bytes, const std::function<bool(word, word)>& keep,
                                             word& highestSkippedWorker) {
    std::vector<std::string> lines;
    record_section in = record_section::None;
    for_each_line(bytes, [&](std::string_view line) {
        if (const auto h = header(line)) {
            in = *h;
        } else if (in != record_section::None) {
            if (const auto ids = ids_of(line); ids && !keep(ids->group, ids->worker)) {
                highestSkippedWorker = std::max(highestSkippedWorker, ids->worker);
                lines.emplace_back();
                return;
            }
        }
        lines.push_back(cp1250_to_utf8(std::string(line)));
    });
    return lines;
}

bool month_bytes_of_other_groups(std::string_view bytes, const std::function<bool(word)>& ours) {
    bool records = false, known = false;
    record_section in = record_section::None;
    size_t start = 0;
    // for_each_line without the early stop: the first record of ours ends it.
    while (start < bytes.size() && !known) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        const std::string_view line = bytes.substr(start, end - start);
        if (const auto h = header(line)) {
            in = *h;
        } else if (in != record_section::None) {
            if (const auto ids = ids_of(line); ids && ids->group != 0) {
                records = true;
                known = ours(ids->group);
            }
        }
        start = end + 1;
    }
    return records && !known;
}

}  // namespace planek
