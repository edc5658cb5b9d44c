#pragma once
#include <string>
#include <vector>

#include "core/worker.h"
#include "files/file_problems.h"

namespace planek {

// The "p" lines of the staff file, one per worker, 45 fields each. Texts the
// line format cannot hold are replaced and reported.
std::vector<std::string> staff_file_lines(const std::vector<prac>& workers, file_problems& problems);
std::string staff_file_line(const prac& worker, file_problems& problems);

// Reads one staff line (any tag) with the defaults of older, shorter lines.
prac read_staff_line(const std::string& line, const std::string& file_name, int line_number,
                     file_problems& problems);

// Reads every non-blank line as a worker (a tag other than "p" is reported);
// a line without a single field separator holds no worker and is reported. `line_numbers` receives the
// line of each worker.
// The name of field `n` of a staff line (0 is the tag, 1 the id) and
// whether it holds a balance that days off draw on; "" past the last field.
std::string staff_field_name(size_t n);
bool is_staff_balance(size_t n);

std::vector<prac> read_staff_lines(const std::vector<std::string>& lines, const std::string& file_name,
                                   file_problems& problems, std::vector<int>* line_numbers = nullptr);

}  // namespace planek
