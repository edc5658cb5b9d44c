#pragma once
// splitmix64: the same numbers from the same seed on every platform and
// standard library, which the library's distributions do not promise. For
// what must repeat exactly from a seed (a generated ward, a search run).
#include <cstdint>
#include <vector>

namespace planek {

class seeded_random {
public:
    explicit seeded_random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number in 0 .. n-1 (0 when n <= 0).
    int below(int n) { return n <= 0 ? 0 : int(next() % std::uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T>
    const T& pick(const std::vector<T>& v) {
        return v[size_t(below(int(v.size())))];
    }

private:
    std::uint64_t state_;
};

}  // namespace planek
