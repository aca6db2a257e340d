#pragma once

#include <array>
#include <cstddef>

namespace engine {
struct RayPoint;
}

namespace practice {

// The five steps of a worked calculation, in the order of the report.
enum class Step { Velocity, Radius, Cosine, Angle, Range };

constexpr std::array<Step, 5> kSteps = {Step::Velocity, Step::Radius, Step::Cosine, Step::Angle,
                                        Step::Range};

constexpr std::size_t indexOf(Step step) {
    return static_cast<std::size_t>(step);
}

// How each face names a step.
struct StepNames {
    const char* id;    // in CSV files and option names: velocita, raggio, coseno, teta, ascissa
    const char* label; // in sentences: velocità, raggio, Cos(teta), teta, S
    const char* unit;  // ft/s, ft, "", rad, Yd
    const char* box;   // a box's caption: "Velocità (ft/s)"
};

const StepNames& namesOf(Step step);

// The step's value in a calculation's ray point: the velocity, the radius,
// Cos(teta), teta, or S as a double.
double valueAt(const engine::RayPoint& point, Step step);

// What a step of the student's working is judged to be.
enum class Verdict {
    Right,      // giusto: it agrees with the program's value
    Consistent, // coerente: wrong, but right on her own earlier values
    Wrong,      // sbagliato
    Missing,    // mancante: not given
};

const char* wordOf(Verdict verdict); // giusto, coerente, sbagliato, mancante

} // namespace practice
