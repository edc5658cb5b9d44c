#include "ui/dialogs/export_files.h"

#include <QFileDialog>

#include <ctime>

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

std::vector<int> shown_group_workers(const Plan& plan) {
    std::vector<int> list;
    const grupa* g = plan.group();
    for (size_t i = 0; i < plan.workers.size(); ++i)
        if (!plan.workers[i].old && g && plan.workers[i].inGroup(g->id)) list.push_back(int(i));
    return list;
}

bool is_csv(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".csv";
}

void warn_unless_written(Plan& plan, const io_result& r) {
    if (!r) plan.ui->warn(r.error);
}

}  // namespace

io_result export_month_file(Plan& plan, const fs::path& file) {
    const std::vector<int> workers = shown_group_workers(plan);
    compute_workers(plan, workers, false);
    if (is_csv(file)) return write_csv(file, roster_sheet(plan, workers));
    return write_xlsx(file, {roster_sheet(plan, workers), duty_sheet(plan, workers, false)});
}

io_result export_worker_calendar_file(Plan& plan, int worker, const fs::path& file) {
    compute_workers(plan, {worker}, true);
    return write_ics(file, worker_events(plan, worker, data_folder_id(plan.paths.data)), plan.clock->now());
}

void export_month(Plan& plan, QWidget* parent) {
    const QString name = QFileDialog::getSaveFileName(
        parent, qs(plan.tr.tr("f_MainForm", "a_Export", "Eksport...")), QString(), "XLSX (*.xlsx);;CSV (*.csv)");
    if (!name.isEmpty()) warn_unless_written(plan, export_month_file(plan, name.toStdString()));
}

void export_worker_calendar(Plan& plan, int worker, QWidget* parent) {
    const QString name = QFileDialog::getSaveFileName(
        parent, qs(plan.tr.tr("f_MainForm", "mi_WorkerCalendar", "Eksport kalendarza...")), QString(),
        "iCalendar (*.ics)");
    if (!name.isEmpty()) warn_unless_written(plan, export_worker_calendar_file(plan, worker, name.toStdString()));
}

}  // namespace planek::ui
