#pragma once
// A printout as PDF, drawn by Qt's text engine on the offscreen platform,
// so no display is needed. Only built with the Qt program (PLANEK_GUI);
// the header holds no Qt, so the command line can call it.
#include <filesystem>
#include <string>

#include "core/file_io.h"

namespace planek {

// Reads an HTML (Windows-1250, as printouts are written) or text printout
// and writes it as an A4 PDF through the safe write. The page lies as the
// document's "@page" rule says, else in landscape when the content is too
// wide to stand upright. Its failure is said in the language of `tr`.
io_result write_pdf(const std::filesystem::path& printout, const std::filesystem::path& pdf,
                    const Translator* tr = nullptr);

// The PDF of a printout's bytes (HTML or text), titled `title`.
std::string pdf_of_printout(const std::string& bytes, bool html, const std::string& title);

}  // namespace planek
