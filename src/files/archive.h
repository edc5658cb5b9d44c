#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"

namespace planek {

// The archive component behind the staff file and the backups: a standard
// ZIP written with libzip. Members are stored under their bare file names;
// on the way out every folder part of a member name is dropped, so nothing
// can land outside the target folder.

// One file held in memory, for archives built without a plain copy on disk.
struct archive_member {
    std::string name;   // bare file name inside the archive
    std::string bytes;  // contents as stored
};

// Members larger than this, or archives whose members add up to more, are
// refused as damaged rather than read into memory.
inline constexpr std::uint64_t kMaxMemberSize = 256ull << 20;
inline constexpr std::uint64_t kMaxArchiveSize = 1ull << 30;
inline constexpr std::uint64_t kMaxMembers = 100000;

// Packs the given files (each under its bare name) into `archive`. The
// archive is built in memory and written like any file (write_bytes: a
// unique temporary name, fsync, rename over the old one, folder fsync), so a
// failure leaves the old archive whole.
io_result archive_pack(const std::vector<std::filesystem::path>& files, const std::filesystem::path& archive);

// The same from contents held in memory.
io_result archive_pack_members(const std::vector<archive_member>& members, const std::filesystem::path& archive);
// The archive those members make, in memory only (`archive` names it in errors).
io_result archive_bytes(const std::vector<archive_member>& members, const std::filesystem::path& archive,
                        std::string& bytes);

// Reads every file member of `archive` into memory, names stripped to their
// last part; folder members and names that strip to nothing are skipped.
io_result archive_read(const std::filesystem::path& archive, std::vector<archive_member>& members);

// Unpacks `archive` into `target`. Every member is read and checked before
// the first file is written, so a damaged archive writes nothing.
// `written` receives the paths written, in archive order.
io_result archive_unpack(const std::filesystem::path& archive, const std::filesystem::path& target,
                         std::vector<std::filesystem::path>* written = nullptr);

// The last part of a member name ("../x", "/etc/x", "a\\b\\x" give "x");
// empty for a folder or for "." and "..".
std::string archive_bare_name(const std::string& member_name);

}  // namespace planek
