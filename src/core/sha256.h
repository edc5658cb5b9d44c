#pragma once
// SHA-256 of a byte string, as 64 lower-case hexadecimal digits (the form
// `sha256sum` prints), to recognise files by their contents.
#include <string>
#include <string_view>

namespace planek {

// With the processor's SHA instructions where it has them.
std::string sha256_hex(std::string_view bytes);
// Always the plain rounds: what the fast ones must agree with.
std::string sha256_hex_portable(std::string_view bytes);

}  // namespace planek
