#pragma once
// Template files: discovery, the header block, and the body as the tag
// tree reads it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "printouts/page_orientation.h"

namespace planek {

struct Plan;

inline constexpr int kDefaultFontSize = 10;
inline constexpr const char* kDefaultFontName = "Arial";

// One template file.
struct szablon {
    std::filesystem::path path;
    std::string title;
    std::string secondText;
    std::string type = "rtf";  // "rtf", "htm" or "txt"
    int fontSize = kDefaultFontSize;
    std::string fontName = kDefaultFontName;
    std::string outputName = "document";
    int headerLines = 0;
    std::optional<page_orientation> page;  // as <PAGE> turns an HTML printout's page
};

// Reads the header block of a template. A missing file gives the defaults
// with its file name as title. <FILE_NAME> is expanded for the plan's
// current worker, group and month.
szablon info_plik(const Plan& plan, const std::filesystem::path& path);

// Templates of a folder and of its sub-folders whose names match the mask,
// in name order.
std::vector<szablon> ZnajdzPliki(const Plan& plan, const std::filesystem::path& folder,
                                 const std::string& mask = "*.wzr");

// The templates of the chosen language: the subfolder of the templates
// folder named as its language file ("english") when it holds a template,
// else the templates folder itself, whose templates speak Polish. A printout
// in one language then never mixes in the words of another.
std::filesystem::path language_template_folder(const Plan& plan);

// Makes an output name safe as a single file name inside the printouts
// folder: path and reserved characters become "_", control characters go,
// and a name of dots only (or nothing) becomes "document".
std::string czysc_nazwe_pliku(const std::string& name);

// The tag conversion over the body lines (ASCII brackets to "‹" "›", one
// line per opening tag, closing tags end their line; blank lines dropped
// for "htm").
std::vector<std::string> konwertuj_tagi(const std::vector<std::string>& lines, const std::string& type);

// The body of a template ready for the tree: header and comment lines
// dropped, tags converted, lines joined with "\n"; an empty tag appended
// when there is none. Empty when the file cannot be read.
std::string przygotuj_tresc(const szablon& t);
// The same over lines already read.
std::string przygotuj_tresc(const std::vector<std::string>& lines, const szablon& t);

// A template file: a plain file within the template bound whose header block
// <HEADER>…</HEADER> is closed. A printout copies its body into the document,
// so any other file (a system file, a month, a picture) is refused.
bool is_template_file(const std::filesystem::path& path);

// Does the same header rules over lines already read; FILE_NAME is expanded
// only when `plan` is given.
void parse_header(const std::vector<std::string>& lines, szablon& t, const Plan* plan);

}  // namespace planek
