#include "engine/Trigonometry.h"

#include "engine/TrigTables.h"
#include "engine/WideFixed.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Why the results are correctly rounded. Each function first forms a
// double-double y = hi + lo whose distance to the exact value f is at most
// e = bound |hi| (the error budgets below, u = 2^-53): the quick way in
// plain doubles where it applies, with a bound near 2^-64, else the
// double-double way with kFastRelativeError. The double nearest f is then
// hi' = RN(hi + lo) whenever hi + lo lies more than e inside the half-gaps
// around hi' (roundedIfSure): every value within e of hi + lo, f among them,
// rounds to hi'. Otherwise the quick way leaves it to the double-double way,
// about once in 2^10 calls, and that way, about once in 2^22 calls, to the
// slow way, which computes f with WideFixed numbers to P bits after the point
// and a proven error of at most 2^-P, keeps the double if f - 2^-P and
// f + 2^-P round alike, and else doubles P. It ends: for a double x other
// than 0, sin x and atan x are transcendental (Lindemann-Weierstrass), so f
// is not the midpoint between two doubles, and some P separates them.
namespace engine {

namespace trigonometry {

namespace {

using dd::Value;

// pi / 2 split into doubles: P1 + P2 + P3 is within 2^-163 of it.
constexpr double kHalfPi1 = 0x1.921fb54442d18p+0;
constexpr double kHalfPi2 = 0x1.1a62633145c07p-54;
constexpr double kHalfPi3 = -0x1.f1976b7ed8fbcp-110;
constexpr Value kHalfPi{kHalfPi1, kHalfPi2};
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr Value kMinusThird{-0x1.5555555555555p-2, -0x1.5555555555555p-56};
constexpr Value kMinusSixth{-0x1.5555555555555p-3, -0x1.5555555555555p-57};

// Below these atan x and sin x round to x: atan x lies within x^3 / 3, and
// sin x within x^3 / 6, below x, less than half the gap under x.
constexpr double kSmallestArctangent = 0x1p-27;
constexpr double kSmallestSine = 0x1p-26;
// Above this atan x rounds to RN(pi / 2) = P1: it lies within 1/x < 2^-54 below
// pi / 2, which is 2^-53.9 above P1, so within the half-gap 2^-53 above P1.
constexpr double kLargestArctangent = 0x1p54;
// kSineReach lies within 5 pi / 4, so that x - k pi / 2 needs |k| <= 2 at most.
static_assert(kSineReach < 5 * 0.785398);
// The quick way's reach: small angles and large quotients.
constexpr double kQuickSineReach = 0x1p-5;
constexpr double kQuickArctangentFrom = 0x1p6;

// The double nearest the value y stands for, if within e = bound |y.hi| of
// y.hi + y.lo there is no midpoint between doubles; else nothing.
std::optional<double> roundedIfSure(Value y, double bound) {
    const Value n = dd::fastTwoSum(y.hi, y.lo); // n.hi = RN(hi + lo)
    const double error = std::fabs(n.hi) * bound;
    // The gap from n.hi to its neighbour on lo's side (towards zero when
    // lo = 0); hi + lo lies within half of it. The difference below is exact
    // where |lo| >= gap / 4 (Sterbenz), and far above the error elsewhere.
    // n.hi is normal and above 2^-28 in every use, so its exponent bits alone
    // give the power of two at or below it, and an ulp 2^-52 of that. Only
    // for a power of two, rarely, is the side of lo asked: a test of its
    // sign would be a coin toss to the processor's branch predictor.
    constexpr std::uint64_t kExponentBits = 0x7FF0000000000000u;
    const double magnitude = std::fabs(n.hi);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    bits &= kExponentBits;
    double power = 0.0;
    std::memcpy(&power, &bits, sizeof power);
    double gap = power * 0x1p-52;
    if (magnitude == power && !(n.lo != 0.0 && (n.lo > 0.0) == (n.hi > 0.0)))
        gap /= 2; // below a power of two, towards zero
    if (gap / 2 - std::fabs(n.lo) > error)
        return n.hi;
    return std::nullopt;
}

// ---------------------------------------------------------------- arctangent
//
// For 2^-27 <= a <= 2^54: v = a, or 1/a above 1 (within 2u^2 relative:
// 1 - a RN(1/a) is formed exactly, then two roundings). With c = i/128 the
// table point nearest v, t = (v - c) / (1 + v c) has |t| <= 2^-8 (1 + 2^-40),
// and atan v = atan c + atan t. v - c is exact (Sterbenz), the denominator is
// within 4u^2 and the quotient within 16u^2 more, so t is within 20u^2.
//   atan t = t + t^3 P(t^2), P(s) = -1/3 + s/5 - s^2/7 + s^3/9 - s^4/11,
// leaves out less than t^13/13 <= 2^-99 |t|. The tail s/5 - ... (below 2^-18)
// is summed in doubles from RN(s), within 3u of its own size, 2u s; -1/3 is
// a double-double. So P is within 2u s + u^2 absolute, 6u s + 4u^2 relative,
// and with the products (8u^2 each) and t's own error t^3 P is within
// (6u s + 60u^2) |t^3 P| <= |t| (2u 2^-32 + 20u^2 2^-16) < 2^-84 |t|; adding t
// (4u^2) and its 20u^2 keeps atan t within 2^-83.9 |atan t|.
// atan c is the nearest double-double (2^-106 relative), |atan t| is at most
// 1.0001 atan v and atan c at most 2.0002 atan v, v's error moves atan v by
// 2u^2 v / (1 + v^2) <= 2.6u^2 atan v, and the sum adds 4u^2: atan v within
// 2^-83.8. Last, pi/2 - atan v (above 1) is at least atan v, and pi/2 is
// within 2^-107: the result is within 2^-83.7 relative, under 2^-76.

Value reciprocal(double a) {
    const double hi = 1.0 / a;
    const Value p = dd::twoProduct(a, hi);
    return dd::fastTwoSum(hi, ((1.0 - p.hi) - p.lo) / a);
}

// tan(atan v - atan c) for c = i / 128.
Value tangentOfDifference(Value v, int i) {
    if (i == 0)
        return v;
    const double c = double(i) / kTablePointsPerUnit;
    return dd::divide(dd::twoSum(v.hi - c, v.lo), dd::add(dd::multiply(v, c), 1.0));
}

Value arctangentNearZero(Value t) {
    const Value s = dd::multiply(t, t);
    const double w = s.hi;
    const double tail = w * (1.0 / 5 + w * (-1.0 / 7 + w * (1.0 / 9 - w * (1.0 / 11))));
    return dd::add(t, dd::multiply(dd::multiply(s, dd::add(kMinusThird, tail)), t));
}

// ---------------------------------------------------------------- sine
//
// For 2^-26 <= |x| <= 3.9, with k the integer nearest 2x/pi (|k| <= 2):
// r = x - k pi/2 = x - k P1 - k P2 - k P3. x - k P1 is exact (Sterbenz where
// x lies within a factor 2 of k P1; for k = +-1 and |x| < 1 a multiple of
// 2^-53 below 1 in magnitude), k P2 and k P3 are exact, the first sum is a
// twoSum and the second is within 2u^2. The P's leave out 2^-162, and
// |r| >= 2^-54 (the doubles nearest pi/2 and pi are 2^-53.9 and 2^-52.9 from
// them), so r is within 3u^2 relative, |r| <= pi/4 (1 + 2^-50).
// sin x is then +-sin r or +-cos r. With a = j/128 the table point nearest
// |r|, b = |r| - a (exact, Sterbenz) has |b| <= 2^-8 (1 + 2^-40), and
//   sin(a + b) = S + S (cos b - 1) + C sin b, cos(a + b) = C + C (cos b - 1) - S sin b
// with S, C the table's nearest double-doubles of sin a and cos a.
//   sin b = b + b^3 (-1/6 + w/120 - w^2/5040 + w^3/9! - w^4/11!), w = b^2,
//   cos b - 1 = w (-1/2 + w/24 - w^2/720 + w^3/8! - w^4/10!),
// leave out less than 2^-125. Their tails (below 2^-22.9 and 2^-20.6) are
// summed in doubles within 3u of their size, so sin b is within
// 2^-16 (2^-72.5 + 30u^2) < 2^-86 |b| and cos b - 1 within 2^-86.5 absolute.
// The result is at least half of S (j > 0: sin a - |b| >= sin a / 2) or
// 0.7 (the cosine), so the products and sums (about 20u^2 in all), the
// table (2^-106) and r's error keep it within 2^-84 relative, under 2^-76.

struct NearZero {
    Value sine;           // sin b
    Value cosineMinusOne; // cos b - 1
};

NearZero sineCosineNearZero(Value b) {
    const Value square = dd::multiply(b, b);
    const double w = square.hi;
    const double sineTail =
        w * (1.0 / 120 + w * (-1.0 / 5040 + w * (1.0 / 362880 - w * (1.0 / 39916800))));
    const double cosineTail =
        w * (1.0 / 24 + w * (-1.0 / 720 + w * (1.0 / 40320 - w * (1.0 / 3628800))));
    return {dd::add(b, dd::multiply(dd::multiply(square, dd::add(kMinusSixth, sineTail)), b)),
            dd::multiply(square, dd::add(Value{-0.5, 0.0}, cosineTail))};
}

// x - k pi / 2, for |k| <= 2 the integer nearest 2x / pi.
Value reducedAngle(double x, int k) {
    const double m = k;
    return dd::add(dd::twoSum(x - m * kHalfPi1, -m * kHalfPi2), -m * kHalfPi3);
}

// sin r, or cos r, for |r| <= pi/4 (1 + 2^-50).
Value sineOrCosine(Value r, bool cosine) {
    const bool negative = r.hi < 0.0;
    const Value m = negative ? dd::negated(r) : r;
    const int j = int(m.hi * kTablePointsPerUnit + 0.5);
    const double a = double(j) / kTablePointsPerUnit;
    const NearZero b = sineCosineNearZero(dd::twoSum(m.hi - a, m.lo));
    const Value& S = kSineTable[j];
    const Value& C = kCosineTable[j];
    if (cosine)
        return dd::add(
            C, dd::add(dd::multiply(C, b.cosineMinusOne), dd::negated(dd::multiply(S, b.sine))));
    const Value sine =
        dd::add(S, dd::add(dd::multiply(S, b.cosineMinusOne), dd::multiply(C, b.sine)));
    return negative ? dd::negated(sine) : sine;
}

// ---------------------------------------------------------------- the quick way
//
// The ray step near the layer asks for the sine of a small angle and the
// arctangent of a large quotient; there plain doubles come close enough.
//
// Sine, for 2^-26 <= |x| <= 2^-5: with w = RN(x^2),
//   y = x + x w p(w), p(w) = -1/6 + w/120 - w^2/5040 + w^3/362880,
// leaves out less than x^11/11! <= 2^-75.2 |x|. p is summed within 2.01u of
// its size (the rounded -1/6 and the last sum; the rest is below 2^-14 of
// it, and w's own error moves it by 0.05u w), so the tail, below x^3 / 6,
// is within 5.01u of it: 0.84u |x|^3. x + tail is taken exactly, and
// y.hi >= 0.9998 |x|, so y is within 2^-53 x^2 + 2^-75 relative; the bound
// is 32 times that.
//
// Arctangent, for 2^6 <= a = |x| <= 2^54: v = 1/a <= 2^-6 as vh + vl
// (within 2u^2, as below), and with w = RN(vh^2)
//   atan v = v + vh w q(w), q(w) = -1/3 + w/5 - w^2/7 + w^3/9,
// leaves out less than v^11/11 <= 2^-69.4; vh for v in the tail moves it
// by v^3 u <= 2^-71, and the tail, below v^3 / 3, is within 5.01u of itself
// (q as p above): 2^-70.2. Then pi/2 - atan v = (P1 - vh) + ((P2 - vl) -
// tail): P1 - vh is a twoSum, the rest is below 2^-19.4 and summed within
// 2^-72.3, P3 is left out (2^-109). So y is within 2^-68.4 absolute of
// atan a, which is above 1.554: 2^-69 relative; the bound is 32 times that.

constexpr double kQuickSineBound = 0x1p-48;      // times x^2
constexpr double kQuickSineTruncation = 0x1p-70; // x^11 / 11! and more
constexpr double kQuickArctangentBound = 0x1p-64;

Value quickSineOf(double x) {
    const double w = x * x;
    const double p = -1.0 / 6 + w * (1.0 / 120 + w * (-1.0 / 5040 + w * (1.0 / 362880)));
    return dd::fastTwoSum(x, x * w * p);
}

Value quickArctangentOf(double a) {
    const Value v = reciprocal(a);
    const double w = v.hi * v.hi;
    const double q = -1.0 / 3 + w * (1.0 / 5 + w * (-1.0 / 7 + w * (1.0 / 9)));
    const double tail = v.hi * w * q;
    const Value s = dd::twoSum(kHalfPi1, -v.hi);
    return dd::fastTwoSum(s.hi, ((s.lo + kHalfPi2) - v.lo) - tail);
}

// ---------------------------------------------------------------- the slow way
//
// WideFixed numbers with `working` = P/32 + 2 + extra words after the point,
// each operation truncating less than a unit (2^-32 working). In units:
// - pi/2 by Machin's formula, pi/4 = 4 atan(1/5) - atan(1/239): each series
//   term is within 2.05 of its value and the truncated tail within 2.1, so
//   with 6.9 and 2.1 terms a word pi/2 is within 122 working + 21;
// - sin r or cos r by their series for |r| < 2: within 8 a term, at most
//   16 working + 10 terms, and within cosh 2 < 4 times an error in r;
// - so everything below stays within 2^(32 extra) (616 working + 164), and
//   the two guard words make that less than 2^-P. For the sine, |x| <= 3.9
//   holds a multiple of pi/2 below 2^32: one extra word.

constexpr int kGuardWords = 2;
constexpr int kWordBits = 32;
constexpr int kFirstPlaces = 4; // words after the point: 128 bits

WideFixed one(int places) {
    return WideFixed::units(places, kWordBits * places);
}

WideFixed inverseArctangent(std::uint32_t n, int places) {
    WideFixed power = one(places).dividedBy(n);
    WideFixed sum(places);
    for (std::uint32_t k = 0; !power.isZero(); ++k) {
        const WideFixed term = power.dividedBy(2 * k + 1);
        sum = k % 2 == 0 ? sum + term : sum - term;
        power = power.dividedBy(n * n);
    }
    return sum;
}

WideFixed halfPi(int places) {
    return (inverseArctangent(5, places).times(4) - inverseArctangent(239, places)).times(2);
}

WideFixed sineSeries(const WideFixed& r, bool cosine) {
    const WideFixed square = r * r;
    WideFixed term = cosine ? one(r.places()) : r;
    WideFixed sum = term;
    for (std::uint32_t n = cosine ? 1 : 2; !term.isZero(); n += 2) {
        term = -(term * square).dividedBy(n * (n + 1));
        sum = sum + term;
    }
    return sum;
}

// The double nearest every value within error of y, if they share one.
std::optional<double> roundedIfSure(const WideFixed& y, const WideFixed& error) {
    const double low = (y - error).toDouble();
    return low == (y + error).toDouble() ? std::optional(low) : std::nullopt;
}

// sin x at `places` words, for |x| <= kSineReach.
std::optional<double> sineWithPlaces(double x, int places) {
    constexpr int extra = 1;
    const int working = places + kGuardWords + extra;
    const WideFixed quarterTurn = halfPi(working);
    WideFixed r = WideFixed::fromDouble(std::fabs(x), working);
    unsigned quadrant = 0;
    // |x| = q pi/2 + r with 0 <= r < pi/2, by restoring division, q's last two
    // bits kept: r stays below twice the next multiple tried.
    for (int bit = std::max(std::ilogb(x), 0); bit >= 0; --bit) {
        const WideFixed step = quarterTurn.shifted(bit);
        if (!(r < step)) {
            r = r - step;
            quadrant += bit < 2 ? 1u << bit : 0u;
        }
    }
    WideFixed y = sineSeries(r, quadrant % 2 == 1);
    if ((quadrant % 4 >= 2) != (x < 0.0))
        y = -y;
    return roundedIfSure(y, WideFixed::units(working, kWordBits * (kGuardWords + extra)));
}

// atan a for 2^-27 <= a <= 2^54 at `places` words (two more for a's size),
// by Newton's steps on f(y) = a cos y - sin y = sqrt(1 + a^2) sin(atan a - y)
// from the fast approximation. A step adds f(y) / sqrt(1 + a^2), rounded, so
// each gains about 52 bits. Once |f(y)| <= 2^8 (a + 1) units, with y in
// [-0.2, 1.8]: |atan a - y| <= 1.8, where |z| <= 2 |sin z|, so
// |atan a - y| <= 2 |f(y)| / max(1, a) <= 4 (2^8 + (128 working + 81)) units,
// counting the series' errors in f, far below 2^-P.
std::optional<double> arctangentWithPlaces(double a, int places) {
    const int working = places + kGuardWords + 2;
    const WideFixed A = WideFixed::fromDouble(a, working);
    const WideFixed step = WideFixed::fromDouble(1.0 / std::sqrt(1.0 + a * a), working);
    const WideFixed limit = (A + one(working)).shifted(8 - kWordBits * working);
    const WideFixed low = -WideFixed::fromDouble(0.2, working);
    const WideFixed high = WideFixed::fromDouble(1.8, working);
    const Value start = arctangentApproximation(a);
    WideFixed y =
        WideFixed::fromDouble(start.hi, working) + WideFixed::fromDouble(start.lo, working);
    for (int i = 0; i < 3 + kWordBits * working / 40; ++i) {
        const WideFixed f = A * sineSeries(y, true) - sineSeries(y, false);
        if (f.compareMagnitude(limit) <= 0)
            return low < y && y < high ? roundedIfSure(y, WideFixed::units(working, 128))
                                       : std::nullopt;
        y = y + f * step;
    }
    return std::nullopt;
}

} // namespace

dd::Value sineApproximation(double x) {
    const int k = int(x * kTwoOverPi + (x < 0.0 ? -0.5 : 0.5));
    const int quadrant = k & 3;
    const Value y = sineOrCosine(reducedAngle(x, k), quadrant % 2 == 1);
    return quadrant >= 2 ? dd::negated(y) : y;
}

dd::Value arctangentApproximation(double x) {
    const double a = std::fabs(x);
    const Value v = a > 1.0 ? reciprocal(a) : Value{a, 0.0};
    const int i = int(v.hi * kTablePointsPerUnit + 0.5);
    Value angle = arctangentNearZero(tangentOfDifference(v, i));
    if (i > 0)
        angle = dd::add(kArctangentTable[i], angle);
    if (a > 1.0)
        angle = dd::add(kHalfPi, dd::negated(angle));
    return x < 0.0 ? dd::negated(angle) : angle;
}

std::optional<Estimate> quickSine(double x) {
    const double a = std::fabs(x);
    if (!(a >= kSmallestSine && a <= kQuickSineReach))
        return std::nullopt;
    return Estimate{quickSineOf(x), kQuickSineBound * (x * x) + kQuickSineTruncation};
}

std::optional<Estimate> quickArctangent(double x) {
    const double a = std::fabs(x);
    if (!(a >= kQuickArctangentFrom && a <= kLargestArctangent))
        return std::nullopt;
    const Value y = quickArctangentOf(a);
    return Estimate{x < 0.0 ? dd::negated(y) : y, kQuickArctangentBound};
}

std::optional<double> fastSine(double x) {
    const double a = std::fabs(x);
    if (!(a >= kSmallestSine))
        return x; // zero, tiny or NaN
    if (!(a <= kSineReach))
        return std::nullopt;
    if (const std::optional<Estimate> quick = quickSine(x))
        if (const std::optional<double> y = roundedIfSure(quick->value, quick->bound))
            return y;
    return roundedIfSure(sineApproximation(x), kFastRelativeError);
}

std::optional<double> fastArctangent(double x) {
    const double a = std::fabs(x);
    if (!(a >= kSmallestArctangent))
        return x; // zero, tiny or NaN
    if (a > kLargestArctangent)
        return std::copysign(kHalfPi1, x);
    if (const std::optional<Estimate> quick = quickArctangent(x))
        if (const std::optional<double> y = roundedIfSure(quick->value, quick->bound))
            return y;
    return roundedIfSure(arctangentApproximation(x), kFastRelativeError);
}

double accurateSine(double x) {
    for (int places = kFirstPlaces;; places *= 2)
        if (const std::optional<double> y = sineWithPlaces(x, places))
            return *y;
}

double accurateArctangent(double x) {
    for (int places = kFirstPlaces;; places *= 2)
        if (const std::optional<double> y = arctangentWithPlaces(std::fabs(x), places))
            return std::copysign(*y, x);
}

} // namespace trigonometry

double sine(double x) {
    if (const std::optional<double> y = trigonometry::fastSine(x))
        return *y;
    if (!(std::fabs(x) <= kSineReach))
        return std::numeric_limits<double>::quiet_NaN();
    return trigonometry::accurateSine(x);
}

double arctangent(double x) {
    if (const std::optional<double> y = trigonometry::fastArctangent(x))
        return *y;
    return trigonometry::accurateArctangent(x);
}

} // namespace engine
