#pragma once
// A number with a fraction as the user's language writes it: Polish with a
// decimal comma ("12,5"), English with a point. The language file says which
// ([messages] msg_DecimalSeparator); the built-in Polish has the comma.
// Machine formats (JSON, the stored files) keep their own and never ask.
#include <string>

namespace planek {

class Translator;

char decimal_separator(const Translator* tr);
// As real_text writes it (up to fifteen significant digits, no trailing zeros).
std::string decimal_text(double v, const Translator* tr);
// With exactly `digits` after the separator.
std::string decimal_text(double v, int digits, const Translator* tr);

}  // namespace planek
