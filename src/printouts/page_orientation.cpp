#include "printouts/page_orientation.h"

#include "core/text.h"
#include "printouts/template_text.h"

namespace planek {

std::optional<page_orientation> css_page_orientation(const std::string& html) {
    const std::string text = lower_pl(html);
    std::optional<page_orientation> found;
    for (size_t at = text.find("@page"); at != std::string::npos; at = text.find("@page", at + 5)) {
        const size_t open = text.find('{', at);
        const size_t close = open == std::string::npos ? open : text.find('}', open);
        if (close == std::string::npos) break;
        const std::string rule = text.substr(open + 1, close - open - 1);
        const size_t size = rule.find("size");
        if (size == std::string::npos) continue;
        const std::string value = rule.substr(size, rule.find(';', size) - size);
        // A later rule overrides an earlier one, as in CSS.
        if (value.find("landscape") != std::string::npos) found = page_orientation::landscape;
        else if (value.find("portrait") != std::string::npos) found = page_orientation::portrait;
    }
    return found;
}

std::optional<page_orientation> named_page_orientation(const std::string& value) {
    const std::string word = lower_pl(trim(value));
    if (word == "landscape") return page_orientation::landscape;
    if (word == "portrait") return page_orientation::portrait;
    return std::nullopt;
}

page_orientation orientation_for_width(double contentWidth, double uprightWidth, std::optional<page_orientation> asked) {
    if (asked) return *asked;
    return contentWidth > uprightWidth ? page_orientation::landscape : page_orientation::portrait;
}

double fit_scale(double contentWidth, double pageWidth) {
    return contentWidth > pageWidth && contentWidth > 0 ? pageWidth / contentWidth : 1.0;
}

std::string with_page_rule(const std::string& html, page_orientation o) {
    const std::string rule = std::string("<style>@page{size:A4 ") +
                             (o == page_orientation::landscape ? "landscape" : "portrait") + "}</style>";
    const size_t head = find_nocase(html, "</head");
    std::string out = html;
    out.insert(head == std::string::npos ? 0 : head, rule);
    return out;
}

}  // namespace planek
