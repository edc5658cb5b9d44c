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

// The way a printout whose content is `contentWidth` wide goes on a page
// `uprightWidth` wide when upright: as the document's rule asks, else upright
// when the content fits, else turned.
page_orientation orientation_for_width(double contentWidth, double uprightWidth, std::optional<page_orientation> asked);

// The scale content `contentWidth` wide is drawn at on a page `pageWidth`
// wide: 1 when it fits, else shrunk to the page's width.
double fit_scale(double contentWidth, double pageWidth);

// The document with an "@page" rule for an A4 page turned as asked, placed
// last in its head so it outranks the document's own rules; a document
// without a head gets it at its start.
std::string with_page_rule(const std::string& html, page_orientation o);

}  // namespace planek
