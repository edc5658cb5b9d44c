#include "core/system_error_text.h"

#include <cerrno>
#include <cstring>

#include "core/translator.h"

namespace planek {

namespace {

struct known_reason {
    int err;
    const char* key;
    const char* polish;
};

// The failures a user meets at files and folders; the rest are rare enough
// to stay in the system's words.
constexpr known_reason kReasons[] = {
    {ENOENT, "msg_SysNoSuchFile", "nie ma takiego pliku ani folderu"},
    {EACCES, "msg_SysAccessDenied", "brak uprawnień"},
    {EPERM, "msg_SysNotPermitted", "operacja niedozwolona"},
    {EROFS, "msg_SysReadOnlyFileSystem", "system plików tylko do odczytu"},
    {ENOSPC, "msg_SysNoSpace", "brak miejsca na dysku"},
    {EDQUOT, "msg_SysQuota", "przekroczony przydział miejsca na dysku"},
    {EISDIR, "msg_SysIsFolder", "to jest folder"},
    {ENOTDIR, "msg_SysNotFolder", "część ścieżki nie jest folderem"},
    {EEXIST, "msg_SysExists", "plik już istnieje"},
    {ENOTEMPTY, "msg_SysFolderNotEmpty", "folder nie jest pusty"},
    {EIO, "msg_SysIoError", "błąd wejścia/wyjścia"},
    {ENAMETOOLONG, "msg_SysNameTooLong", "za długa nazwa pliku"},
    {EMFILE, "msg_SysTooManyOpen", "za dużo otwartych plików"},
    {ENFILE, "msg_SysTooManyOpen", "za dużo otwartych plików"},
    {EBUSY, "msg_SysBusy", "plik albo urządzenie jest zajęte"},
    {EXDEV, "msg_SysOtherDevice", "plik leży na innym urządzeniu"},
    {ELOOP, "msg_SysLinkLoop", "za dużo dowiązań symbolicznych"},
    {EFBIG, "msg_SysFileTooBig", "plik za duży"},
};

}  // namespace

std::string system_error_text(int err, const Translator* tr) {
    for (const known_reason& r : kReasons)
        if (r.err == err) return tr ? tr->msg(r.key, r.polish) : r.polish;
    return std::strerror(err);
}

std::string system_error_text(const std::error_code& ec, const Translator* tr) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return system_error_text(ec.value(), tr);
    return ec.message();
}

}  // namespace planek
