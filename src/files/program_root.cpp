#include "files/program_root.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "core/file_io.h"
#include "core/system_error_text.h"
#include "files/root_seed.h"
#include "settings/message_format.h"

namespace planek {

namespace fs = std::filesystem;

fs::path executable_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

fs::path default_program_root(const fs::path& exe_folder, const char* xdg_data_home, const char* home) {
    std::error_code ec;
    // An installed program's bin/ is no portable copy, even where it can be
    // written to (as root under /usr/local).
    if (!exe_folder.empty() &&
        (fs::is_directory(exe_folder / "dane", ec) ||
         (::access(exe_folder.c_str(), W_OK) == 0 && installed_data_folder(exe_folder).empty())))
        return exe_folder;
    // Per the XDG rules a relative value is to be ignored.
    if (xdg_data_home && *xdg_data_home && fs::path(xdg_data_home).is_absolute())
        return fs::path(xdg_data_home) / "planek";
    if (home && *home) return fs::path(home) / ".local" / "share" / "planek";
    return fs::current_path(ec) / "planek";
}

std::optional<fs::path> root_of_month_file(const fs::path& file) {
    std::error_code ec;
    const fs::path absolute = fs::weakly_canonical(fs::absolute(file, ec), ec);
    if (ec) return std::nullopt;
    // The data folder's name is fixed (Paths::local); a "dane" further up
    // is some other folder of the same name.
    const fs::path folder = absolute.parent_path();
    if (folder.filename() != "dane") return std::nullopt;
    return folder.parent_path();
}

io_result open_program_root(Plan& plan, const std::optional<fs::path>& root, bool mayCreate,
                            const Translator* tr) {
    fs::path chosen = root ? *root
                           : default_program_root(executable_folder(), std::getenv("XDG_DATA_HOME"),
                                                  std::getenv("HOME"));
    std::error_code ec;
    fs::path absolute = fs::absolute(chosen, ec);
    if (!ec) chosen = absolute.lexically_normal();
    plan.paths = Paths::local(chosen);
    const bool firstStart = !fs::exists(plan.paths.data, ec);
    if (firstStart && !mayCreate)
        return {fill_message(plan.tr.msg("msg_NoProgramFolder",
                                         "Folder %s nie jest folderem programu: nie ma w nim folderu danych „dane”."),
                             {plan.paths.root.string()})};
    fs::create_directories(plan.paths.data, ec);
    if (ec || !fs::is_directory(plan.paths.data, ec))
        // Said before the folder's language is read: in the caller's.
        return {file_message(tr, "msg_DataFolderNotMade", "Nie można utworzyć folderu danych „%s”%s.",
                             {plan.paths.data.string(), ec ? ": " + system_error_text(ec, tr) : std::string()})};
    if (firstStart)
        seed_program_root(plan.paths, executable_folder());
    else
        ensure_templates(plan.paths, executable_folder());
    return {};
}

}  // namespace planek
