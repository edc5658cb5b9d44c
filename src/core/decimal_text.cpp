#include "core/decimal_text.h"

#include <cmath>
#include <cstdio>

#include "core/text.h"
#include "core/translator.h"

namespace planek {

char decimal_separator(const Translator* tr) {
    const std::string said = tr ? tr->msg("msg_DecimalSeparator", ",") : std::string(",");
    // Anything but one mark of the two would make the number unreadable.
    return said == "." ? '.' : ',';
}

std::string decimal_text(double v, const Translator* tr) { return real_text(v, decimal_separator(tr)); }

std::string decimal_text(double v, int digits, const Translator* tr) {
    if (!std::isfinite(v)) v = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", digits < 0 ? 0 : digits, v);
    std::string out = buf;
    if (out.find_first_not_of("-0.") == std::string::npos && out[0] == '-') out.erase(0, 1);  // no "-0.0"
    const char separator = decimal_separator(tr);
    for (char& c : out)
        if (c == '.') c = separator;
    return out;
}

}  // namespace planek
