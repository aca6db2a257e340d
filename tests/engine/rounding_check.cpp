// The engine's sine and arctangent against MPFR's correctly rounded values.
// Usage: rounding_check COUNT SEED HARD_CASES
// COUNT arguments per function, drawn where the engine uses them and where
// rounding is hardest, then the hard cases' file, the slow way alone on
// COUNT / 100 arguments, the fast way's error against its bound on
// COUNT / 10 and the quick way's wherever it applies. Prints what it
// checked and how long it took; exit status 1 when any result differs, or
// when the sine answers beyond its reach.
#include "engine/Calculation.h"
#include "engine/Trigonometry.h"

#include <mpfr.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Function = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using Generator = std::mt19937_64;

constexpr int kExactBits = 256;

// f(x) rounded to nearest, by MPFR.
double reference(Function f, double x) {
    mpfr_t in, out;
    mpfr_init2(in, 53);
    mpfr_init2(out, 53);
    mpfr_set_d(in, x, MPFR_RNDN);
    f(out, in, MPFR_RNDN);
    const double y = mpfr_get_d(out, MPFR_RNDN);
    mpfr_clears(in, out, static_cast<mpfr_ptr>(nullptr));
    return y;
}

// |hi + lo - f(x)| / |hi|, to 256 bits.
double relativeError(Function f, double x, engine::dd::Value y) {
    mpfr_t in, exact, sum;
    mpfr_inits2(kExactBits, in, exact, sum, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(in, x, MPFR_RNDN);
    f(exact, in, MPFR_RNDN);
    mpfr_set_d(sum, y.hi, MPFR_RNDN);
    mpfr_add_d(sum, sum, y.lo, MPFR_RNDN);
    mpfr_sub(sum, sum, exact, MPFR_RNDN);
    const double error = std::fabs(mpfr_get_d(sum, MPFR_RNDN) / y.hi);
    mpfr_clears(in, exact, sum, static_cast<mpfr_ptr>(nullptr));
    return error;
}

struct Tally {
    long checked = 0;
    long wrong = 0;

    void check(const char* what, double x, double got, double want) {
        ++checked;
        if (got == want || (std::isnan(got) && std::isnan(want)))
            return;
        if (++wrong <= 20)
            std::printf("  WRONG %s(%a) = %a, MPFR %a\n", what, x, got, want);
    }
};

double uniform(Generator& g, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(g);
}

// 2^e for e uniform in [low, high], times a random sign.
double logUniform(Generator& g, double low, double high) {
    const double x = std::exp2(uniform(g, low, high));
    return g() % 2 ? -x : x;
}

// x moved by a few ulps either way.
double near(Generator& g, double x) {
    const int steps = int(g() % 9) - 4;
    for (int i = 0; i < std::abs(steps); ++i)
        x = std::nextafter(x, steps > 0 ? INFINITY : -INFINITY);
    return x;
}

// The quotient and the angle of the ray step for random water and depth, as
// the calculation forms them: dense at large quotients and small angles.
struct RayArguments {
    double quotient;
    double angle;
};

RayArguments rayArguments(Generator& g) {
    const double T = uniform(g, -200.0, 460.0);
    const double sa = double(int(g() % 200) - 100);
    const double D = g() % 2 ? -uniform(g, 0.0, 15.0) + 15.0 : -logUniform(g, -20.0, 14.9);
    try {
        const engine::RayPoint p = engine::Calculation::fromNumbers(T, sa, std::floor(D)).point;
        const double c = p.cosTeta;
        return {-c / std::sqrt(-c * c + 1.0), p.teta};
    } catch (const std::exception&) {
        return {uniform(g, -1e8, -1.0), uniform(g, 0.0, std::numbers::pi)};
    }
}

double arctangentArgument(Generator& g, long i) {
    switch (i % 6) {
    case 0:
        return logUniform(g, -30.0, 60.0);
    case 1:
        return rayArguments(g).quotient;
    case 2:
        return near(g, double(g() % 129) / 128.0 * (g() % 2 ? 1.0 : -1.0));
    case 3:
        return near(g, 128.0 / double(1 + g() % 128));
    case 4:
        return near(g, std::exp2(double(g() % 3 == 0 ? -27 : g() % 2 ? 54 : 0)));
    default:
        return uniform(g, -100.0, 100.0);
    }
}

double sineArgument(Generator& g, long i) {
    switch (i % 6) {
    case 0:
        return uniform(g, 0.0, std::numbers::pi);
    case 1:
        return rayArguments(g).angle;
    case 2:
        return logUniform(g, -30.0, 0.0);
    case 3:
        return std::numbers::pi - std::exp2(-uniform(g, 1.0, 52.0));
    case 4:
        return near(g, double(g() % 5) * std::numbers::pi / 4.0);
    default:
        return uniform(g, -engine::kSineReach, engine::kSineReach);
    }
}

struct Subject {
    const char* name;
    Function mpfr;
    double (*function)(double);
    double (*accurate)(double);
    engine::dd::Value (*approximation)(double);
    std::optional<engine::trigonometry::Estimate> (*quick)(double);
    double (*argument)(Generator&, long);
    bool (*fastDomain)(double); // where the approximation is defined
    bool (*slowDomain)(double);
};

const Subject kSubjects[] = {
    {"sin", mpfr_sin, engine::sine, engine::trigonometry::accurateSine,
     engine::trigonometry::sineApproximation, engine::trigonometry::quickSine, sineArgument,
     [](double x) { return std::fabs(x) >= 0x1p-26 && std::fabs(x) <= engine::kSineReach; },
     [](double x) { return std::fabs(x) >= 0x1p-26 && std::fabs(x) <= engine::kSineReach; }},
    {"atan", mpfr_atan, engine::arctangent, engine::trigonometry::accurateArctangent,
     engine::trigonometry::arctangentApproximation, engine::trigonometry::quickArctangent,
     arctangentArgument, [](double x) { return std::fabs(x) >= 0x1p-27 && std::fabs(x) <= 0x1p54; },
     [](double x) { return std::fabs(x) >= 0x1p-27 && std::fabs(x) <= 0x1p54; }},
};

std::vector<double> hardCases(const std::string& path, const std::string& name) {
    std::ifstream in(path);
    std::vector<double> cases;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string function, hex;
        if (fields >> function >> hex && function == name)
            cases.push_back(std::strtod(hex.c_str(), nullptr));
    }
    return cases;
}

bool checkSubject(const Subject& s, long count, unsigned seed, const std::string& hardPath) {
    const auto started = std::chrono::steady_clock::now();
    Generator g(seed);
    Tally all, hard, slow;
    double worstFast = 0.0;
    double worstQuick = 0.0; // as a share of the quick way's own bound
    long quick = 0;
    for (long i = 0; i < count; ++i) {
        const double x = s.argument(g, i);
        all.check(s.name, x, s.function(x), reference(s.mpfr, x));
        if (i % 10 == 0 && s.fastDomain(x))
            worstFast = std::max(worstFast, relativeError(s.mpfr, x, s.approximation(x)));
        if (const auto estimate = s.quick(x)) {
            ++quick;
            worstQuick =
                std::max(worstQuick, relativeError(s.mpfr, x, estimate->value) / estimate->bound);
        }
        if (i % 100 == 0 && s.slowDomain(x))
            slow.check(s.name, x, s.accurate(x), reference(s.mpfr, x));
    }
    for (const double x : hardCases(hardPath, s.name)) {
        hard.check(s.name, x, s.function(x), reference(s.mpfr, x));
        hard.check(s.name, -x, s.function(-x), reference(s.mpfr, -x));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double ratio = worstFast / engine::trigonometry::kFastRelativeError;
    std::printf("%s: %ld arguments, %ld hard cases, %ld by the slow way alone: %ld wrong; "
                "%.1f s; largest fast error 2^%.1f, 2^%.1f of its bound; "
                "%ld by the quick way, largest error 2^%.1f of its bound\n",
                s.name, all.checked, hard.checked, slow.checked,
                all.wrong + hard.wrong + slow.wrong, seconds, std::log2(worstFast),
                std::log2(ratio), quick, std::log2(worstQuick));
    // The bounds' proofs keep a wide margin; an error near one means its proof is wrong.
    const bool boundsHold = ratio <= 1.0 / 16 && worstQuick <= 1.0 / 16;
    if (!boundsHold)
        std::printf("  the fast or the quick way's error comes within 16 times its bound\n");
    return all.wrong + hard.wrong + slow.wrong == 0 && boundsHold && hard.checked > 0 && quick > 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: rounding_check COUNT SEED HARD_CASES\n");
        return 2;
    }
    const long count = std::atol(argv[1]);
    const auto seed = unsigned(std::atol(argv[2]));
    bool ok = true;
    for (const Subject& s : kSubjects)
        ok = checkSubject(s, count, seed, argv[3]) && ok;
    // Past its reach the sine gives no value rather than a wrong one.
    for (const double x :
         {std::nextafter(engine::kSineReach, 4.0), -4.0, 0x1p600, double(INFINITY)})
        if (!std::isnan(engine::sine(x))) {
            std::printf("  sin(%a) beyond the reach: %a, not NaN\n", x, engine::sine(x));
            ok = false;
        }
    return ok ? 0 : 1;
}
