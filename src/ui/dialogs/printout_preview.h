#pragma once
#include <QDialog>
#include <QPrinter>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/plan.h"
#include "pdf/printout_document.h"

class QPrintPreviewWidget;

namespace planek::ui {

// "Podgląd wydruku": an HTML or text printout on its pages as they will be
// printed, with "Drukuj", "Zapisz jako PDF" and "Otwórz w przeglądarce".
class PrintoutPreview : public QDialog {
public:
    PrintoutPreview(const Plan& plan, const std::filesystem::path& printout, QWidget* parent = nullptr);
    // False when the printout could not be read (the reason went to the user).
    bool loaded() const { return doc_.doc != nullptr; }
    QPageLayout::Orientation orientation() const { return doc_.layout.orientation(); }
    int pages() const;

    void print();
    // Writes the PDF to the file chosen; false when cancelled or failed.
    bool saveAsPdf();
    void openInBrowser();

    // The save dialog for the PDF and the desktop's opening of a file;
    // tests put their own in.
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& proposed)> choosePdf;
    std::function<bool(const std::filesystem::path&)> openExternally;

private:
    const Plan& plan_;
    std::filesystem::path file_;
    printout_document doc_;
    QPrinter printer_;
    QPrintPreviewWidget* view_ = nullptr;
};

// What the window does with a finished printout: HTML and text open in the
// preview, anything else (RTF) with the desktop's program; when nothing
// opens, a message names the file.
void show_printout(const Plan& plan, const std::filesystem::path& printout, QWidget* parent);

}  // namespace planek::ui
