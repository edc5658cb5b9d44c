#pragma once
// A written file read back by its sections, for the tests that assert what a
// writer put where.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"

namespace planek::test {

// The file's lines as the program reads them (UTF-8, no line ends).
inline std::vector<std::string> lines_of(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::string error;
    EXPECT_TRUE(read_lines(file, lines, error)) << error;
    return lines;
}

// The "[name]" headers, in file order.
inline std::vector<std::string> sections_of(const std::vector<std::string>& lines) {
    std::vector<std::string> s;
    for (const std::string& l : lines)
        if (!l.empty() && l.front() == '[') s.push_back(l);
    return s;
}

// The non-empty lines under "[name]".
inline std::vector<std::string> section_lines(const std::vector<std::string>& lines, const std::string& name) {
    std::vector<std::string> out;
    bool in = false;
    for (const std::string& l : lines) {
        if (!l.empty() && l.front() == '[') {
            in = l == "[" + name + "]";
            continue;
        }
        if (in && !l.empty()) out.push_back(l);
    }
    return out;
}

}  // namespace planek::test
