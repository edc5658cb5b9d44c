#include "exports/xlsx_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdlib>

#include "core/text.h"
#include "exports/cell_text.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

struct formats {
    lxw_format* header;
    lxw_format* minutes;
    lxw_format* clock;
    lxw_format* date;
};

formats add_formats(lxw_workbook* wb) {
    formats f{workbook_add_format(wb), workbook_add_format(wb), workbook_add_format(wb), workbook_add_format(wb)};
    format_set_bold(f.header);
    // Long column names ("Nadgodziny 100%") take two lines rather than a
    // column as wide as the name.
    format_set_text_wrap(f.header);
    format_set_align(f.header, LXW_ALIGN_VERTICAL_TOP);
    format_set_num_format(f.minutes, "[h]:mm");
    format_set_num_format(f.clock, "hh:mm");
    format_set_num_format(f.date, "yyyy-mm-dd");
    return f;
}

// Both sheets start with the worker's id and name: the columns that say
// whose row it is, kept in view and printed on every page.
constexpr lxw_col_t kKeyColumns = 2;
constexpr uint8_t kPaperA4 = 9;

void write_cell(lxw_worksheet* ws, lxw_row_t r, lxw_col_t c, const cell& v, const formats& f) {
    switch (v.type) {
        case cell::kind::text:
            if (!v.text.empty()) worksheet_write_string(ws, r, c, v.text.c_str(), nullptr);
            break;
        case cell::kind::number: worksheet_write_number(ws, r, c, double(v.value), nullptr); break;
        case cell::kind::minutes: worksheet_write_number(ws, r, c, double(v.value) / 1440.0, f.minutes); break;
        case cell::kind::clock: worksheet_write_number(ws, r, c, double(v.value) / 1440.0, f.clock); break;
        case cell::kind::date: {
            lxw_datetime dt = {v.year, v.month, v.day, 0, 0, 0};
            worksheet_write_datetime(ws, r, c, &dt, f.date);
            break;
        }
    }
}

// The longest word of a column name: the narrowest the column may be with
// its name wrapped.
size_t longest_word(const std::string& text) {
    size_t longest = 0, from = 0;
    while (from <= text.size()) {
        size_t to = text.find(' ', from);
        if (to == std::string::npos) to = text.size();
        longest = std::max(longest, utf8_length(std::string_view(text).substr(from, to - from)));
        from = to + 1;
    }
    return longest;
}

// Widths in characters that show every value whole (a date, "176:00"), so
// a printed cell never turns into "###": the longest value as the cell
// shows it, at least the longest word of the column's name.
std::vector<double> column_widths(const sheet& s) {
    const size_t columns = std::max(s.header.size(), s.rows.empty() ? size_t(0) : s.rows.front().size());
    std::vector<size_t> chars(columns, 1);
    for (size_t c = 0; c < s.header.size(); ++c) chars[c] = std::max(chars[c], longest_word(s.header[c]));
    for (const std::vector<cell>& row : s.rows)
        for (size_t c = 0; c < row.size() && c < columns; ++c)
            chars[c] = std::max(chars[c], utf8_length(text_of(row[c])));
    std::vector<double> widths;
    // Bold names and the cell's margins take about two characters more.
    for (size_t n : chars) widths.push_back(double(std::min<size_t>(n, 40)) + 2.0);
    return widths;
}

// The lines a column name takes wrapped to a column `width` characters wide.
int name_lines(const std::string& text, double width) {
    int lines = 1;
    size_t used = 0, from = 0;
    while (from <= text.size()) {
        size_t to = text.find(' ', from);
        if (to == std::string::npos) to = text.size();
        const size_t word = utf8_length(std::string_view(text).substr(from, to - from));
        if (used > 0 && double(used + 1 + word) > width - 2) {
            ++lines;
            used = word;
        } else {
            used += (used > 0 ? 1 : 0) + word;
        }
        from = to + 1;
    }
    return lines;
}

// A spreadsheet need not grow a row for its wrapped text when it opens the
// file, so the header row is made as tall as its longest name needs.
double header_height(const sheet& s, const std::vector<double>& widths) {
    int lines = 1;
    for (size_t c = 0; c < s.header.size() && c < widths.size(); ++c)
        lines = std::max(lines, name_lines(s.header[c], widths[c]));
    return 15.0 * lines;
}

// As payroll prints it: A4 across, one page wide however many days, the
// column names and each row's worker on every page, numbered pages.
void set_page(lxw_worksheet* ws) {
    worksheet_set_landscape(ws);
    worksheet_set_paper(ws, kPaperA4);
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_repeat_rows(ws, 0, 0);
    worksheet_repeat_columns(ws, 0, kKeyColumns - 1);
    worksheet_set_footer(ws, "&L&A&R&P / &N");
}

void write_sheet(lxw_workbook* wb, const sheet& s, const formats& f) {
    lxw_worksheet* ws = workbook_add_worksheet(wb, s.name.c_str());
    for (size_t c = 0; c < s.header.size(); ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), s.header[c].c_str(), f.header);
    for (size_t r = 0; r < s.rows.size(); ++r)
        for (size_t c = 0; c < s.rows[r].size(); ++c) write_cell(ws, lxw_row_t(r + 1), lxw_col_t(c), s.rows[r][c], f);
    const std::vector<double> widths = column_widths(s);
    for (size_t c = 0; c < widths.size(); ++c) worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_set_row(ws, 0, header_height(s, widths), nullptr);
    worksheet_freeze_panes(ws, 1, kKeyColumns);
    set_page(ws);
}

// The library writes to a path of its own; the workbook goes there first and
// then through the safe write, so a failure leaves no half-written target.
fs::path scratch_file() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "planek-xlsx-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return {};
    close(fd);
    return pattern;
}

}  // namespace

io_result write_xlsx(const fs::path& file, const std::vector<sheet>& sheets, const Translator* tr) {
    const std::string name = "\"" + file.string() + "\"";
    auto failed = [&](const std::string& why) {
        return io_result{file_message(tr, "msg_WriteFailed", "Nie można zapisać pliku %s%s.", {name, why})};
    };
    const fs::path scratch = scratch_file();
    if (scratch.empty())
        return failed(file_message(tr, "msg_WriteNoScratch", ": brak miejsca na plik tymczasowy", {}));
    lxw_workbook* wb = workbook_new(scratch.c_str());
    if (!wb) return failed("");
    const formats f = add_formats(wb);
    for (const sheet& s : sheets) write_sheet(wb, s, f);
    const lxw_error err = workbook_close(wb);
    std::string bytes, error;
    const bool read = err == LXW_NO_ERROR && read_bytes(scratch, bytes, error, kAnyFileBound, tr);
    std::error_code ec;
    fs::remove(scratch, ec);
    if (err != LXW_NO_ERROR) return failed(std::string(": ") + lxw_strerror(err));
    if (!read) return {error};
    return write_bytes(file, bytes, tr);
}

}  // namespace planek
