#pragma once
// The window's exports: the shown month for a spreadsheet and one worker's
// duties for a calendar, each to a file the user names.
#include <filesystem>

#include "core/file_io.h"
#include "core/plan.h"
#include "document/roster_document.h"

class QWidget;

namespace planek::ui {

// The shown group's month as an XLSX workbook or, for a ".csv" name, the
// roster sheet as CSV.
io_result export_month_file(roster_document& doc, const std::filesystem::path& file);

// A worker's duties and days off of the opened month as an iCalendar file.
io_result export_worker_calendar_file(roster_document& doc, int worker, const std::filesystem::path& file);

// Ask for the file, write it, and warn when it could not be written.
void export_month(roster_document& doc, QWidget* parent);
void export_worker_calendar(roster_document& doc, int worker, QWidget* parent);

}  // namespace planek::ui
