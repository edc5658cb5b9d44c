#pragma once
// The staff file inside its archive kadra.inr, and the copies it can be
// taken from when the archive does not read whole.
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "core/plan.h"
#include "files/archive.h"

namespace planek {

inline constexpr const char* kStaffMember = "kadra.ini";
inline constexpr const char* kStaffArchive = "kadra.inr";

// The staff file held in a staff archive, read whole and checked (CRC,
// stated size, the staff file's bound); no other member is inflated.
archive_check read_staff_member(const std::filesystem::path& archive, std::string& bytes);

// A copy of the staff that reads whole: kadra.inr.bak, kadra.inr.err, or
// the kadra.inr kept in one of the backup archives.
struct staff_copy {
    std::filesystem::path file;  // the copy, or the backup archive holding one
    bool inBackup = false;
    std::string bytes;           // the staff file it holds
    std::time_t written = 0;     // when the copy was made
};

// The newest copy whose staff read whole, if any.
std::optional<staff_copy> newest_good_staff_copy(const Plan& plan);

// "kadra.inr.bak (14.03.2026 10:20)", "backup_2026-03-01.bak (…)": the copy
// as the user is offered it.
std::string staff_copy_text(const Plan& plan, const staff_copy& copy);

}  // namespace planek
