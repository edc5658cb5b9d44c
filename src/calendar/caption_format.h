#pragma once
#include <string>
#include <variant>
#include <vector>

namespace planek {

using format_arg = std::variant<long long, std::string>;

// Fills a caption format taken from a language file ("%s", "%d", "%.2d",
// "%5s", "%-5s", "%%"). The format comes from a file a user may edit, so a
// directive without an argument or of the wrong type never fails: missing
// arguments are empty and a mismatch prints the argument as it is.
std::string format_caption(const std::string& format, const std::vector<format_arg>& args);

}  // namespace planek
