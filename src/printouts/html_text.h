#pragma once
// Text the user typed, made safe to stand inside HTML: as text between tags
// and as the value of an attribute.
#include <string>

namespace planek {

// "&", "<", ">" and "\"" as entities; everything else as it is.
std::string html_text(const std::string& text);

}  // namespace planek
