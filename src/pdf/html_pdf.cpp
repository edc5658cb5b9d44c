#include "pdf/html_pdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include <memory>

#include "pdf/printout_document.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// Qt draws text only inside an application object; the command line has
// none, so it gets one for as long as needed. Drawing into a file needs no
// window system, so it is always the offscreen one: a QT_QPA_PLATFORM of the
// desktop (xcb, wayland) in a shell without a display would make Qt abort
// before anything is drawn. "-platform" on the arguments outranks the
// variable and leaves the environment of the process as it was. Qt keeps the
// arguments it was given, so they live beside it.
struct offscreen_application {
    int argc = 3;
    char name[11] = "planek-cli";
    char platformOption[10] = "-platform";
    char platform[10] = "offscreen";
    char* argv[4] = {name, platformOption, platform, nullptr};
    std::unique_ptr<QGuiApplication> app;
};

std::unique_ptr<offscreen_application> application() {
    if (QCoreApplication::instance()) return nullptr;
    auto a = std::make_unique<offscreen_application>();
    a->app = std::make_unique<QGuiApplication>(a->argc, a->argv);
    return a;
}

// Qt's remarks about the missing desktop session are no concern of a
// command that only draws into a file.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

// The drawing alone, the document already made.
static std::string pdf_of(printout_document& p, const std::string& title) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator("Planek");
    writer.setPageLayout(p.layout);
    draw_printout(*p.doc, writer, writer.resolution());
    return out.data().toStdString();
}

io_result write_pdf(const fs::path& printout, const fs::path& pdf, const Translator* tr) {
    const QtMessageHandler before = qInstallMessageHandler(quiet);
    const std::unique_ptr<offscreen_application> app = application();
    printout_document p = load_printout(printout, tr);
    const std::string bytes = p.doc ? pdf_of(p, printout.stem().string()) : std::string();
    qInstallMessageHandler(before);
    if (!p.doc) return {p.error};
    return write_bytes(pdf, bytes, tr);
}

std::string pdf_of_printout(const std::string& bytes, bool html, const std::string& title) {
    const QtMessageHandler before = qInstallMessageHandler(quiet);
    const std::unique_ptr<offscreen_application> app = application();
    printout_document p = printout_of_bytes(bytes, html);
    std::string pdf = pdf_of(p, title);
    qInstallMessageHandler(before);
    return pdf;
}

}  // namespace planek
