#include "pdf/html_pdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "core/cp1250.h"
#include "printouts/page_orientation.h"

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

bool is_html(const fs::path& file) {
    const std::string ext = file.extension().string();
    return ext == ".htm" || ext == ".html" || ext == ".HTM" || ext == ".HTML";
}

// Sizes in the document's own units, CSS pixels of 1/96 inch.
QSizeF page_size(const QPageLayout& layout) { return layout.paintRect(QPageLayout::Inch).size() * 96.0; }

QPageLayout::Orientation orientation_for(const std::string& text, bool html, QTextDocument& doc,
                                         const QPageLayout& portrait) {
    if (html)
        if (auto css = css_page_orientation(text))
            return *css == page_orientation::landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    // Laid out at the upright width, a table wider than the page overflows.
    const QSizeF page = page_size(portrait);
    doc.setPageSize(page);
    return doc.idealWidth() > page.width() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Draws the document page by page. Content still wider than the page (a
// month of 31 columns and the totals) is shrunk to its width rather than cut
// off at the right edge.
void draw(QTextDocument& doc, QPdfWriter& writer) {
    const QSizeF page = page_size(writer.pageLayout());
    // Unbounded, a table takes the width its cells need without wrapping.
    doc.setPageSize(QSizeF(1e5, page.height()));
    const double width = std::max(page.width(), doc.idealWidth());
    const double fit = page.width() / width;
    const QSizeF virtualPage(width, page.height() / fit);
    doc.setPageSize(virtualPage);
    QPainter painter(&writer);
    const double scale = writer.resolution() / 96.0 * fit;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) writer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -i * virtualPage.height());
        doc.drawContents(&painter, QRectF(QPointF(0, i * virtualPage.height()), virtualPage));
        painter.restore();
    }
}

// Qt's remarks about the missing desktop session are no concern of a
// command that only draws into a file.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

io_result write_pdf(const fs::path& printout, const fs::path& pdf) {
    std::string bytes, error;
    if (!read_bytes(printout, bytes, error)) return {error};
    const QtMessageHandler before = qInstallMessageHandler(quiet);
    const std::unique_ptr<QGuiApplication> app = application();
    const std::string text = cp1250_to_utf8(bytes);
    const bool html = is_html(printout);

    QTextDocument doc;
    if (html) doc.setHtml(QString::fromStdString(text));
    else doc.setPlainText(QString::fromStdString(text));
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
    layout.setOrientation(orientation_for(text, html, doc, layout));

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&out);
        writer.setTitle(QString::fromStdString(printout.stem().string()));
        writer.setCreator("Planek");
        writer.setPageLayout(layout);
        draw(doc, writer);
    }
    qInstallMessageHandler(before);
    return write_bytes(pdf, out.data().toStdString());
}

}  // namespace planek
