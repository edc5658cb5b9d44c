#include "settings/language_install.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

bool same_place(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace

fs::path shipped_language_folder(const fs::path& exe_folder) {
    if (exe_folder.empty()) return {};
    std::error_code ec;
    fs::path dir = exe_folder;
    for (int up = 0; up < 3; ++up) {
        if (fs::is_regular_file(dir / "lang" / "polski.lng", ec)) return dir / "lang";
        if (fs::is_regular_file(dir / "share" / "planek" / "lang" / "polski.lng", ec))  // installed
            return dir / "share" / "planek" / "lang";
        if (!dir.has_parent_path() || dir.parent_path() == dir) break;
        dir = dir.parent_path();
    }
    return {};
}

int install_language_files(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (!fs::is_directory(to, ec)) return -1;
    int copied = 0;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& src = it->path();
        if (src.extension() != ".lng" || !fs::is_regular_file(src, ec)) continue;
        fs::path dst = to / src.filename();
        if (fs::exists(dst, ec) && fs::last_write_time(dst, ec) >= fs::last_write_time(src, ec)) continue;
        if (!fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec)) return -1;
        ++copied;
    }
    return ec ? -1 : copied;
}

fs::path running_program_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

int ensure_language_files(const fs::path& lang_folder) {
    fs::path shipped = shipped_language_folder(running_program_folder());
    if (shipped.empty() || lang_folder.empty() || same_place(shipped, lang_folder)) return 0;
    return install_language_files(shipped, lang_folder);
}

}  // namespace planek
