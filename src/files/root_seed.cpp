#include "files/root_seed.h"

#include <system_error>
#include <utility>
#include <vector>

namespace planek {

namespace fs = std::filesystem;

namespace {

// Copies the files of `from` with the extension into `to`, skipping names
// `to` already holds.
int copy_missing(const fs::path& from, const fs::path& to, const std::string& extension) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return 0;
    fs::create_directories(to, ec);
    if (!fs::is_directory(to, ec)) return -1;
    int copied = 0;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& src = it->path();
        if (src.extension() != extension || !fs::is_regular_file(src, ec)) continue;
        const fs::path dst = to / src.filename();
        if (fs::exists(dst, ec)) continue;
        if (!fs::copy_file(src, dst, ec)) return -1;
        ++copied;
    }
    return ec ? -1 : copied;
}

bool holds_any(const fs::path& folder, const std::string& extension) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == extension) return true;
    return false;
}

// The shipped templates folder and its language subfolders, each with the
// folder of the root it goes to.
std::vector<std::pair<fs::path, fs::path>> template_folders(const fs::path& shipped, const fs::path& root) {
    std::vector<std::pair<fs::path, fs::path>> folders{{shipped, root}};
    std::error_code ec;
    for (fs::directory_iterator it(shipped, ec), end; !ec && it != end; it.increment(ec))
        if (std::error_code e2; fs::is_directory(it->path(), e2))
            folders.emplace_back(it->path(), root / it->path().filename());
    return folders;
}

}  // namespace

fs::path installed_data_folder(const fs::path& exe_folder) {
    if (exe_folder.empty() || exe_folder.filename() != "bin") return {};
    const fs::path shared = exe_folder.parent_path() / "share" / "planek";
    std::error_code ec;
    return fs::is_directory(shared, ec) ? shared : fs::path();
}

fs::path shipped_data_folder(const fs::path& exe_folder) {
    if (fs::path installed = installed_data_folder(exe_folder); !installed.empty()) return installed;
    if (exe_folder.empty()) return {};
    const fs::path built = exe_folder / "share" / "planek";
    std::error_code ec;
    return fs::is_directory(built, ec) ? built : fs::path();
}

int seed_program_root(const Paths& paths, const fs::path& exe_folder) {
    const fs::path shared = shipped_data_folder(exe_folder);
    if (shared.empty()) return 0;
    const int languages = copy_missing(shared / "lang", paths.lang, ".lng");
    if (languages < 0) return -1;
    int templates = 0;
    for (const auto& [from, to] : template_folders(shared / "templates", paths.templates)) {
        const int n = copy_missing(from, to, ".wzr");
        if (n < 0) return -1;
        templates += n;
    }
    return languages + templates;
}

int ensure_templates(const Paths& paths, const fs::path& exe_folder) {
    const fs::path shared = shipped_data_folder(exe_folder);
    if (shared.empty()) return 0;
    // Each folder on its own: a language's templates come to a root that had
    // only the Polish ones, and a folder with a template keeps its choice.
    int copied = 0;
    for (const auto& [from, to] : template_folders(shared / "templates", paths.templates)) {
        if (holds_any(to, ".wzr")) continue;
        const int n = copy_missing(from, to, ".wzr");
        if (n < 0) return -1;
        copied += n;
    }
    return copied;
}

}  // namespace planek
