#include "practice/SplitMix64.h"

namespace practice {

std::uint64_t SplitMix64::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

std::uint64_t SplitMix64::below(std::uint64_t count) {
    const std::uint64_t uneven = (0 - count) % count; // 2^64 mod count
    std::uint64_t drawn = next();
    while (drawn < uneven)
        drawn = next();
    return drawn % count;
}

} // namespace practice
