#include "pdf/printout_document.h"

#include <QPagedPaintDevice>
#include <QPageSize>
#include <QPainter>

#include <algorithm>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "printouts/page_orientation.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// Sizes in the document's own units, CSS pixels of 1/96 inch.
QSizeF page_size(const QPageLayout& layout) { return layout.paintRect(QPageLayout::Inch).size() * 96.0; }

bool is_html(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".htm" || ext == ".html";
}

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

}  // namespace

printout_document load_printout(const fs::path& printout) {
    printout_document p;
    std::string bytes;
    if (!read_bytes(printout, bytes, p.error)) return p;
    const std::string text = cp1250_to_utf8(bytes);
    const bool html = is_html(printout);
    p.doc = std::make_unique<QTextDocument>();
    if (html) p.doc->setHtml(QString::fromStdString(text));
    else p.doc->setPlainText(QString::fromStdString(text));
    p.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Millimeter);
    p.layout.setOrientation(orientation_for(text, html, *p.doc, p.layout));
    return p;
}

void draw_printout(QTextDocument& doc, QPagedPaintDevice& device, int resolution) {
    const QSizeF page = page_size(device.pageLayout());
    // Unbounded, a table takes the width its cells need without wrapping.
    doc.setPageSize(QSizeF(1e5, page.height()));
    const double width = std::max(page.width(), doc.idealWidth());
    const double fit = page.width() / width;
    const QSizeF virtualPage(width, page.height() / fit);
    doc.setPageSize(virtualPage);
    QPainter painter(&device);
    const double scale = resolution / 96.0 * fit;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) device.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -i * virtualPage.height());
        doc.drawContents(&painter, QRectF(QPointF(0, i * virtualPage.height()), virtualPage));
        painter.restore();
    }
}

}  // namespace planek
