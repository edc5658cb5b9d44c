#include "cli/standard_output.h"

#include <stdlib.h>

#include <ostream>
#include <system_error>

#include "core/file_io.h"
#include "core/translator.h"

namespace planek::cli {

namespace fs = std::filesystem;

bool is_standard_output(const fs::path& requested) { return requested == "-"; }

output_target::output_target(const fs::path& requested, const std::string& name)
    : toStdout_(is_standard_output(requested)), path_(requested) {
    if (!toStdout_) return;
    // A folder of its own, so no other program's file is ever read back or removed.
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "planek-cli-XXXXXX").string();
    if (ec || !::mkdtemp(pattern.data())) pattern = (fs::current_path(ec) / "planek-cli-out").string();
    scratch_ = pattern;
    fs::create_directories(scratch_, ec);
    path_ = scratch_ / name;
}

output_target::~output_target() {
    if (!toStdout_) return;
    std::error_code ec;
    fs::remove_all(scratch_, ec);
}

bool output_target::deliver(std::ostream& out, const fs::path& written, const Translator& tr,
                            std::string& error) const {
    if (!toStdout_) {
        out << written.string() << "\n";
        return true;
    }
    std::string bytes;
    if (!read_bytes(written, bytes, error, kAnyFileBound, &tr)) return false;
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.flush();
    if (out) return true;
    error = tr.tr("cli", "cli_StandardOutputFailed",
                  "Nie udało się wypisać pliku na standardowe wyjście (zamknięty potok albo pełny dysk).");
    return false;
}

}  // namespace planek::cli
