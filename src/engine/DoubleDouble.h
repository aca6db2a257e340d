#pragma once

// Double-double arithmetic: a number held as the unevaluated sum hi + lo of
// two doubles, |lo| at most half an ulp of hi, about 106 bits. Plain IEEE
// operations only, with no fused multiply-add (the build forbids contraction),
// so that every target gives the same bits. With u = 2^-53, the relative
// error bounds below are those proved by Joldes, Muller and Popescu ("Tight
// and rigorous error bounds for basic building blocks of double-word
// arithmetic", 2017), rounded up.
namespace engine::dd {

struct Value {
    double hi = 0.0;
    double lo = 0.0;
};

inline Value negated(Value x) {
    return {-x.hi, -x.lo};
}

// a + b exactly (Knuth).
inline Value twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly, for |a| >= |b| or a = 0 (Dekker).
inline Value fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// The halves of a with 26 significant bits at most each (Veltkamp); |a| < 2^995.
inline Value split(double a) {
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double gamma = kSplitter * a;
    const double high = gamma + (a - gamma);
    return {high, a - high};
}

// a b exactly, short of underflow and overflow (Dekker).
inline Value twoProduct(double a, double b) {
    const double p = a * b;
    const Value x = split(a);
    const Value y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// Relative error at most 2u^2.
inline Value add(Value x, double y) {
    const Value s = twoSum(x.hi, y);
    return fastTwoSum(s.hi, x.lo + s.lo);
}

// Relative error at most 3u^2 + 13u^3 < 4u^2.
inline Value add(Value x, Value y) {
    const Value s = twoSum(x.hi, y.hi);
    const Value t = twoSum(x.lo, y.lo);
    const Value v = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(v.hi, t.lo + v.lo);
}

// Relative error at most 1.5u^2 + 4u^3 < 2u^2.
inline Value multiply(Value x, double y) {
    const Value c = twoProduct(x.hi, y);
    const Value t = fastTwoSum(c.hi, x.lo * y);
    return fastTwoSum(t.hi, t.lo + c.lo);
}

// Relative error at most 7u^2 < 8u^2.
inline Value multiply(Value x, Value y) {
    const Value c = twoProduct(x.hi, y.hi);
    const double cross = x.hi * y.lo + x.lo * y.hi;
    return fastTwoSum(c.hi, c.lo + cross);
}

// Relative error at most 15u^2 + 56u^3 < 16u^2.
inline Value divide(Value x, Value y) {
    const double th = x.hi / y.hi;
    const Value r = multiply(y, th);
    const double delta = ((x.hi - r.hi) + (x.lo - r.lo));
    return fastTwoSum(th, delta / y.hi);
}

} // namespace engine::dd
