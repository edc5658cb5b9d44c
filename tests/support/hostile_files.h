#pragma once
// Files as damage, a killed copy or a hostile sender leave them: ZIP
// archives whose headers lie and month files cut short. Every reader is
// tried on them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace planek::test {

// A good ZIP of the members (name, bytes), as the archive component writes it.
std::string zip_bytes(const std::vector<std::pair<std::string, std::string>>& members);

// Both stated sizes of every member halved, as in a staff archive that once
// loaded half its workers without a word.
std::string with_halved_sizes(std::string zip);
// Only the inflated size changed, in both headers.
std::string with_inflated_size(std::string zip, std::uint32_t inflated);
// One byte of the first member's compressed data changed, as a bad sector
// or a flaky copy would.
std::string with_changed_data_byte(std::string zip);

// Writes a ZIP with `name` holding `size` zero bytes (compressed as it is
// written, never held in memory) after the members given.
void write_zip_with_zeros(const std::filesystem::path& file,
                          const std::vector<std::pair<std::string, std::string>>& members, const std::string& name,
                          std::uint64_t size);

// The four ways a month file is found cut: at a line break about `share` of
// the way in, inside a line there, just after its first two sections, and
// empty.
struct cut_month {
    std::string name;
    std::string bytes;
};
std::vector<cut_month> cuts_of(const std::string& month, double share = 0.45);

}  // namespace planek::test
