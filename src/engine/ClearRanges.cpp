#include "engine/ClearRanges.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>

namespace engine {

namespace {

// Why r1 root / 3 may stand for the step's r1 sin(teta) / 3, with u = 2^-53,
// c the cosine and root = fl(sqrt(fl(1 - fl(c^2)))): the step takes
// q = fl(-c / root) and teta = fl(atan(q) + 2 fl(atan(1))). Exactly,
// sin(atan(q) + pi/2) = 1 / sqrt(1 + q^2) = root / sqrt(root^2 + c^2 (1 + d))
// with |d| <= 3u, and the roundings of c^2, of 1 - c^2 and of the root put
// root^2 + c^2 (1 + d) within 6.01u of 1: that sine is root within 4u
// relative. With atan within 2 ulps (4u absolute, as |atan| < pi/2; ours is
// correctly rounded, within half of one), atan(1) within an ulp (2u once
// doubled) and the sum's rounding (pi u), teta lies
// within 10u of that angle, and sin moves no more than its argument; sin's own
// 2 ulps (again, ours keeps to half of one) add 4u. So the sines differ by at most 18u (root <= 1),
// and the product and the division by 3 add 2u relative on each side: the two ranges differ by less
// than r1 (18u + 4u) / 3 < 8u r1 = 2^-50 r1. The margin, 2^-40 r1, is a thousand times that, so a
// library far worse than its documented accuracy still keeps the floor the same, and it dwarfs the
// rounding (at most u) of the distances to the integers it is compared with.
constexpr double kMarginPerFoot = 0x1p-40; // of the radius

// Where the root may answer: a radius of at least a foot and a depth within
// the 16-bit range keep deltaD / r1 finite, and a range short of the 16-bit
// limits leaves its overflow to the step.
constexpr double kLeastClearRadius = 1.0;
constexpr double kFarthestClearDepth = 32768.0;
constexpr double kFarthestClearRange = 32000.0;

// Where clearRangeAt may be asked at all.
bool clearRadius(double r1) {
    return r1 >= kLeastClearRadius && r1 <= std::numeric_limits<double>::max();
}

// The answer where the root is not sure; every other answer is at least 0.
constexpr int kUnclear = -1;

// The root's answer for a clear radius, with the yards it came from (where
// it got that far). With r1 >= 1 and |deltaD| <= 32768 the quotient is finite, so
// the plain division gives cosineAt's quotient, and the root of a positive
// radicand is squareRoot's; the arithmetic stays inline.
struct ClearAnswer {
    int range = kUnclear;
    double yards = 0.0;
};

inline ClearAnswer clearAnswerAt(double r1, double deltaD) {
    if (!(std::abs(deltaD) <= kFarthestClearDepth))
        return {};
    const double radicand = radicandOf(cosineFromQuotient(deltaD, deltaD / r1));
    if (!(radicand > 0.0))
        return {};
    const double yards = yardsOf(r1, std::sqrt(radicand));
    if (!(yards < kFarthestClearRange))
        return {};
    const double whole = std::floor(yards);
    const double margin = clearRangeMargin(r1);
    if (yards - whole <= margin || whole + 1.0 - yards <= margin)
        return {kUnclear, yards};
    return {int(whole), yards};
}

inline int clearRangeAt(double r1, double deltaD) {
    return clearAnswerAt(r1, deltaD).range;
}

std::optional<std::int16_t> asRange(int answer) {
    if (answer == kUnclear)
        return std::nullopt;
    return std::int16_t(answer);
}

// Whether clearRangeAt is monotone between two depths, the ends of a run of
// depths in order: every operation it takes is correctly rounded, hence
// monotone, as long as the cosine keeps its sign (its square turns back at 0)
// and no depth is the layer's bottom (whose cosine is replaced).
bool monotoneBetween(double r1, double deltaD1, double deltaD2) {
    const auto cosine = [r1](double deltaD) { return 1.0 + deltaD / r1; };
    return deltaD1 != 0.0 && deltaD2 != 0.0 && (deltaD1 < 0.0) == (deltaD2 < 0.0) &&
           (cosine(deltaD1) < 0.0) == (cosine(deltaD2) < 0.0);
}

// Fills out[first..last] from the answers at its ends. Where both ends are
// clear with the same range and the value in between is monotone, every
// depth in between lies in the same clear stretch between two integers:
// asking it would give the same answer. Otherwise the run is split where the
// yards between the ends, taken as straight, leave the first end's whole
// number, or halfway. A run within a monotone one is monotone too, so that
// may be known already.
void fillRun(double r1, std::span<const double> deltaD, std::span<std::optional<std::int16_t>> out,
             std::size_t first, std::size_t last, ClearAnswer atFirst, ClearAnswer atLast,
             bool monotone = false) {
    out[first] = asRange(atFirst.range);
    out[last] = asRange(atLast.range);
    if (last - first < 2)
        return;
    monotone = monotone || monotoneBetween(r1, deltaD[first], deltaD[last]);
    const bool clearEnds = atFirst.range != kUnclear && atLast.range != kUnclear && monotone;
    if (clearEnds && atFirst.range == atLast.range) {
        std::fill(out.begin() + std::ptrdiff_t(first) + 1, out.begin() + std::ptrdiff_t(last),
                  asRange(atFirst.range));
        return;
    }
    std::size_t middle = first + (last - first) / 2;
    if (clearEnds) {
        const double rising = atLast.yards > atFirst.yards ? 1.0 : 0.0;
        const double share =
            (atFirst.range + rising - atFirst.yards) / (atLast.yards - atFirst.yards);
        middle = std::clamp(first + std::size_t(share * double(last - first)), first + 1, last - 1);
    }
    const ClearAnswer atMiddle = clearAnswerAt(r1, deltaD[middle]);
    fillRun(r1, deltaD, out, first, middle, atFirst, atMiddle, monotone);
    fillRun(r1, deltaD, out, middle, last, atMiddle, atLast, monotone);
}

// Where r1 root / 3 is expected to reach the yards, as a deltaD above the
// layer's bottom: 1 - c, for a small sine s, is s^2 / 2 + s^4 / 8. Only a
// guess: products alone, so that many are formed at once.
double expectedDepth(double r1, double sinePerYard, int yards) {
    const double sine = sinePerYard * yards;
    return -r1 * sine * sine * (0.5 + 0.125 * sine * sine);
}

// fillRun, for a run above the layer's bottom with the cosine positive: it
// would ask twice per whole yard, each ask waiting on the one before. Here
// each whole yard between the ends' answers is guessed between two depths,
// and a batch of them is asked at once before fillRun fills between the
// answers; so a wrong guess costs only time.
void fillGuided(double r1, std::span<const double> deltaD,
                std::span<std::optional<std::int16_t>> out, std::size_t first, std::size_t last,
                ClearAnswer atFirst, ClearAnswer atLast) {
    const auto above = [r1](double d) { return d < 0.0 && 1.0 + d / r1 > 0.0; };
    const int wholes = std::abs(atLast.range - atFirst.range);
    if (atFirst.range == kUnclear || atLast.range == kUnclear || !above(deltaD[first]) ||
        !above(deltaD[last]) || wholes == 0 || std::size_t(wholes) >= last - first)
        return fillRun(r1, deltaD, out, first, last, atFirst, atLast);
    const int rising = atLast.range > atFirst.range ? 1 : -1;
    const double sinePerYard = kFeetPerYard / r1;
    const double indexPerFoot = double(last - first) / (deltaD[last] - deltaD[first]);
    constexpr int kBatch = 16; // whole yards
    std::size_t known = first;
    ClearAnswer atKnown = atFirst;
    for (int yard = 1; yard <= wholes; yard += kBatch) {
        std::array<std::size_t, 2 * kBatch> asked;
        std::size_t count = 0;
        for (int y = yard; y <= std::min(wholes, yard + kBatch - 1); ++y) {
            // Rising, the yard after the first end's; falling, the first end's own.
            const int whole = atFirst.range + rising * y + (rising > 0 ? 0 : 1);
            const double at =
                (expectedDepth(r1, sinePerYard, whole) - deltaD[first]) * indexPerFoot;
            if (!(at >= 0.0 && at < double(last - first)))
                continue;
            const std::size_t before = first + std::size_t(at);
            for (const std::size_t i : {before, before + 1})
                if (i > (count > 0 ? asked[count - 1] : known) && i < last)
                    asked[count++] = i;
        }
        std::array<ClearAnswer, 2 * kBatch> answers;
        for (std::size_t i = 0; i < count; ++i)
            answers[i] = clearAnswerAt(r1, deltaD[asked[i]]);
        for (std::size_t i = 0; i < count; ++i) {
            fillRun(r1, deltaD, out, known, asked[i], atKnown, answers[i], true);
            known = asked[i];
            atKnown = answers[i];
        }
    }
    fillRun(r1, deltaD, out, known, last, atKnown, atLast, true);
}

} // namespace

void clearRanges(const RayRadius& radius, std::span<const double> deltaD,
                 std::span<std::optional<std::int16_t>> out) {
    const std::size_t n = std::min(deltaD.size(), out.size());
    if (!clearRadius(radius.r1)) {
        std::fill_n(out.begin(), n, std::nullopt);
        return;
    }
    // Runs of depths in order are filled from their ends; the rest one by one.
    const bool inOrder =
        std::is_sorted(deltaD.begin(), deltaD.begin() + std::ptrdiff_t(n)) ||
        std::is_sorted(deltaD.begin(), deltaD.begin() + std::ptrdiff_t(n), std::greater<>());
    if (inOrder && n > 1) {
        fillGuided(radius.r1, deltaD, out, 0, n - 1, clearAnswerAt(radius.r1, deltaD[0]),
                   clearAnswerAt(radius.r1, deltaD[n - 1]));
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        out[i] = asRange(clearRangeAt(radius.r1, deltaD[i]));
}

double clearRangeMargin(double r1) {
    return kMarginPerFoot * r1;
}

} // namespace engine
