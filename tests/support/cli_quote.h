#pragma once
#include <string>

namespace planek::test {

// A word for the shell, in single quotes.
inline std::string shell_quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace planek::test
