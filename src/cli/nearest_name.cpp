#include "cli/nearest_name.h"

#include <algorithm>
#include <cctype>

namespace planek::cli {

namespace {

char folded(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

// Insertions, deletions and substitutions between the two.
size_t edit_distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (folded(a[i - 1]) == folded(b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::optional<std::string> nearest_name(const std::string& typed, const std::vector<std::string>& names) {
    std::optional<std::string> nearest;
    size_t best = 3;  // further than two edits is no hint
    for (const std::string& name : names)
        if (const size_t d = edit_distance(typed, name); d < best) {
            best = d;
            nearest = name;
        }
    return nearest;
}

}  // namespace planek::cli
