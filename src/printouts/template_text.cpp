#include "printouts/template_text.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "core/text.h"

namespace planek {

std::string tag_open_marker() { return std::string(kTagOpenL) + "_"; }
std::string tag_close_marker() { return std::string(kTagOpenL) + "/"; }

size_t utf8_char_len(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = 1;
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    if (i + n > s.size()) n = s.size() - i;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return k;
    return n;
}

namespace {

// The ASCII characters that end a variable name, as a table: the name scan
// looks every character of a template up here.
struct ascii_delimiters {
    bool is[128] = {};
    constexpr ascii_delimiters() {
        for (char c : std::string_view("\t\r\n \"()*+,-./;<>?@[\\]^~")) is[static_cast<unsigned char>(c)] = true;
    }
};
constexpr ascii_delimiters kDelimiters;

}  // namespace

bool is_name_delimiter(std::string_view s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return kDelimiters.is[c];
    std::string_view rest = s.substr(i);
    return starts_with(rest, kQuoteLow) || starts_with(rest, kQuoteHigh) || starts_with(rest, kTagOpenL) ||
           starts_with(rest, kTagOpenR);
}

size_t name_length(std::string_view text, size_t nameStart) {
    size_t i = nameStart;
    bool piped = false, quoted = false;
    while (i < text.size()) {
        char c = text[i];
        if (!quoted && is_name_delimiter(text, i)) break;
        if (c == '|') piped = true;
        else if (c == '\'' && piped) quoted = !quoted;
        i += utf8_char_len(text, i);
    }
    return i - nameStart;
}

std::string wyciagnij_nazwe(std::string_view text, size_t nameStart, size_t* length) {
    const size_t n = name_length(text, nameStart);
    if (length) *length = n;
    return name_from_lowered(text, {}, nameStart, n);
}

std::string name_from_lowered(std::string_view text, std::string_view lowered, size_t nameStart, size_t length) {
    const std::string_view raw = text.substr(nameStart, length);
    if (raw.find(kCurrency) != std::string_view::npos) return std::string(raw);
    // Only the name itself is matched without case: the yes and no texts and
    // the condition after the first "|" are printed as the author typed them.
    const size_t bar = std::min(raw.find('|'), raw.size());
    std::string name = lowered.size() == text.size() ? std::string(lowered.substr(nameStart, bar))
                                                     : lower_text(raw.substr(0, bar));
    name += raw.substr(bar);
    return name;
}

std::vector<var_site> variable_sites(std::string_view text, std::string_view lowered) {
    std::vector<var_site> sites;
    for (size_t at = 0; (at = text.find("@_", at)) != std::string_view::npos;) {
        const size_t len = name_length(text, at + 2);
        sites.push_back({at, len, name_from_lowered(text, lowered, at + 2, len)});
        at += 2 + len;
    }
    return sites;
}

size_t find_nocase(std::string_view hay, std::string_view needle, size_t pos) {
    if (needle.empty()) return pos <= hay.size() ? pos : std::string_view::npos;
    auto low = [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); };
    char first = low(needle[0]);
    for (size_t i = pos; i + needle.size() <= hay.size(); ++i) {
        if (low(hay[i]) != first) continue;
        size_t k = 1;
        while (k < needle.size() && low(hay[i + k]) == low(needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}

std::string lower_text(std::string_view s) { return lower_pl(s); }

std::string english_tag_name(const std::string& lowerName) {
    static const std::map<std::string, std::string> names = {
        {"dzien", "day"},     {"prac", "worker"},      {"zmiana", "shift"},   {"grupa", "group"},
        {"nadgodz", "overt"}, {"miesiac", "month"},    {"dyzur8od", "duty8from"},
        {"dyzur", "duty"},    {"wolne", "dayoff"},     {"wolne_opis", "dayoff_desc"},
    };
    auto it = names.find(lowerName);
    return it == names.end() ? lowerName : it->second;
}

bool starts_with(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool ends_with(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

void replace_all(std::string& s, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    std::string out;
    size_t pos = 0;
    for (size_t f; (f = s.find(from, pos)) != std::string::npos; pos = f + from.size()) {
        out.append(s, pos, f - pos);
        out.append(to);
    }
    if (pos == 0) return;
    out.append(s, pos, std::string::npos);
    s.swap(out);
}

}  // namespace planek
