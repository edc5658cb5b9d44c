#pragma once
// One sheet as CSV the way a Polish spreadsheet opens it: UTF-8 with a byte
// order mark, ";" between fields, CR LF between rows, the header first.
// Lengths are whole minutes, their columns named "... [min]".
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "exports/sheet.h"

namespace planek {

std::string csv_text(const sheet& s);
io_result write_csv(const std::filesystem::path& file, const sheet& s, const Translator* tr = nullptr);

}  // namespace planek
