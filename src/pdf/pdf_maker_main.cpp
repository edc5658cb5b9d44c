// planek-pdf html|text TITLE: the printout's bytes on standard input, its PDF
// on standard output. The command line runs it for --pdf, so that only this
// small program, not every command, loads Qt and the libraries under it. It
// says nothing: the command line tells the user, in the session's language,
// what its exit status means.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "pdf/html_pdf.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string kind = argv[1];
    if (kind != "html" && kind != "text") return 2;
    const std::string bytes{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    if (std::cin.bad()) return 1;
    const std::string pdf = planek::pdf_of_printout(bytes, kind == "html", argv[2]);
    if (pdf.empty()) return 1;
    if (std::fwrite(pdf.data(), 1, pdf.size(), stdout) != pdf.size() || std::fflush(stdout) != 0) return 1;
    return 0;
}
