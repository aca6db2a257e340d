#pragma once

#include <cstdint>
#include <vector>

namespace engine {

// A real number to a fixed number of binary places, as many as asked: a
// sign and a whole number of units, each unit 2^(-32 places). It serves the
// rare argument whose correct rounding double-double arithmetic cannot
// decide, so it is written for plainness rather than speed. Numbers meeting
// in one operation have the same places.
class WideFixed {
  public:
    // Zero, with `places` 32-bit words after the point.
    explicit WideFixed(int places);

    // x, truncated toward zero to the places: exact when x's last bit is
    // no finer than a unit.
    static WideFixed fromDouble(double x, int places);
    // 2^bits units, bits >= 0.
    static WideFixed units(int places, int bits);

    int places() const { return places_; }
    bool isNegative() const { return negative_; }
    bool isZero() const;

    WideFixed operator-() const;
    WideFixed operator+(const WideFixed& other) const; // exact
    WideFixed operator-(const WideFixed& other) const; // exact
    // Truncated toward zero: less than a unit from the product.
    WideFixed operator*(const WideFixed& other) const;
    WideFixed times(std::uint32_t factor) const; // exact
    // Truncated toward zero: less than a unit from the quotient.
    WideFixed dividedBy(std::uint32_t divisor) const;
    // Times 2^bits, exactly for bits >= 0, truncated toward zero for bits < 0.
    WideFixed shifted(int bits) const;

    // -1, 0 or 1 as |this| is below, equal to or above |other|.
    int compareMagnitude(const WideFixed& other) const;
    bool operator<(const WideFixed& other) const;

    // The nearest double, ties to even; the value's magnitude must be within
    // the normal doubles or zero.
    double toDouble() const;

  private:
    WideFixed(int places, bool negative, std::vector<std::uint32_t> words);
    void trim();
    int bitLength() const;
    // The count bits (at most 64) from bit low upwards.
    std::uint64_t bitsFrom(int low, int count) const;
    bool anyBitBelow(int position) const;

    int places_;
    bool negative_ = false;
    std::vector<std::uint32_t> words_; // the units, least significant word first
};

} // namespace engine
