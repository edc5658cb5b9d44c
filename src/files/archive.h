#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/translator.h"

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
// refused before anything is inflated. A member is far larger than the
// staff of 10 000 workers; an unpacked backup of a ward's whole data folder
// stays far below the sum.
inline constexpr std::uint64_t kMaxMemberSize = 64ull << 20;
inline constexpr std::uint64_t kMaxArchiveSize = 256ull << 20;
inline constexpr std::uint64_t kMaxMembers = 100000;

// Why an archive could not be read. Every member read is checked whole: its
// inflated bytes against the size the archive states (not one byte more or
// less) and against its CRC, so a cut, patched or lying archive never gives
// part of a file for the whole.
enum class archive_fault {
    none,
    missing,           // no such file
    not_an_archive,    // libzip cannot open it at all (or its headers disagree)
    damaged,           // a member fails its CRC, inflates wrong or to another size than stated
    too_large,         // a member (or all together) over the bound, refused before inflating
    too_many_members,
    no_member,         // the member asked for is not there
};
struct archive_check {
    archive_fault fault = archive_fault::none;
    std::string member;  // the member at fault
    std::string detail;  // libzip's own words, when it gave some
    bool ok() const { return fault == archive_fault::none; }
};
// The fault as the user reads it, naming the archive, in the language of `tr`.
std::string archive_fault_text(const Translator& tr, const std::filesystem::path& archive, const archive_check& c);

// Reads the one member whose bare name is `name` (letter case aside), no
// larger than `bound`; nothing else of the archive is inflated.
archive_check archive_read_member(const std::filesystem::path& archive, const std::string& name, std::string& bytes,
                                  std::uint64_t bound = kMaxMemberSize);
// The same for an archive held in memory (one kept inside a backup archive).
archive_check archive_read_member_bytes(const std::string& zip, const std::string& name, std::string& bytes,
                                        std::uint64_t bound = kMaxMemberSize);

// Packs the given files (each under its bare name) into `archive`. The
// archive is built in memory and written like any file (write_bytes: a
// unique temporary name, fsync, rename over the old one, folder fsync), so a
// failure leaves the old archive whole.
// Its errors, as those below, are in the language of `tr`.
io_result archive_pack(const std::vector<std::filesystem::path>& files, const std::filesystem::path& archive,
                       const Translator* tr = nullptr);

// The same from contents held in memory.
io_result archive_pack_members(const std::vector<archive_member>& members, const std::filesystem::path& archive,
                               const Translator* tr = nullptr);
// The bytes such an archive holds, without writing it (`archive` names it in
// the errors).
io_result archive_bytes(const std::vector<archive_member>& members, const std::filesystem::path& archive,
                        std::string& bytes, const Translator* tr = nullptr);

// Reads every file member of `archive` into memory, names stripped to their
// last part; folder members and names that strip to nothing are skipped.
io_result archive_read(const std::filesystem::path& archive, std::vector<archive_member>& members,
                       const Translator* tr = nullptr);

// Unpacks `archive` into `target`. Every member is read and checked before
// the first file is written, so a damaged archive writes nothing.
// `written` receives the paths written, in archive order.
io_result archive_unpack(const std::filesystem::path& archive, const std::filesystem::path& target,
                         std::vector<std::filesystem::path>* written = nullptr, const Translator* tr = nullptr);

// The last part of a member name ("../x", "/etc/x", "a\\b\\x" give "x");
// empty for a folder or for "." and "..".
std::string archive_bare_name(const std::string& member_name);

}  // namespace planek
