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

// A caption kept as two columns, titles and values, each broken into lines
// by "\r" ("Dni robocze: \rDyżury:" and "20\r12 dyż."), as lines that pair
// each title with its value ("Dni robocze: 20", "Dyżury: 12 dyż."). A line
// without a partner stays alone.
std::vector<std::string> paired_caption_lines(const std::string& titles, const std::string& values);

// The items of a radio group's caption as the language files keep it: the
// title, "\r", then the items separated by "\n", the two breaks written as
// such or as the escapes "\\r" and "\\n" ("Status: \\rniezatwierdzony\\n
// zatwierdzony" gives the two items). Without a "\r" the whole is items.
std::vector<std::string> caption_items(const std::string& listText);

}  // namespace planek
