#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/types.h"

namespace planek {

// The list separator of stored lines and INI values, "¤", in UTF-8.
inline constexpr std::string_view kSep = "\xC2\xA4";

// An empty line has no fields; "a¤" has two ("a" and "").
std::vector<std::string> split_fields(std::string_view line, std::string_view sep = kSep);

// Splits decoded file text into lines (CR LF, LF or CR).
std::vector<std::string> split_text_lines(std::string_view text);
std::string join_fields(const std::vector<std::string>& fields, std::string_view sep = kSep);

std::string trim(std::string_view s);

// Flags are written "1"/"0"; exactly "1" reads as true.
inline bool parse_flag(std::string_view s) { return s == "1"; }
inline const char* flag_text(bool b) { return b ? "1" : "0"; }

// A whole decimal number (optional sign, blanks around allowed); nullopt on
// anything else, including overflow of long long.
std::optional<long long> parse_int(std::string_view s);
// A real with "." or "," as decimal separator.
std::optional<double> parse_real(std::string_view s);
// Writes a real the way the stored files keep it ("87,5" with the Polish
// separator, "100" for whole numbers).
std::string real_text(double v, char separator = ',');

// Colours as the stored files keep them: a named colour ("clWhite") or "$"
// with eight hex digits, low byte red. Names are matched case-insensitively.
std::optional<colour> parse_colour(std::string_view s);
std::string colour_text(colour c);

// Lower case of ASCII and Polish letters (UTF-8).
std::string lower_pl(std::string_view s);
// Upper case likewise.
std::string upper_pl(std::string_view s);
// Case-insensitive comparison in Polish alphabetical order: <0, 0, >0.
int compare_pl(std::string_view a, std::string_view b);

// Number of characters (code points) of a UTF-8 text, and its first n.
size_t utf8_length(std::string_view s);
std::string utf8_left(std::string_view s, size_t n);

}  // namespace planek
