#pragma once
// What the operating system says of a failed file operation, in the
// session's language: the C library words it in the process locale, which
// is not the language the user chose for the program.
#include <string>
#include <system_error>

namespace planek {

class Translator;

// The reason of `err` (an errno value) as the [messages] section of `tr`
// gives it, the built-in Polish without one; a reason the program does not
// know is the C library's own text.
std::string system_error_text(int err, const Translator* tr);
// The same for an error code of the system or generic category; any other
// says its own message.
std::string system_error_text(const std::error_code& ec, const Translator* tr);

}  // namespace planek
