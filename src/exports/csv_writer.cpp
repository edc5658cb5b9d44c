#include "exports/csv_writer.h"

#include <string_view>

#include "exports/cell_text.h"

namespace planek {

namespace {

std::string field(const std::string& text) {
    const bool quote = text.find_first_of(";\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// A text a spreadsheet would take for a formula ("=HYPERLINK(...)", "-2+3",
// "@SUM(...)", or one hidden behind a tab or a carriage return) gets the
// leading apostrophe that makes it show as the text it is. Numbers, lengths,
// clock times and dates are written by the program and stay values.
std::string inert(std::string text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        text.insert(text.begin(), '\'');
    return text;
}

void line(std::string& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ';';
        out += field(fields[i]);
    }
    out += "\r\n";
}

// A length as "7:35" is read as a clock time and "176:00" as a duration,
// differently again by each spreadsheet; whole minutes are a plain number
// to every spreadsheet in every locale, and add up exactly.
std::string value_text(const cell& c) {
    return c.type == cell::kind::minutes ? std::to_string(c.value) : text_of(c);
}

// The names of the columns of lengths say their unit.
std::vector<std::string> header_with_units(const sheet& s) {
    std::vector<std::string> header = s.header;
    for (size_t c = 0; c < header.size(); ++c)
        for (const std::vector<cell>& row : s.rows)
            if (c < row.size() && row[c].type == cell::kind::minutes) {
                header[c] += " [min]";
                break;
            }
    return header;
}

}  // namespace

std::string csv_text(const sheet& s) {
    // Without the mark the spreadsheet takes the file for Windows-1250.
    std::string out = "\xEF\xBB\xBF";
    std::vector<std::string> header;
    for (const std::string& h : header_with_units(s)) header.push_back(inert(h));
    line(out, header);
    for (const std::vector<cell>& row : s.rows) {
        std::vector<std::string> fields;
        fields.reserve(row.size());
        for (const cell& c : row) fields.push_back(c.type == cell::kind::text ? inert(c.text) : value_text(c));
        line(out, fields);
    }
    return out;
}

io_result write_csv(const std::filesystem::path& file, const sheet& s, const Translator* tr) {
    return write_bytes(file, csv_text(s), tr);
}

}  // namespace planek
