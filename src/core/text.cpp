#include "core/text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace planek {

std::vector<std::string> split_fields(std::string_view line, std::string_view sep) {
    std::vector<std::string> out;
    if (line.empty()) return out;
    if (sep.empty()) return {std::string(line)};
    size_t start = 0;
    for (;;) {
        const size_t at = line.find(sep, start);
        if (at == std::string_view::npos) {
            out.emplace_back(line.substr(start));
            return out;
        }
        out.emplace_back(line.substr(start, at - start));
        start = at + sep.size();
    }
}

std::string join_fields(const std::vector<std::string>& fields, std::string_view sep) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += sep;
        out += fields[i];
    }
    return out;
}

namespace {
bool blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string trim(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && blank(s[a])) ++a;
    while (b > a && blank(s[b - 1])) --b;
    return std::string(s.substr(a, b - a));
}

std::optional<long long> parse_int(std::string_view s) {
    const std::string t = trim(s);
    std::string_view v = t;
    if (!v.empty() && v[0] == '+') {
        v.remove_prefix(1);
        if (!v.empty() && v[0] == '-') return std::nullopt;
    }
    if (v.empty() || v[0] == '+') return std::nullopt;
    long long r = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), r);
    if (ec != std::errc() || end != v.data() + v.size()) return std::nullopt;
    return r;
}

std::optional<double> parse_real(std::string_view s) {
    std::string t = trim(s);
    size_t seps = 0;
    for (char& c : t) {
        if (c == ',') c = '.';
        if (c == '.') ++seps;
        // Only plain decimal notation: no exponents, "inf" or "nan".
        if (!(c == '.' || c == '-' || c == '+' || (c >= '0' && c <= '9'))) return std::nullopt;
    }
    if (seps > 1) return std::nullopt;
    std::string_view v = t;
    if (!v.empty() && v[0] == '+') {
        v.remove_prefix(1);
        if (!v.empty() && v[0] == '-') return std::nullopt;
    }
    if (v.empty() || v[0] == '+') return std::nullopt;
    double r = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), r);
    if (ec != std::errc() || end != v.data() + v.size() || !std::isfinite(r)) return std::nullopt;
    return r;
}

std::string real_text(double v, char separator) {
    if (!std::isfinite(v)) return "0";
    if (v == 0) v = 0;  // no "-0"
    // Fifteen significant digits, as the stored files have always had them:
    // 0.1 + 0.2 is written "0,3", not "0,30000000000000004".
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string out = buf;
    if (out.find('e') != std::string::npos) {
        // Too large or small for %g without an exponent: plain digits instead.
        std::array<char, 400> big{};
        const auto r = std::to_chars(big.data(), big.data() + big.size(), v, std::chars_format::fixed);
        out.assign(big.data(), r.ptr);
    }
    for (char& c : out)
        if (c == '.') c = separator;
    return out;
}

namespace {

struct named_colour {
    std::string_view name;
    colour value;
    bool written;  // the name the writer uses for this value
};

constexpr std::array<named_colour, 22> kColours = {{
    {"clBlack", 0x000000, true},     {"clMaroon", 0x000080, true},  {"clGreen", 0x008000, true},
    {"clOlive", 0x008080, true},     {"clNavy", 0x800000, true},    {"clPurple", 0x800080, true},
    {"clTeal", 0x808000, true},      {"clGray", 0x808080, true},    {"clSilver", 0xC0C0C0, true},
    {"clRed", 0x0000FF, true},       {"clLime", 0x00FF00, true},    {"clYellow", 0x00FFFF, true},
    {"clBlue", 0xFF0000, true},      {"clFuchsia", 0xFF00FF, true}, {"clAqua", 0xFFFF00, true},
    {"clWhite", 0xFFFFFF, true},     {"clLtGray", 0xC0C0C0, false}, {"clDkGray", 0x808080, false},
    {"clMoneyGreen", 0xC0DCC0, false}, {"clSkyBlue", 0xF0CAA6, false}, {"clCream", 0xF0FBFF, false},
    {"clMedGray", 0xA4A0A0, false},
}};

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equal_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

std::optional<colour> parse_hex(std::string_view v) {
    if (v.empty() || v.size() > 8) return std::nullopt;
    colour r = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), r, 16);
    if (ec != std::errc() || end != v.data() + v.size()) return std::nullopt;
    return r;
}

}  // namespace

std::optional<colour> parse_colour(std::string_view s) {
    const std::string t = trim(s);
    std::string_view v = t;
    for (const auto& c : kColours)
        if (equal_nocase(v, c.name)) return c.value;
    if (!v.empty() && v[0] == '$') return parse_hex(v.substr(1));
    if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) return parse_hex(v.substr(2));
    // A plain decimal number, as older files may hold (negative = high bit set).
    if (auto n = parse_int(v); n && *n >= std::numeric_limits<std::int32_t>::min() && *n <= 0xFFFFFFFFLL)
        return static_cast<colour>(static_cast<std::uint32_t>(*n));
    return std::nullopt;
}

std::string colour_text(colour c) {
    for (const auto& n : kColours)
        if (n.written && n.value == c) return std::string(n.name);
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
    return buf;
}

}  // namespace planek

namespace planek {

namespace {

// Next code point of `s` from `pos`; a malformed byte comes back as itself
// (>= 0x80 marked by the high bit 0x80000000) and moves one byte.
char32_t next_cp(std::string_view s, size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    size_t len = b0 < 0x80 ? 1 : (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
    char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    if (len == 0 || pos + len > s.size()) {
        ++pos;
        return 0x80000000u | b0;
    }
    for (size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0x80000000u | b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += len;
    return cp;
}

void put_cp(std::string& out, char32_t cp) {
    if (cp & 0x80000000u) {
        out += char(cp & 0xFF);
    } else if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Case pairs of ASCII, Latin-1 and Latin Extended-A, which hold every letter
// Windows-1250 has (Polish ones included).
char32_t lower_cp(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    if (c == 0x178) return 0xFF;
    return c;
}

char32_t upper_cp(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t(1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    if (c == 0xFF) return 0x178;
    return c;
}

template <typename F>
std::string map_cps(std::string_view s, F f) {
    std::string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) put_cp(out, f(next_cp(s, pos)));
    return out;
}

// Sorting weight of a lower-case code point: blanks, digits and punctuation
// first, then the Polish alphabet, then everything else by code point.
std::uint64_t weight(char32_t c) {
    static constexpr std::u32string_view kAlphabet =
        U"a\u0105bc\u0107de\u0119fghijkl\u0142mn\u0144o\u00F3pqrs\u015Btuvwxyz\u017A\u017C";
    if (c & 0x80000000u) return 0x300000000ull + (c & 0xFF);
    const size_t at = kAlphabet.find(c);
    if (at != std::u32string_view::npos) return 0x100000000ull + at;
    if (c < 0x80) return c;
    return 0x200000000ull + c;
}

}  // namespace

std::string lower_pl(std::string_view s) { return map_cps(s, lower_cp); }
std::string upper_pl(std::string_view s) { return map_cps(s, upper_cp); }

int compare_pl(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto wa = weight(lower_cp(next_cp(a, i)));
        const auto wb = weight(lower_cp(next_cp(b, j)));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

size_t utf8_length(std::string_view s) {
    size_t n = 0;
    for (size_t pos = 0; pos < s.size(); ++n) next_cp(s, pos);
    return n;
}

std::string utf8_left(std::string_view s, size_t n) {
    size_t pos = 0;
    for (size_t k = 0; k < n && pos < s.size(); ++k) next_cp(s, pos);
    return std::string(s.substr(0, pos));
}

std::vector<std::string> split_text_lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace planek
