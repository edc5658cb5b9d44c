#include "core/cp1250.h"

#include <array>
#include <cstdint>

namespace planek {

namespace {

// Code points of bytes 0x80..0xFF. The five bytes Windows-1250 leaves
// unassigned (0x81, 0x83, 0x88, 0x90, 0x98) keep the C1 control of the same
// number, so any file decodes and encodes back byte for byte.
constexpr std::array<char32_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at `pos`; returns its length, 0 when the bytes
// there are not well-formed UTF-8 (overlong forms and surrogates included).
size_t decode_one(std::string_view s, size_t pos, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// The byte for a code point, or -1 when Windows-1250 has none.
int encode_one(char32_t cp) {
    if (cp < 0x80) return int(cp);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return int(0x80 + i);
    return -1;
}

// Walks `utf8`, calling `bad(pos, len)` for each character without a byte
// (len 0 = malformed byte) and appending the bytes of the others to `out`.
template <typename Bad>
void encode(std::string_view utf8, std::string& out, Bad bad) {
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        // A run of ASCII is the same bytes in both: copied whole, since most
        // of a document is markup.
        size_t ascii = pos;
        while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
        if (ascii > pos) {
            out.append(utf8, pos, ascii - pos);
            pos = ascii;
            continue;
        }
        char32_t cp = 0;
        const size_t len = decode_one(utf8, pos, cp);
        const int b = len ? encode_one(cp) : -1;
        if (b < 0) {
            if (!bad(pos, len)) return;
            pos += len ? len : 1;
            continue;
        }
        out += char(b);
        pos += len;
    }
}

std::string hex_byte(unsigned char b) {
    static const char* digits = "0123456789ABCDEF";
    return std::string("\\x") + digits[b >> 4] + digits[b & 15];
}

}  // namespace

std::string cp1250_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            append_utf8(out, kHigh[b - 0x80]);
    }
    return out;
}

std::optional<std::string> first_unencodable(std::string_view utf8) {
    std::optional<std::string> found;
    std::string sink;
    encode(utf8, sink, [&](size_t pos, size_t len) {
        // A malformed byte is named by its value, so the text stays valid UTF-8.
        found = len ? std::string(utf8.substr(pos, len)) : hex_byte(static_cast<unsigned char>(utf8[pos]));
        return false;
    });
    return found;
}

std::optional<std::string> utf8_to_cp1250(std::string_view utf8) {
    std::string out;
    bool ok = true;
    encode(utf8, out, [&](size_t, size_t) { return ok = false; });
    if (!ok) return std::nullopt;
    return out;
}

std::string utf8_to_cp1250_lossy(std::string_view utf8) {
    std::string out;
    encode(utf8, out, [&](size_t, size_t) {
        out += '?';
        return true;
    });
    return out;
}

}  // namespace planek
