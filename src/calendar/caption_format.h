#pragma once
#include <string>
#include <utility>
#include <vector>

namespace planek {

// One argument of a caption: a whole number or a text.
struct format_arg {
    bool number = false;
    long long value = 0;
    std::string text;

    format_arg(long long n) : number(true), value(n) {}
    format_arg(int n) : number(true), value(n) {}
    format_arg(std::string s) : text(std::move(s)) {}
    format_arg(const char* s) : text(s ? s : "") {}
};

// Fills a caption format taken from a language file ("%s", "%d", "%.2d",
// "%5s", "%-5s", "%%"). The format comes from a file a user may edit, so a
// directive without an argument or of the wrong type never fails: missing
// arguments are empty and a mismatch prints the argument as it is.
std::string format_caption(const std::string& format, const std::vector<format_arg>& args);

}  // namespace planek
