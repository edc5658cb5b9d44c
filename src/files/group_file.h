#pragma once
#include <string>
#include <vector>

#include "core/group.h"
#include "files/file_problems.h"

namespace planek {

// The lines of grupy.ini: per group one "g" line and one "z" line per shift.
// Texts that the line format cannot hold ("¤", line breaks, characters
// outside Windows-1250) are replaced, and each replacement is reported.
std::vector<std::string> group_file_lines(const std::vector<grupa>& groups, file_problems& problems);

// Reads the lines of a group file. Blank lines are skipped; a bad number
// keeps the field's default and is reported with its line; shift lines
// before the first group line, and lines without fields, are reported and
// skipped; any other tag than "z" is read as a shift, and reported. `line_numbers`
// receives the line of each group's "g" line.
std::vector<grupa> read_group_lines(const std::vector<std::string>& lines, const std::string& file_name,
                                    file_problems& problems, std::vector<int>* line_numbers = nullptr);

}  // namespace planek
