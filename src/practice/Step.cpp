#include "practice/Step.h"

#include "engine/RayStep.h"

namespace practice {

namespace {

constexpr StepNames kNames[] = {
    {"velocita", "velocità", "ft/s", "Velocità (ft/s)"},
    {"raggio", "raggio", "ft", "Raggio (ft)"},
    {"coseno", "Cos(teta)", "", "Cos(teta)"},
    {"teta", "teta", "rad", "Teta (rad)"},
    {"ascissa", "S", "Yd", "S (Yd)"},
};

constexpr const char* kVerdictWords[] = {"giusto", "coerente", "sbagliato", "mancante"};

} // namespace

const StepNames& namesOf(Step step) {
    return kNames[indexOf(step)];
}

double valueAt(const engine::RayPoint& p, Step step) {
    const double values[] = {p.vel, p.r1, p.cosTeta, p.teta, double(p.S)};
    return values[indexOf(step)];
}

const char* wordOf(Verdict verdict) {
    return kVerdictWords[static_cast<std::size_t>(verdict)];
}

} // namespace practice
