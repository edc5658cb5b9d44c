#include "printouts/rtf_writer.h"

#include <cstdint>
#include <cstdio>

#include "core/cp1250.h"
#include "printouts/template_text.h"

namespace planek {

void rtf_writer::set_font(const std::string& name, int size) {
    fontName_.clear();
    for (char c : name)
        if (c != '{' && c != '}' && c != '\\' && c != ';' && static_cast<unsigned char>(c) >= 0x20) fontName_ += c;
    if (fontName_.empty()) fontName_ = "Arial";
    fontSize_ = (size > 0 && size <= 255) ? size : 10;
}

void rtf_writer::clear() { body_.clear(); }

std::string rtf_writer::escape(const std::string& s) {
    std::string out;
    char buf[24];
    for (size_t i = 0; i < s.size();) {
        size_t n = utf8_char_len(s, i);
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (n == 1 && c < 0x80) {
            if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += char(c);
            } else if (c == '\n') {
                out += "\\par\n";
            } else if (c == '\t') {
                out += "\\tab ";
            } else if (c >= 0x20) {
                out += char(c);
            }
            i += n;
            continue;
        }
        std::string ch = s.substr(i, n);
        auto b = utf8_to_cp1250(ch);
        if (b && b->size() == 1) {
            std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned char>((*b)[0]));
        } else {
            // Decode the code point for the Unicode escape.
            unsigned cp = n == 2 ? ((c & 0x1F) << 6) | (s[i + 1] & 0x3F)
                        : n == 3 ? ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F)
                                 : 0x3F;
            if (cp > 0xFFFF) cp = 0x3F;
            std::snprintf(buf, sizeof buf, "\\u%d?", int(std::int16_t(cp)));
        }
        out += buf;
        i += n;
    }
    return out;
}

void rtf_writer::text(const std::string& utf8, bool bold) {
    if (utf8.empty()) return;
    if (bold) body_ += "{\\b ";
    body_ += escape(utf8);
    if (bold) body_ += "}";
}

void rtf_writer::paragraph() { body_ += "\\par\n"; }

std::vector<std::string> rtf_writer::lines() const {
    std::vector<std::string> out;
    out.push_back("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1045");
    out.push_back("{\\fonttbl{\\f0\\fnil\\fcharset238 " + fontName_ + ";}}");
    out.push_back("\\viewkind4\\uc1\\pard\\f0\\fs" + std::to_string(fontSize_ * 2) + " ");
    size_t pos = 0;
    while (pos < body_.size()) {
        size_t nl = body_.find('\n', pos);
        if (nl == std::string::npos) nl = body_.size();
        out.push_back(body_.substr(pos, nl - pos));
        pos = nl + 1;
    }
    out.push_back("}");
    return out;
}

}  // namespace planek
