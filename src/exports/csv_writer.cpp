#include "exports/csv_writer.h"

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

void line(std::string& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ';';
        out += field(fields[i]);
    }
    out += "\r\n";
}

}  // namespace

std::string csv_text(const sheet& s) {
    // Without the mark the spreadsheet takes the file for Windows-1250.
    std::string out = "\xEF\xBB\xBF";
    line(out, s.header);
    for (const std::vector<cell>& row : s.rows) {
        std::vector<std::string> fields;
        fields.reserve(row.size());
        for (const cell& c : row) fields.push_back(text_of(c));
        line(out, fields);
    }
    return out;
}

io_result write_csv(const std::filesystem::path& file, const sheet& s) { return write_bytes(file, csv_text(s)); }

}  // namespace planek
