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

std::vector<std::string> split_text_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
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
