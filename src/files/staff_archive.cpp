#include "files/staff_archive.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <vector>

#include "files/file_problems.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// A backup holds whole ward folders; the newest few are enough to find a
// good staff, and trying every one of years of backups would stall a start.
constexpr size_t kBackupsTried = 8;

std::time_t written_at(const fs::path& file) {
    std::error_code ec;
    const auto t = fs::last_write_time(file, ec);
    if (ec) return 0;
    return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(t));
}

bool is_file(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// The backup archives of the data folder, newest first.
std::vector<fs::path> backups_newest_first(const Plan& plan) {
    std::vector<std::pair<std::time_t, fs::path>> found;
    std::error_code ec;
    for (fs::directory_iterator it(plan.paths.backup, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (it->path().extension() == ".bak" && it->is_regular_file(fileEc))
            found.emplace_back(written_at(it->path()), it->path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<fs::path> out;
    for (const auto& f : found) out.push_back(f.second);
    return out;
}

std::optional<staff_copy> from_backup(const fs::path& backup) {
    std::string inner, bytes;
    if (!archive_read_member(backup, kStaffArchive, inner).ok()) return std::nullopt;
    if (!archive_read_member_bytes(inner, kStaffMember, bytes, kStaffFileBound.bytes).ok()) return std::nullopt;
    return staff_copy{backup, true, std::move(bytes), written_at(backup)};
}

}  // namespace

archive_check read_staff_member(const fs::path& archive, std::string& bytes) {
    return archive_read_member(archive, kStaffMember, bytes, kStaffFileBound.bytes);
}

std::optional<staff_copy> newest_good_staff_copy(const Plan& plan) {
    std::optional<staff_copy> best;
    auto consider = [&](std::optional<staff_copy> c) {
        if (c && (!best || c->written > best->written)) best = std::move(c);
    };
    const fs::path inr = plan.paths.data / kStaffArchive;
    for (const char* ext : {".bak", ".err"}) {
        fs::path copy = inr;
        copy += ext;
        std::string bytes;
        if (is_file(copy) && read_staff_member(copy, bytes).ok())
            consider(staff_copy{copy, false, std::move(bytes), written_at(copy)});
    }
    const std::vector<fs::path> backups = backups_newest_first(plan);
    for (size_t i = 0; i < backups.size() && i < kBackupsTried; ++i)
        if (std::optional<staff_copy> c = from_backup(backups[i])) {
            consider(std::move(c));
            break;  // the newest good backup; older ones cannot be newer
        }
    return best;
}

std::string staff_copy_text(const Plan& plan, const staff_copy& copy) {
    std::tm tm{};
    localtime_r(&copy.written, &tm);
    char when[32];
    std::strftime(when, sizeof when, "%d.%m.%Y %H:%M", &tm);
    const std::string name = copy.file.filename().string();
    if (!copy.inBackup) return name + " (" + when + ")";
    return fill_text(plan.tr.msg("msg_StaffCopyInBackup", "kadra.inr z archiwum %s (%s)"), {name, when});
}

}  // namespace planek
