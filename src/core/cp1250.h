#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace planek {

// Files are Windows-1250; text in memory is UTF-8. These convert at the
// file boundary.

// Every byte maps to a character (the five unassigned bytes map to
// U+0081 etc. so that decoding is lossless).
std::string cp1250_to_utf8(std::string_view bytes);

// The first character of `utf8` that Windows-1250 cannot hold, or nullopt.
// Invalid UTF-8 counts as unrepresentable.
std::optional<std::string> first_unencodable(std::string_view utf8);

// Converts; returns nullopt when some character cannot be held (nothing is
// dropped silently). See encode_lossy for the writer of last resort.
std::optional<std::string> utf8_to_cp1250(std::string_view utf8);

// Converts, putting "?" for a character Windows-1250 cannot hold.
std::string utf8_to_cp1250_lossy(std::string_view utf8);

}  // namespace planek
