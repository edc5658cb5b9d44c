#pragma once
#include <string>
#include <vector>

namespace planek {

// A string field made safe for a "¤" line of a Windows-1250 file: the
// separator and line breaks become blanks, characters the code page lacks
// become "?". Returns whether anything had to change.
bool clean_field_text(std::string& text);

// Lines as stored: Windows-1250, each ended by CR LF.
std::string encode_lines(const std::vector<std::string>& lines);

}  // namespace planek
