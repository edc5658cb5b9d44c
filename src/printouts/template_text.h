#pragma once
// Characters and small text routines shared by the template reader, the tag
// tree and the expansion. Templates are Windows-1250 on disk and UTF-8 in
// memory, so the angle quotes and the "¤" separator are multi-byte here and
// are always handled as whole characters.
#include <string>
#include <string_view>
#include <vector>

namespace planek {

inline constexpr std::string_view kTagOpenL = "\xE2\x80\xB9";   // "‹"
inline constexpr std::string_view kTagOpenR = "\xE2\x80\xBA";   // "›"
inline constexpr std::string_view kQuoteLow = "\xE2\x80\x9E";   // "„"
inline constexpr std::string_view kQuoteHigh = "\xE2\x80\x9D";  // "”"
inline constexpr std::string_view kCurrency = "\xC2\xA4";       // "¤"
inline constexpr std::string_view kAtLeast = "\xC2\xBB";        // "»"
inline constexpr std::string_view kAtMost = "\xC2\xAB";         // "«"
inline constexpr std::string_view kNotEqual = "\xE2\x80\xA6";   // "…"

// "‹_" and "‹/".
std::string tag_open_marker();
std::string tag_close_marker();

// Byte length of the UTF-8 character starting at s[i] (1 for a stray byte).
size_t utf8_char_len(std::string_view s, size_t i);

// True when the character at s[i] ends a tag or variable name.
bool is_name_delimiter(std::string_view s, size_t i);

// The name following a two-character marker that starts at `from` (so the
// name starts at from + marker size). Once a "|" has been taken a "'"
// toggles a quoted state in which delimiters are ordinary characters.
// The part before the first "|" is lower-cased unless the name holds "¤".
// `length` receives the byte length of the name as written.
std::string wyciagnij_nazwe(std::string_view text, size_t nameStart, size_t* length = nullptr);

// The byte length of that name as written.
size_t name_length(std::string_view text, size_t nameStart);

// The name as wyciagnij_nazwe gives it, taken from `lowered`, the whole text
// already lower-cased (byte for byte as long as `text`): a line repeated for
// every worker and day is then lower-cased once, not once per name in it.
std::string name_from_lowered(std::string_view text, std::string_view lowered, size_t nameStart, size_t length);

// One variable of a line: where its "@_" stands, the byte length of what
// follows it and the name as wyciagnij_nazwe gives it.
struct var_site {
    size_t at = 0;
    size_t length = 0;
    std::string name;
};

// Every variable of a line, in order. A line the template repeats for every
// worker and day is searched once, not once per repetition; `lowered` as
// for name_from_lowered.
std::vector<var_site> variable_sites(std::string_view text, std::string_view lowered);

// Finds `needle` in `hay` from `pos`, comparing ASCII letters without case.
size_t find_nocase(std::string_view hay, std::string_view needle, size_t pos = 0);

// ASCII and Polish lower case.
std::string lower_text(std::string_view s);

// The English tag name of a Polish one; any other name is returned as is.
std::string english_tag_name(const std::string& lowerName);

bool starts_with(std::string_view s, std::string_view p);
bool ends_with(std::string_view s, std::string_view p);
void replace_all(std::string& s, std::string_view from, std::string_view to);

}  // namespace planek
