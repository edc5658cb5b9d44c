#include "pdf/html_pdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include <cstdlib>
#include <memory>

#include "pdf/printout_document.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// Qt draws text only inside an application object; the command line has
// none, and no display, so it gets an offscreen one for as long as needed.
std::unique_ptr<QGuiApplication> application() {
    if (QCoreApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "planek-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Qt's remarks about the missing desktop session are no concern of a
// command that only draws into a file.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

io_result write_pdf(const fs::path& printout, const fs::path& pdf) {
    const QtMessageHandler before = qInstallMessageHandler(quiet);
    const std::unique_ptr<QGuiApplication> app = application();
    printout_document p = load_printout(printout);
    QBuffer out;
    if (p.doc) {
        out.open(QIODevice::WriteOnly);
        QPdfWriter writer(&out);
        writer.setTitle(QString::fromStdString(printout.stem().string()));
        writer.setCreator("Planek");
        writer.setPageLayout(p.layout);
        draw_printout(*p.doc, writer, writer.resolution());
    }
    qInstallMessageHandler(before);
    if (!p.doc) return {p.error};
    return write_bytes(pdf, out.data().toStdString());
}

}  // namespace planek
