#pragma once
// Which way round a printed page goes, as an HTML printout asks for it.
#include <optional>
#include <string>

namespace planek {

enum class page_orientation { portrait, landscape };

// The orientation an "@page" rule of the document's CSS names ("size:
// landscape", "size: A4 landscape", "size: portrait"), or nothing when no
// rule says.
std::optional<page_orientation> css_page_orientation(const std::string& html);

}  // namespace planek
