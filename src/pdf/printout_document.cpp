#include "pdf/printout_document.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPageSize>
#include <QPainter>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "printouts/page_orientation.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// Sizes in the document's own units, CSS pixels of 1/96 inch.
QSizeF page_size(const QPageLayout& layout) { return layout.paintRect(QPageLayout::Inch).size() * 96.0; }

// Wide enough for any table to take the width its cells need unwrapped.
constexpr double kUnbounded = 1e5;

// The right edge of the widest table that sizes itself by its cells (not
// by a share of the page), laid out unbounded: a month of 31 columns wants
// its names and days on one line each, however narrow the page.
double widest_table(QTextDocument& doc, QTextFrame* frame) {
    double widest = 0;
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child);
            table && table->format().width().type() != QTextLength::PercentageLength)
            widest = std::max(widest, doc.documentLayout()->frameBoundingRect(table).right());
        widest = std::max(widest, widest_table(doc, child));
    }
    return widest;
}

// The width the content needs on a page `page` wide: its tables unwrapped,
// the text around them wrapped to the page (or to the tables, when wider),
// plus what cannot wrap (plain text lines, "nowrap"). The one measure both
// the choice of the page and the drawing take, so a printout is drawn as it
// was measured.
double content_width(QTextDocument& doc, QSizeF page) {
    doc.setPageSize(QSizeF(kUnbounded, page.height()));
    const double tables = widest_table(doc, doc.rootFrame()) + doc.documentMargin();
    doc.setPageSize(QSizeF(std::max(page.width(), tables), page.height()));
    return std::max(tables, doc.idealWidth());
}

}  // namespace

bool is_html_printout(const fs::path& printout) {
    std::string ext = printout.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".htm" || ext == ".html";
}

printout_document load_printout(const fs::path& printout, const Translator* tr) {
    std::string bytes, error;
    if (!read_bytes(printout, bytes, error, kAnyFileBound, tr)) {
        printout_document p;
        p.error = error;
        return p;
    }
    return printout_of_bytes(bytes, is_html_printout(printout));
}

printout_document printout_of_bytes(const std::string& bytes, bool html) {
    printout_document p;
    const std::string text = cp1250_to_utf8(bytes);
    p.doc = std::make_unique<QTextDocument>();
    if (html) {
        p.doc->setHtml(QString::fromStdString(text));
    } else {
        // A text printout lines its columns up with blanks: its lines stay whole.
        QTextOption whole = p.doc->defaultTextOption();
        whole.setWrapMode(QTextOption::NoWrap);
        p.doc->setDefaultTextOption(whole);
        p.doc->setPlainText(QString::fromStdString(text));
    }
    p.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Millimeter);
    const QSizeF upright = page_size(p.layout);
    const page_orientation o = orientation_for_width(content_width(*p.doc, upright), upright.width(),
                                                     html ? css_page_orientation(text) : std::nullopt);
    p.layout.setOrientation(o == page_orientation::landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return p;
}

double printout_scale(QTextDocument& doc, const QPageLayout& layout) {
    const QSizeF page = page_size(layout);
    return fit_scale(content_width(doc, page), page.width());
}

void draw_printout(QTextDocument& doc, QPagedPaintDevice& device, int resolution) {
    const QSizeF page = page_size(device.pageLayout());
    const double fit = printout_scale(doc, device.pageLayout());
    // The page as the document sees it: as much wider and taller as the
    // content is shrunk, so the pages break where the drawn pages end.
    const QSizeF virtualPage(page.width() / fit, page.height() / fit);
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
