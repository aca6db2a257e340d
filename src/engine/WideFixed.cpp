#include "engine/WideFixed.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace engine {

namespace {

constexpr int kWordBits = 32;
constexpr int kDoubleDigits = 53;

using Words = std::vector<std::uint32_t>;

std::uint32_t low32(std::uint64_t x) {
    return static_cast<std::uint32_t>(x);
}

int compareWords(const Words& a, const Words& b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return 0;
}

Words addWords(const Words& a, const Words& b) {
    Words sum(std::max(a.size(), b.size()) + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        carry += (i < a.size() ? a[i] : 0u) + std::uint64_t(i < b.size() ? b[i] : 0u);
        sum[i] = low32(carry);
        carry >>= kWordBits;
    }
    return sum;
}

// a - b for a >= b.
Words subtractWords(const Words& a, const Words& b) {
    Words difference(a.size(), 0);
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t d = std::int64_t(a[i]) - (i < b.size() ? b[i] : 0u) - borrow;
        borrow = d < 0 ? 1 : 0;
        difference[i] = low32(std::uint64_t(d + (borrow << kWordBits)));
    }
    return difference;
}

} // namespace

WideFixed::WideFixed(int places) : places_(places), words_(std::size_t(places) + 1, 0) {}

WideFixed::WideFixed(int places, bool negative, std::vector<std::uint32_t> words)
    : places_(places), negative_(negative), words_(std::move(words)) {
    trim();
}

void WideFixed::trim() {
    while (words_.size() > std::size_t(places_) + 1 && words_.back() == 0)
        words_.pop_back();
    words_.resize(std::max(words_.size(), std::size_t(places_) + 1), 0);
    if (isZero())
        negative_ = false;
}

WideFixed WideFixed::fromDouble(double x, int places) {
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, kDoubleDigits));
    const WideFixed whole(places, x < 0.0, {low32(mantissa), low32(mantissa >> kWordBits)});
    return whole.shifted(exponent - kDoubleDigits + kWordBits * places);
}

WideFixed WideFixed::units(int places, int bits) {
    return WideFixed(places, false, {1u}).shifted(bits);
}

bool WideFixed::isZero() const {
    return std::all_of(words_.begin(), words_.end(), [](std::uint32_t w) { return w == 0; });
}

WideFixed WideFixed::operator-() const {
    return WideFixed(places_, !negative_, words_);
}

WideFixed WideFixed::operator+(const WideFixed& other) const {
    if (negative_ == other.negative_)
        return WideFixed(places_, negative_, addWords(words_, other.words_));
    if (compareWords(words_, other.words_) >= 0)
        return WideFixed(places_, negative_, subtractWords(words_, other.words_));
    return WideFixed(places_, other.negative_, subtractWords(other.words_, words_));
}

WideFixed WideFixed::operator-(const WideFixed& other) const {
    return *this + -other;
}

WideFixed WideFixed::operator*(const WideFixed& other) const {
    Words product(words_.size() + other.words_.size(), 0);
    for (std::size_t i = 0; i < words_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < other.words_.size(); ++j) {
            carry += std::uint64_t(words_[i]) * other.words_[j] + product[i + j];
            product[i + j] = low32(carry);
            carry >>= kWordBits;
        }
        product[i + other.words_.size()] = low32(carry);
    }
    product.erase(product.begin(), product.begin() + places_);
    return WideFixed(places_, negative_ != other.negative_, std::move(product));
}

WideFixed WideFixed::times(std::uint32_t factor) const {
    Words product(words_.size() + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        carry += std::uint64_t(words_[i]) * factor;
        product[i] = low32(carry);
        carry >>= kWordBits;
    }
    product.back() = low32(carry);
    return WideFixed(places_, negative_, std::move(product));
}

WideFixed WideFixed::dividedBy(std::uint32_t divisor) const {
    Words quotient(words_.size(), 0);
    std::uint64_t remainder = 0;
    for (std::size_t i = words_.size(); i-- > 0;) {
        remainder = remainder << kWordBits | words_[i];
        quotient[i] = low32(remainder / divisor);
        remainder %= divisor;
    }
    return WideFixed(places_, negative_, std::move(quotient));
}

WideFixed WideFixed::shifted(int bits) const {
    const int length = bitLength();
    Words moved(std::size_t(std::max(length + bits, 0) / kWordBits) + 1, 0);
    for (int i = std::max(0, -bits); i < length; ++i)
        if (words_[std::size_t(i / kWordBits)] >> (i % kWordBits) & 1u)
            moved[std::size_t((i + bits) / kWordBits)] |= 1u << ((i + bits) % kWordBits);
    return WideFixed(places_, negative_, std::move(moved));
}

int WideFixed::compareMagnitude(const WideFixed& other) const {
    return compareWords(words_, other.words_);
}

bool WideFixed::operator<(const WideFixed& other) const {
    if (negative_ != other.negative_)
        return negative_;
    const int magnitude = compareMagnitude(other);
    return negative_ ? magnitude > 0 : magnitude < 0;
}

int WideFixed::bitLength() const {
    for (std::size_t i = words_.size(); i-- > 0;)
        if (words_[i] != 0)
            return int(i) * kWordBits + int(std::bit_width(words_[i]));
    return 0;
}

std::uint64_t WideFixed::bitsFrom(int low, int count) const {
    std::uint64_t bits = 0;
    for (int i = count; i-- > 0;) {
        const int at = low + i;
        const bool set = at >= 0 && (words_[std::size_t(at / kWordBits)] >> (at % kWordBits) & 1u);
        bits = bits << 1 | (set ? 1u : 0u);
    }
    return bits;
}

bool WideFixed::anyBitBelow(int position) const {
    for (int i = 0; i < position; ++i)
        if (words_[std::size_t(i / kWordBits)] >> (i % kWordBits) & 1u)
            return true;
    return false;
}

double WideFixed::toDouble() const {
    const int length = bitLength();
    const int low = std::max(length - kDoubleDigits, 0);
    std::uint64_t mantissa = bitsFrom(low, length - low);
    if (low > 0) {
        const bool half = bitsFrom(low - 1, 1) != 0;
        if (half && (anyBitBelow(low - 1) || (mantissa & 1u)))
            ++mantissa; // a carry to 2^53 is still exact as a double
    }
    const double magnitude = std::ldexp(double(mantissa), low - kWordBits * places_);
    return negative_ ? -magnitude : magnitude;
}

} // namespace engine
