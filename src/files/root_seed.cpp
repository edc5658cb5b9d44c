#include "files/root_seed.h"

#include <system_error>

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
    const int templates = copy_missing(shared / "templates", paths.templates, ".wzr");
    if (languages < 0 || templates < 0) return -1;
    return languages + templates;
}

int ensure_templates(const Paths& paths, const fs::path& exe_folder) {
    if (holds_any(paths.templates, ".wzr")) return 0;
    const fs::path shared = shipped_data_folder(exe_folder);
    if (shared.empty()) return 0;
    return copy_missing(shared / "templates", paths.templates, ".wzr");
}

}  // namespace planek
