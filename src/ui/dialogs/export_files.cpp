#include "ui/dialogs/export_files.h"

#include <QFileDialog>

#include <ctime>
#include <string_view>
#include <system_error>

#include "document/output_acts.h"
#include "calendar/calendar_grid.h"
#include "editing/message_text.h"
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

// A proposed name with the characters no file name may hold made "_".
std::string file_name_of(std::string name) {
    for (char& c : name)
        if (std::string_view("*:<>?/\\\"|").find(c) != std::string_view::npos) c = '_';
    return name;
}

// Exports go where the printouts go, the folder the ward keeps its papers in.
fs::path export_folder(const Plan& plan) {
    std::error_code ec;
    for (const fs::path& f : {plan.paths.printouts, plan.paths.data})
        if (!f.empty() && fs::is_directory(f, ec)) return f;
    return {};
}

}  // namespace

io_result export_month_file(roster_document& doc, const fs::path& file) {
    const Plan& plan = doc.plan();
    const std::vector<int> workers = roster_workers(plan);
    count_worker_sums(doc, workers, false);
    if (is_csv(file)) return write_csv(file, roster_sheet(plan, workers), &plan.tr);
    return write_xlsx(file, {roster_sheet(plan, workers), duty_sheet(plan, workers, false)}, &plan.tr);
}

io_result export_worker_calendar_file(roster_document& doc, int worker, const fs::path& file) {
    const Plan& plan = doc.plan();
    count_worker_sums(doc, {worker}, true);
    std::string idUnsaved;
    const std::string folderId = data_folder_id(plan.paths.data, &idUnsaved, &plan.tr);
    if (!idUnsaved.empty()) doc.interaction().warn(idUnsaved);
    return write_ics(file, worker_events(plan, worker, folderId), plan.clock->now(), &plan.tr);
}

namespace {

std::string proposed_month_file(const Plan& plan) {
    const grupa* g = plan.group();
    return file_name_of(message(plan, "msg_ExportMonthFile", "Grafik %s %s %s",
                                {g ? g->name : std::string(), month_name(plan, plan.month), std::to_string(plan.year)}));
}

std::string proposed_calendar_file(const Plan& plan, int worker) {
    const prac* p = worker >= 0 && worker < int(plan.workers.size()) ? &plan.workers[size_t(worker)] : nullptr;
    return file_name_of(message(plan, "msg_ExportCalendarFile", "Kalendarz %s %s %s %s",
                                {p ? p->surname : std::string(), p ? p->firstName : std::string(),
                                 month_name(plan, plan.month), std::to_string(plan.year)}));
}

QString ask_export_file(const Plan& plan, QWidget* parent, const QString& title, const std::string& proposed,
                        const QStringList& filters) {
    QFileDialog d(parent, title);
    d.setObjectName("d_Export");
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setNameFilters(filters);
    const fs::path folder = export_folder(plan);
    if (!folder.empty()) d.setDirectory(qs(folder.string()));
    // A name typed without its extension gets the chosen kind's: the writers
    // pick the format by the extension, and a file without one opens nowhere.
    auto suffixOf = [](const QString& filter) { return filter.section("*.", 1, 1).section(')', 0, 0); };
    d.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(&d, &QFileDialog::filterSelected, &d,
                     [&d, suffixOf](const QString& filter) { d.setDefaultSuffix(suffixOf(filter)); });
    d.selectFile(qs(proposed) + "." + suffixOf(filters.value(0)));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

}  // namespace

void export_month(roster_document& doc, QWidget* parent) {
    const Plan& plan = doc.plan();
    const QString name = ask_export_file(plan, parent, qs(plan.tr.tr("f_MainForm", "a_Export", "Eksport...")),
                                         proposed_month_file(plan), {"XLSX (*.xlsx)", "CSV (*.csv)"});
    if (!name.isEmpty()) warn_unless_written(doc, export_month_file(doc, ss(name)));
}

void export_worker_calendar(roster_document& doc, int worker, QWidget* parent) {
    const Plan& plan = doc.plan();
    const QString name =
        ask_export_file(plan, parent, qs(plan.tr.tr("f_MainForm", "mi_WorkerCalendar", "Eksport kalendarza...")),
                        proposed_calendar_file(plan, worker), {"iCalendar (*.ics)"});
    if (!name.isEmpty()) warn_unless_written(doc, export_worker_calendar_file(doc, worker, ss(name)));
}

}  // namespace planek::ui
