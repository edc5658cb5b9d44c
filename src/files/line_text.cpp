#include "files/line_text.h"

#include "core/cp1250.h"
#include "core/text.h"

namespace planek {

bool clean_field_text(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, kSep.size(), kSep) == 0) {
            out += ' ';
            i += kSep.size() - 1;
        } else if (text[i] == '\r' || text[i] == '\n') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    if (!utf8_to_cp1250(out)) out = cp1250_to_utf8(utf8_to_cp1250_lossy(out));
    bool changed = out != text;
    text = std::move(out);
    return changed;
}

std::string encode_lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += utf8_to_cp1250_lossy(line);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace planek
