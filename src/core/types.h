#pragma once
#include <cstdint>

namespace planek {

// Widths of the stored records. A field keeps its width where stored files
// depend on it; counters that could wrap are widened where they are used.
using word = std::uint16_t;
using smallint = std::int16_t;
using byte = std::uint8_t;
// A colour as the stored files keep it: 0x00BBGGRR (low byte red).
using colour = std::uint32_t;

constexpr colour rgb(int r, int g, int b) {
    return colour(r & 0xFF) | (colour(g & 0xFF) << 8) | (colour(b & 0xFF) << 16);
}

constexpr int kMaxDays = 31;
constexpr byte kNoHead = 255;

}  // namespace planek
