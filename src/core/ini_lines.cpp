#include "core/ini_lines.h"

#include "core/text.h"

namespace planek {

ini_line read_ini_line(std::string text, int number) {
    ini_line l;
    l.number = number;
    l.trimmed = trim(text);
    l.text = std::move(text);
    const std::string& t = l.trimmed;
    l.blank = t.empty();
    l.comment = !t.empty() && t[0] == ';';
    l.bracketed = !t.empty() && t[0] == '[';
    if (l.bracketed) {
        if (const size_t close = t.find(']'); close != std::string::npos) {
            l.section = trim(std::string_view(t).substr(1, close - 1));
            l.afterSection = trim(std::string_view(t).substr(close + 1));
        }
    }
    if (const size_t eq = t.find('='); eq != std::string::npos && !l.comment) {
        l.pair = true;
        l.key = trim(std::string_view(t).substr(0, eq));
        l.value = t.substr(eq + 1);
    }
    return l;
}

std::vector<ini_line> ini_lines(const std::vector<std::string>& lines) {
    std::vector<ini_line> out;
    out.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) out.push_back(read_ini_line(lines[i], int(i) + 1));
    return out;
}

std::vector<ini_line> ini_lines(std::string_view utf8) { return ini_lines(split_text_lines(utf8)); }

}  // namespace planek
