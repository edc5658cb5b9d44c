#include "exports/xlsx_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdlib>

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
    format_set_num_format(f.minutes, "[h]:mm");
    format_set_num_format(f.clock, "hh:mm");
    format_set_num_format(f.date, "yyyy-mm-dd");
    return f;
}

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

void write_sheet(lxw_workbook* wb, const sheet& s, const formats& f) {
    lxw_worksheet* ws = workbook_add_worksheet(wb, s.name.c_str());
    for (size_t c = 0; c < s.header.size(); ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), s.header[c].c_str(), f.header);
    for (size_t r = 0; r < s.rows.size(); ++r)
        for (size_t c = 0; c < s.rows[r].size(); ++c) write_cell(ws, lxw_row_t(r + 1), lxw_col_t(c), s.rows[r][c], f);
    worksheet_set_column(ws, 1, 1, 24, nullptr);  // the names
    worksheet_freeze_panes(ws, 1, 2);
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

io_result write_xlsx(const fs::path& file, const std::vector<sheet>& sheets) {
    const std::string failed = "Nie można zapisać pliku „" + file.string() + "”";
    const fs::path scratch = scratch_file();
    if (scratch.empty()) return {failed + ": brak miejsca na plik tymczasowy."};
    lxw_workbook* wb = workbook_new(scratch.c_str());
    if (!wb) return {failed + "."};
    const formats f = add_formats(wb);
    for (const sheet& s : sheets) write_sheet(wb, s, f);
    const lxw_error err = workbook_close(wb);
    std::string bytes, error;
    const bool read = err == LXW_NO_ERROR && read_bytes(scratch, bytes, error);
    std::error_code ec;
    fs::remove(scratch, ec);
    if (err != LXW_NO_ERROR) return {failed + ": " + lxw_strerror(err) + "."};
    if (!read) return {failed + ": " + error};
    return write_bytes(file, bytes);
}

}  // namespace planek
