#pragma once
// INI text cut into lines the readers of the program's files share: the
// profile-file class, the language files and the month reader each take
// the same sections, keys and values from a line, and decide for themselves
// what a line they cannot use means.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace planek {

struct ini_line {
    int number = 0;       // 1-based
    std::string text;     // as read, without its line break
    std::string trimmed;  // without blanks at either end
    bool blank = false;
    bool comment = false;  // begins with ';'
    // A line beginning with '[' and holding a ']': the name between them
    // (blanks around it dropped) and whatever follows the ']', so "[a] x"
    // is the section "a" followed by "x".
    std::optional<std::string> section;
    std::string afterSection;
    bool bracketed = false;  // begins with '[', closed or not
    // A line holding '=' that is not a comment: the key before the first
    // '=' (blanks dropped, maybe empty) and the value after it with the
    // blanks at its start kept; readers that want them gone trim it.
    bool pair = false;
    std::string key;
    std::string value;
};

ini_line read_ini_line(std::string text, int number);
// Every line of the text (CR LF, CR or LF between lines).
std::vector<ini_line> ini_lines(std::string_view utf8);
std::vector<ini_line> ini_lines(const std::vector<std::string>& lines);

}  // namespace planek
