#pragma once

#include <cstdint>

namespace practice {

// The exercises' random numbers, the same on every machine and in the
// browser: integer arithmetic only, never the standard library's
// distributions, which differ between implementations.
//
// SplitMix64 (Steele, Lea and Flood, 2014), as Vigna's reference code writes
// it: the state advances by 0x9E3779B97F4A7C15 and each output is the state
// mixed by z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9, z = (z ^ (z >> 27)) *
// 0x94D049BB133111EB, z ^ (z >> 31), all modulo 2^64.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();

    // A whole number from 0 to count - 1 (count > 0), each equally likely:
    // an output below 2^64 mod count is drawn again, then taken modulo count.
    std::uint64_t below(std::uint64_t count);

  private:
    std::uint64_t state_;
};

} // namespace practice
