#pragma once
// The name a mistyped one was probably meant to be, for the hint of a refusal.
#include <optional>
#include <string>
#include <vector>

namespace planek::cli {

// The closest of `names` to `typed` (letters compared without case), when it
// is at most two edits away.
std::optional<std::string> nearest_name(const std::string& typed, const std::vector<std::string>& names);

}  // namespace planek::cli
