#pragma once
// The most each reader takes in. A file over its bound is refused before it
// is parsed (its size is known from the file system, its lines counted in one
// pass), so a damaged or hostile file costs a moment and a few megabytes
// however large it is. Every bound sits well above what a hospital of 10 000
// workers keeps: the 1 200-worker ward `planek-cli generate` builds needs
// below 3 % of any of them.
#include <cstddef>
#include <cstdint>

namespace planek {

struct read_bound {
    std::uintmax_t bytes;
    std::size_t lines;
};

inline constexpr std::uintmax_t kMegabyte = 1u << 20;

// Any file read whole without a parser of its own (copies, fingerprints,
// members of a backup archive).
inline constexpr read_bound kAnyFileBound{64 * kMegabyte, SIZE_MAX};
// A month file: a 1 200-worker month is 0.8 MB in 23 000 lines.
inline constexpr read_bound kMonthFileBound{32 * kMegabyte, 1'000'000};
// The staff file: a worker is one line of about 150 bytes.
inline constexpr read_bound kStaffFileBound{16 * kMegabyte, 200'000};
// The group file: 40 groups and their shifts take 150 lines, 7 KB.
inline constexpr read_bound kGroupFileBound{4 * kMegabyte, 100'000};
// Profile files read through IniFile: the configuration, net.ini, the user's
// settings, the Sunday record (a section of a line per year for every worker).
inline constexpr read_bound kIniFileBound{16 * kMegabyte, 500'000};
// Language files and printout templates.
inline constexpr read_bound kLanguageFileBound{4 * kMegabyte, 100'000};
inline constexpr read_bound kTemplateFileBound{16 * kMegabyte, 500'000};
// The small files of saves and locks.
inline constexpr read_bound kJournalBound{1 * kMegabyte, 1'000};
inline constexpr read_bound kLockFileBound{64 * 1024, 100};

}  // namespace planek
