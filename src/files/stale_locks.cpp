#include "files/stale_locks.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "core/lock_file.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

bool ends_with_text(const std::string& s, const std::string& tail) {
    return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Our naming: "<file>.lock" and "<file>.saving" for some file name.
bool is_lock_name(const fs::path& p) {
    const std::string name = p.filename().string();
    return ends_with_text(name, ".lock") || ends_with_text(name, ".saving");
}

bool older_than(const fs::path& file, std::chrono::seconds age) {
    std::error_code ec;
    const auto written = fs::last_write_time(file, ec);
    return !ec && fs::file_time_type::clock::now() - written >= age;
}

bool empty_file(const fs::path& file) {
    std::error_code ec;
    return fs::file_size(file, ec) == 0 && !ec;
}

}  // namespace

std::vector<stale_lock> remove_stale_locks(const std::vector<fs::path>& folders, std::chrono::seconds min_age) {
    std::vector<stale_lock> removed;
    std::set<fs::path> seen;
    for (const fs::path& folder : folders) {
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec) || !seen.insert(fs::weakly_canonical(folder, ec)).second)
            continue;
        std::vector<fs::path> candidates;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code fileEc;
            if (it->is_regular_file(fileEc) && is_lock_name(it->path())) candidates.push_back(it->path());
        }
        std::sort(candidates.begin(), candidates.end());
        for (const fs::path& lock : candidates) {
            const std::optional<lock_owner> owner = read_lock_file(lock);
            // A file of that name that is not ours, and not empty, is somebody else's business.
            const bool gone = owner ? process_gone(*owner) : empty_file(lock) && older_than(lock, min_age);
            if (!gone) continue;
            std::error_code removeEc;
            if (fs::remove(lock, removeEc)) removed.push_back({lock, owner ? owner->pid : 0});
        }
    }
    return removed;
}

}  // namespace planek
