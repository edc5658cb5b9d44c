#pragma once
// "-o -": a command's one output file goes to standard output. The writers
// all finish through the safe write to a named file, so the file is written
// to a private scratch folder and its bytes are then copied out; nothing else
// is printed on standard output then, so a pipe gets the file alone.
#include <filesystem>
#include <iosfwd>
#include <string>

namespace planek {
class Translator;
}

namespace planek::cli {

bool is_standard_output(const std::filesystem::path& requested);

class output_target {
public:
    // `name` is the scratch file's name (its extension tells some writers
    // the format); it is used only for "-".
    output_target(const std::filesystem::path& requested, const std::string& name);
    ~output_target();
    output_target(const output_target&) = delete;
    output_target& operator=(const output_target&) = delete;

    bool to_standard_output() const { return toStdout_; }
    // Where the writer writes: the file asked for, or the scratch file.
    const std::filesystem::path& path() const { return path_; }
    // The folder a writer that names its own file writes into.
    std::filesystem::path folder() const { return scratch_; }
    // Once the writer wrote `written`: standard output gets its bytes, a file
    // its name on a line. False, with the reason in `error` in the language
    // of `tr`, when the scratch file cannot be read back or standard output
    // takes no more (a closed pipe, a full disk).
    bool deliver(std::ostream& out, const std::filesystem::path& written, const Translator& tr,
                 std::string& error) const;
    bool deliver(std::ostream& out, const Translator& tr, std::string& error) const {
        return deliver(out, path_, tr, error);
    }

private:
    bool toStdout_ = false;
    std::filesystem::path scratch_;
    std::filesystem::path path_;
};

}  // namespace planek::cli
