#include "core/paths.h"

namespace planek {

Paths Paths::local(const std::filesystem::path& root) {
    Paths p;
    p.root = root;
    p.data = root / "dane";
    p.config = p.data;
    p.templates = root / "templates";
    p.printouts = root / "wydruki";
    p.backup = p.data / "backup";
    p.lang = root / "lang";
    return p;
}

}  // namespace planek
