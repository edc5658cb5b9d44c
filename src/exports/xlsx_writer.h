#pragma once
// Sheets as one XLSX workbook: lengths as durations ("[h]:mm") and dates as
// dates, so payroll can add them up; the header row bold and kept in view.
// Each sheet prints on A4 across, one page wide, with the column names and
// the workers' ids and names on every page.
#include <filesystem>
#include <vector>

#include "core/file_io.h"
#include "exports/sheet.h"

namespace planek {

// Its failure is said in the language of `tr`.
io_result write_xlsx(const std::filesystem::path& file, const std::vector<sheet>& sheets,
                     const Translator* tr = nullptr);

}  // namespace planek
