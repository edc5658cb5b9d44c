#pragma once
// A printout as a Qt text document and its drawing onto pages, shared by the
// PDF writer and the window's preview and printing. Qt only.
#include <QPageLayout>
#include <QTextDocument>

#include <filesystem>
#include <memory>
#include <string>

class QPagedPaintDevice;

namespace planek {

class Translator;

struct printout_document {
    std::unique_ptr<QTextDocument> doc;
    QPageLayout layout;  // A4, turned as the printout asks or needs
    std::string error;   // the file could not be read
};

// Reads an HTML (Windows-1250, as printouts are written) or text printout.
// The page lies as the document's "@page" rule says, else in landscape when
// the content is too wide to stand upright: its tables as wide as their
// cells need unwrapped, the lines of a text printout whole.
printout_document load_printout(const std::filesystem::path& printout, const Translator* tr = nullptr);
// The same from the printout's bytes, HTML or text.
printout_document printout_of_bytes(const std::string& bytes, bool html);
// Whether the printout's name says it is HTML.
bool is_html_printout(const std::filesystem::path& printout);

// The scale the document is drawn at on pages of this layout: 1, or less for
// content still wider than the page (a month of 31 columns and the totals),
// which is shrunk to the page's width rather than cut off.
double printout_scale(QTextDocument& doc, const QPageLayout& layout);

// Draws the document page by page onto a printer or PDF writer whose page
// layout is already set, at printout_scale.
void draw_printout(QTextDocument& doc, QPagedPaintDevice& device, int resolution);

}  // namespace planek
