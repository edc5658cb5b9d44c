#pragma once
#include <cstdint>
#include <random>

namespace planek {

// The one random source of a plan; seeded, so a scheduler run can be repeated.
class Random {
public:
    explicit Random(std::uint64_t seed = std::random_device{}()) : engine_(seed) {}
    void seed(std::uint64_t s) { engine_.seed(s); }
    // A whole number in 0 .. n-1 (0 when n <= 0).
    int below(int n) {
        if (n <= 0) return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(engine_);
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace planek
