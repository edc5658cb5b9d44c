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

// The orientation a template's header value names ("landscape", "portrait",
// in any case), or nothing for any other word.
std::optional<page_orientation> named_page_orientation(const std::string& value);

// The document with an "@page" rule for an A4 page turned as asked, placed
// last in its head so it outranks the document's own rules; a document
// without a head gets it at its start.
std::string with_page_rule(const std::string& html, page_orientation o);

}  // namespace planek
