#include "support/save_leftovers.h"

#include <chrono>

#include "core/file_io.h"
#include "files/save_journal.h"

namespace planek::test {

namespace fs = std::filesystem;

bool is_save_leftover(const fs::path& file) { return is_temporary_name(file) || is_journal_name(file); }

void age_save_leftovers(const fs::path& folder) {
    for (const fs::path& p : save_leftovers(folder))
        fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::minutes(2));
}

std::vector<fs::path> save_leftovers(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file() && is_save_leftover(e.path())) found.push_back(e.path());
    return found;
}

}  // namespace planek::test
