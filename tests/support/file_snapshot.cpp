#include "support/file_snapshot.h"

#include "files/archive.h"
#include "support/temp_dir.h"

namespace planek::test {

namespace fs = std::filesystem;

std::string comparable_content(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return "<none>";
    if (file.extension() != ".inr" && file.extension() != ".bak") return read_file(file);
    std::vector<archive_member> members;
    if (!archive_read(file, members)) return "<unreadable archive>";
    std::string s;
    for (const auto& m : members) s += m.name + "\n" + m.bytes + "\n";
    return s;
}

std::vector<std::string> comparable_contents(const std::vector<fs::path>& files) {
    std::vector<std::string> s;
    for (const fs::path& f : files) s.push_back(comparable_content(f));
    return s;
}

folder_files comparable_files(const fs::path& folder) {
    folder_files files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[e.path()] = comparable_content(e.path());
    return files;
}

folder_files raw_files(const fs::path& folder) {
    folder_files files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[e.path()] = read_file(e.path());
    return files;
}

void restore_files(const fs::path& folder, const folder_files& files) {
    std::vector<fs::path> extra;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file() && !files.count(e.path())) extra.push_back(e.path());
    for (const auto& p : extra) fs::remove(p);
    for (const auto& [p, bytes] : files) write_file(p, bytes);
}

}  // namespace planek::test
