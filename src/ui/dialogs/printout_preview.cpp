#include "ui/dialogs/printout_preview.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "pdf/html_pdf.h"
#include "settings/message_format.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kForm = "f_Preview";

bool open_with_desktop(const fs::path& file) { return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(file.string()))); }

void say_not_opened(const Plan& plan, const fs::path& file) {
    plan.ui->inform(fill_message(plan.tr.msg("msg_DocumentNotOpened", "Nie udało się otworzyć dokumentu %s"),
                                 {file.string()}));
}

bool previewed(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".htm" || ext == ".html" || ext == ".txt";
}

}  // namespace

PrintoutPreview::PrintoutPreview(const Plan& plan, const fs::path& printout, QWidget* parent)
    : QDialog(parent),
      plan_(plan),
      file_(printout),
      doc_(load_printout(printout, &plan.tr)),
      printer_(QPrinter::HighResolution) {
    setObjectName(kForm);
    setWindowTitle(caption(plan, kForm, kForm, "Podgląd wydruku") + " - " + qs(printout.filename().string()));
    openExternally = open_with_desktop;
    choosePdf = [this](const fs::path& proposed) -> std::optional<fs::path> {
        const QString name = QFileDialog::getSaveFileName(this, caption(plan_, kForm, "b_SavePdf", "Zapisz jako PDF"),
                                                          qs(proposed.string()), "PDF (*.pdf)");
        if (name.isEmpty()) return std::nullopt;
        return fs::path(name.toStdString());
    };
    if (!loaded()) plan.ui->warn(doc_.error);
    else printer_.setPageLayout(doc_.layout);

    auto* layout = new QVBoxLayout(this);
    view_ = new QPrintPreviewWidget(&printer_, this);
    view_->setObjectName("pv_Preview");
    connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) {
        if (loaded()) draw_printout(*doc_.doc, *p, p->resolution());
    });
    layout->addWidget(view_);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* key, const char* text, std::function<void()> act) {
        auto* b = new QPushButton(caption(plan, kForm, key, text), this);
        b->setObjectName(key);
        b->setEnabled(loaded());
        connect(b, &QPushButton::clicked, this, [act] { act(); });
        buttons->addWidget(b);
    };
    button("b_Print", "Drukuj", [this] { print(); });
    button("b_SavePdf", "Zapisz jako PDF", [this] { saveAsPdf(); });
    button("b_OpenBrowser", "Otwórz w przeglądarce", [this] { openInBrowser(); });
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(1000, 720);
}

int PrintoutPreview::pages() const {
    view_->updatePreview();
    return view_->pageCount();
}

void PrintoutPreview::print() {
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() == QDialog::Accepted && loaded()) draw_printout(*doc_.doc, printer_, printer_.resolution());
}

bool PrintoutPreview::saveAsPdf() {
    fs::path proposed = file_;
    proposed.replace_extension(".pdf");
    const std::optional<fs::path> target = choosePdf ? choosePdf(proposed) : std::nullopt;
    if (!target) return false;
    if (io_result r = write_pdf(file_, *target, &plan_.tr); !r) {
        plan_.ui->warn(r.error);
        return false;
    }
    return true;
}

void PrintoutPreview::openInBrowser() {
    if (!openExternally || !openExternally(file_)) say_not_opened(plan_, file_);
}

void show_printout(const Plan& plan, const fs::path& printout, QWidget* parent) {
    if (!previewed(printout)) {
        if (!open_with_desktop(printout)) say_not_opened(plan, printout);
        return;
    }
    PrintoutPreview preview(plan, printout, parent);
    if (preview.loaded()) preview.exec();
}

}  // namespace planek::ui
