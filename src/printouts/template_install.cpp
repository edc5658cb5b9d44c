#include "printouts/template_install.h"

#include "printouts/template_text.h"

namespace planek {
namespace fs = std::filesystem;

namespace {

bool is_template(const fs::path& p) {
    std::error_code ec;
    return lower_text(p.extension().string()) == ".wzr" && fs::is_regular_file(p, ec);
}

bool holds_templates(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (is_template(it->path())) return true;
    return false;
}

}  // namespace

fs::path shipped_template_folder(const fs::path& exe_folder) {
    if (exe_folder.empty()) return {};
    fs::path dir = exe_folder;
    for (int up = 0; up < 3; ++up) {
        if (holds_templates(dir / "templates")) return dir / "templates";
        if (holds_templates(dir / "share" / "planek" / "templates")) return dir / "share" / "planek" / "templates";
        if (!dir.has_parent_path() || dir.parent_path() == dir) break;
        dir = dir.parent_path();
    }
    return {};
}

int install_templates(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (!fs::is_directory(to, ec)) return -1;
    if (fs::equivalent(from, to, ec)) return 0;
    int copied = 0;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& src = it->path();
        if (std::error_code e2; fs::is_directory(src, e2) && holds_templates(src)) {
            const int inside = install_templates(src, to / src.filename());
            if (inside < 0) return -1;
            copied += inside;
            continue;
        }
        if (!is_template(src)) continue;
        fs::path dst = to / src.filename();
        std::error_code e2;
        if (fs::exists(dst, e2)) continue;
        if (!fs::copy_file(src, dst, e2)) return -1;
        ++copied;
    }
    return ec ? -1 : copied;
}

}  // namespace planek
