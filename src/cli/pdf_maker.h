#pragma once
// PDF from a printout through the separate program that draws it (planek-pdf,
// which alone loads Qt), so a command that makes no PDF never loads Qt.
#include <filesystem>

#include "core/plan.h"
#include "core/result.h"

namespace planek::cli {

// The drawing program: beside this one (a build folder) or in ../libexec/planek
// beside bin/ (an installation); empty when neither is there.
std::filesystem::path pdf_maker();

// Reads the printout, has the drawing program make its PDF and writes that
// through the safe write. What fails is said in the session's language.
result<> make_pdf(const Plan& plan, const std::filesystem::path& printout, const std::filesystem::path& pdf);

}  // namespace planek::cli
