#include "ui/dialogs/export_files.h"

#include <QFileDialog>

#include <ctime>

#include "document/output_acts.h"
#include "exports/csv_writer.h"
#include "files/data_folder_id.h"
#include "exports/ics_writer.h"
#include "exports/roster_sheets.h"
#include "exports/worker_calendar.h"
#include "exports/xlsx_writer.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace fs = std::filesystem;

namespace {

bool is_csv(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".csv";
}

void warn_unless_written(roster_document& doc, const io_result& r) {
    if (!r) doc.interaction().warn(r.error);
}

}  // namespace

io_result export_month_file(roster_document& doc, const fs::path& file) {
    const Plan& plan = doc.plan();
    const std::vector<int> workers = roster_workers(plan);
    count_worker_sums(doc, workers, false);
    if (is_csv(file)) return write_csv(file, roster_sheet(plan, workers));
    return write_xlsx(file, {roster_sheet(plan, workers), duty_sheet(plan, workers, false)});
}

io_result export_worker_calendar_file(roster_document& doc, int worker, const fs::path& file) {
    const Plan& plan = doc.plan();
    count_worker_sums(doc, {worker}, true);
    return write_ics(file, worker_events(plan, worker, data_folder_id(plan.paths.data)), plan.clock->now());
}

void export_month(roster_document& doc, QWidget* parent) {
    const Plan& plan = doc.plan();
    const QString name = QFileDialog::getSaveFileName(
        parent, qs(plan.tr.tr("f_MainForm", "a_Export", "Eksport...")), QString(), "XLSX (*.xlsx);;CSV (*.csv)");
    if (!name.isEmpty()) warn_unless_written(doc, export_month_file(doc, name.toStdString()));
}

void export_worker_calendar(roster_document& doc, int worker, QWidget* parent) {
    const Plan& plan = doc.plan();
    const QString name = QFileDialog::getSaveFileName(
        parent, qs(plan.tr.tr("f_MainForm", "mi_WorkerCalendar", "Eksport kalendarza...")), QString(),
        "iCalendar (*.ics)");
    if (!name.isEmpty()) warn_unless_written(doc, export_worker_calendar_file(doc, worker, name.toStdString()));
}

}  // namespace planek::ui
