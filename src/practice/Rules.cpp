#include "practice/Rules.h"

#include "practice/Digits.h"

#include "engine/Calculation.h"
#include "engine/Numeric.h"
#include "engine/RayStep.h"
#include "engine/RuntimeError.h"
#include "engine/Trigonometry.h"

#include <algorithm>
#include <cmath>

namespace practice {

namespace {

using engine::kGradient;

constexpr std::int16_t kReferenceSalinity = 34;
constexpr std::int16_t kMirrorSalinity = 2 * kReferenceSalinity; // sa - 34 becomes 34 - sa
constexpr double kDegreesPerRadian = 57.295779513082323;         // 180 / pi
constexpr double kFahrenheitZeroCelsius = 32.0;
constexpr double kCelsiusPerFahrenheit = 5.0 / 9.0;

std::string shortest(double value) {
    return digits::shortest(value);
}

// The earlier value as the note quotes it: as she wrote it, or in nine
// significant digits.
std::string earlierText(const Attempt& a, Step step) {
    constexpr int kDigitsQuoted = 9;
    if (a.earlier.written[indexOf(step)])
        return a.working.number(step)->text;
    return digits::significant(a.earlier.at(step), kDigitsQuoted);
}

// "la tua velocità 4928.6", or "la velocità 4928.573" where she gave none.
std::string earlierPhrase(const Attempt& a, Step step) {
    static const char* const kHers[] = {"la tua velocità", "il tuo raggio", "il tuo Cos(teta)",
                                        "il tuo teta"};
    static const char* const kPlain[] = {"la velocità", "il raggio", "il Cos(teta)", "teta"};
    const bool hers = a.earlier.hers[indexOf(step)];
    return std::string((hers ? kHers : kPlain)[indexOf(step)]) + " " + earlierText(a, step);
}

const engine::CalculationValues& inputs(const Attempt& a) {
    return a.calculation.values;
}

// The follow-through rows: the step from her own earlier values.
std::optional<double> carried(const Attempt& a, Step step) {
    if (!a.earlier.own)
        return std::nullopt;
    return carriedForward(a.calculation, a.earlier, step);
}

// Her rounded cosine, as she wrote it, when it is right and yet not the
// program's.
const WrittenNumber* roundedCosine(const Attempt& a) {
    const WrittenNumber* cosine = a.working.number(Step::Cosine);
    const double exact = a.calculation.point.cosTeta;
    const bool written = a.earlier.written[indexOf(Step::Cosine)];
    return written && cosine->agreesWith(exact) && cosine->value != exact ? cosine : nullptr;
}

// How many decimals of the cosine give a teta that agrees with the
// program's to the digits she wrote teta with.
int decimalsForAngle(const Attempt& a, int from) {
    constexpr int kMostDecimals = 17;
    const engine::RayPoint& p = a.calculation.point;
    for (int decimals = from; decimals < kMostDecimals; ++decimals) {
        try {
            const double cosine = engine::Val(digits::fixed(p.cosTeta, decimals));
            if (WrittenNumber{"", engine::grazingAngle(cosine), a.yours.lastDigit}.agreesWith(
                    p.teta))
                return decimals;
        } catch (const engine::RuntimeError&) {
        }
    }
    return kMostDecimals;
}

std::string roundedCosineNote(const Attempt& a, double value) {
    const WrittenNumber& cosine = *roundedCosine(a);
    return "Il tuo Cos(teta) " + cosine.text +
           " è giusto ma arrotondato, e vicino a 1 l'arcocoseno ingrandisce l'arrotondamento: "
           "da " +
           cosine.text + " viene teta = " + a.yours.finer(value) + " rad invece di " +
           a.yours.finer(a.calculation.point.teta) + ". Per un teta giusto tieni almeno " +
           std::to_string(decimalsForAngle(a, 1 - cosine.lastDigit)) + " decimali del coseno.";
}

const Rule kRules[] = {
    // Velocity: slips in the sound-speed formula.
    {Step::Velocity, "senza-profondita", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::soundSpeed(inputs(a).T, inputs(a).sa, 0);
     },
     [](const Attempt& a, double v) {
         return "Manca il termine della profondità dello strato, 0.0182 · d1 = 0.273 ft/s: senza "
                "di esso viene " +
                a.yours.finer(v) + " ft/s.";
     }},
    {Step::Velocity, "quota-al-posto-dello-strato", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::soundSpeed(inputs(a).T, inputs(a).sa, inputs(a).D);
     },
     [](const Attempt& a, double v) {
         return "Nel termine 0.0182 · d1 va la profondità dello strato, d1 = 15 ft, non la quota "
                "di calcolo D = " +
                std::to_string(inputs(a).D) + " ft: con D viene " + a.yours.finer(v) + " ft/s.";
     }},
    {Step::Velocity, "senza-salinita", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::soundSpeed(inputs(a).T, kReferenceSalinity, inputs(a).d1);
     },
     [](const Attempt& a, double v) {
         return "Manca il termine della salinità, 4.3 · (sa − 34): senza di esso viene " +
                a.yours.finer(v) + " ft/s.";
     }},
    {Step::Velocity, "salinita-col-segno-rovesciato", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         const std::int16_t mirrored = engine::sub16(kMirrorSalinity, inputs(a).sa);
         return engine::soundSpeed(inputs(a).T, mirrored, inputs(a).d1);
     },
     [](const Attempt& a, double v) {
         return "Il termine della salinità è + 4.3 · (sa − 34), con sa − 34 = " +
                std::to_string(inputs(a).sa - kReferenceSalinity) +
                ": con il segno rovesciato viene " + a.yours.finer(v) + " ft/s.";
     }},
    {Step::Velocity, "temperatura-in-celsius", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         const double celsius = (inputs(a).T - kFahrenheitZeroCelsius) * kCelsiusPerFahrenheit;
         return engine::soundSpeed(celsius, inputs(a).sa, inputs(a).d1);
     },
     [](const Attempt& a, double v) {
         const double celsius = (inputs(a).T - kFahrenheitZeroCelsius) * kCelsiusPerFahrenheit;
         return "La formula vuole la temperatura in gradi Fahrenheit, T = " +
                shortest(inputs(a).T) + " °F, non in gradi Celsius (" +
                digits::significant(celsius, 4) + " °C): in Celsius viene " + a.yours.finer(v) +
                " ft/s.";
     }},

    // Radius.
    {Step::Radius, "sulla-tua-velocita", Verdict::Consistent, false,
     [](const Attempt& a) { return carried(a, Step::Radius); },
     [](const Attempt& a, double v) {
         return "Giusto sulla tua velocità: " + earlierText(a, Step::Velocity) +
                " / 0.0182 = " + a.yours.finer(v) + " ft.";
     }},
    {Step::Radius, "velocita-per-gradiente", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return a.earlier.at(Step::Velocity) * kGradient;
     },
     [](const Attempt& a, double) {
         return "Il raggio è velocità / gradiente, non velocità × gradiente: " +
                earlierText(a, Step::Velocity) + " / 0.0182 = " +
                a.yours.finer(carriedForward(a.calculation, a.earlier, Step::Radius)) + " ft.";
     }},
    {Step::Radius, "velocita-troncata", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::Int(a.earlier.at(Step::Velocity)) / kGradient;
     },
     [](const Attempt& a, double) {
         return "Hai diviso la velocità troncata, " +
                shortest(engine::Int(a.earlier.at(Step::Velocity))) +
                " come la stampa il resoconto: con " + earlierText(a, Step::Velocity) +
                " il raggio è " +
                a.yours.finer(carriedForward(a.calculation, a.earlier, Step::Radius)) + " ft.";
     }},

    // Cos(teta).
    {Step::Cosine, "sul-tuo-raggio", Verdict::Consistent, false,
     [](const Attempt& a) { return carried(a, Step::Cosine); },
     [](const Attempt& a, double v) {
         return "Giusto sul tuo raggio: 1 + (D − d1) / r1 con r1 = " +
                earlierText(a, Step::Radius) + " dà " + a.yours.finer(v) + ".";
     }},
    {Step::Cosine, "quota-e-strato-scambiati", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::cosineAt(-double(a.calculation.deltaD), a.earlier.at(Step::Radius));
     },
     [](const Attempt& a, double) {
         return "Nel coseno ci vuole D − d1 = " + std::to_string(a.calculation.deltaD) +
                " ft, negativo sopra il fondo dello strato, non d1 − D: un coseno non supera 1.";
     }},
    {Step::Cosine, "uno-piu-deltad-tutto-diviso", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::divide(1.0 + a.calculation.deltaD, a.earlier.at(Step::Radius));
     },
     [](const Attempt& a, double) {
         return "Il coseno è 1 + DeltaD / raggio, non (1 + DeltaD) / raggio come sembra dire la "
                "riga del resoconto: viene " +
                a.yours.finer(carriedForward(a.calculation, a.earlier, Step::Cosine)) + ".";
     }},

    // teta.
    {Step::Angle, "coseno-arrotondato", Verdict::Consistent, true,
     [](const Attempt& a) -> std::optional<double> {
         if (const WrittenNumber* cosine = roundedCosine(a))
             return engine::grazingAngle(cosine->value);
         return std::nullopt;
     },
     roundedCosineNote},
    {Step::Angle, "sul-tuo-coseno", Verdict::Consistent, false,
     [](const Attempt& a) { return carried(a, Step::Angle); },
     [](const Attempt& a, double v) {
         return "Giusto sul tuo Cos(teta): arccos(" + earlierText(a, Step::Cosine) +
                ") = " + a.yours.finer(v) + " rad.";
     }},
    {Step::Angle, "teta-in-gradi", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::grazingAngle(a.earlier.at(Step::Cosine)) * kDegreesPerRadian;
     },
     [](const Attempt& a, double) {
         return "teta va in radianti: " + a.yours.text + "° sono " +
                a.yours.finer(a.yours.value / kDegreesPerRadian) + " rad.";
     }},

    // S.
    {Step::Range, "sui-tuoi-valori", Verdict::Consistent, false,
     [](const Attempt& a) { return carried(a, Step::Range); },
     [](const Attempt& a, double v) {
         return "Giusto sui tuoi valori: Int(r1 · sin(teta) / 3) con " +
                earlierPhrase(a, Step::Radius) + " e " + earlierPhrase(a, Step::Angle) + " dà " +
                shortest(v) + " Yd.";
     }},
    {Step::Range, "ascissa-in-piedi", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::Int(
             engine::checked(a.earlier.at(Step::Radius) * engine::sine(a.earlier.at(Step::Angle))));
     },
     [](const Attempt&, double v) {
         return "S va in iarde: r1 · sin(teta) = " + shortest(v) +
                " sono piedi, da dividere per 3 prima di prendere la parte intera.";
     }},
    {Step::Range, "coseno-al-posto-del-seno", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return engine::Int(engine::checked(
             engine::yardsOf(a.earlier.at(Step::Radius), a.earlier.at(Step::Cosine))));
     },
     [](const Attempt&, double) {
         return std::string("Nell'ascissa ci vuole il seno di teta, non il coseno: "
                            "S = Int(r1 · sin(teta) / 3).");
     }},
    {Step::Range, "ascissa-arrotondata", Verdict::Wrong, false,
     [](const Attempt& a) -> std::optional<double> {
         return std::floor(
             engine::unroundedRange(a.earlier.at(Step::Radius), a.earlier.at(Step::Angle)) + 0.5);
     },
     [](const Attempt& a, double v) {
         const double exact =
             engine::unroundedRange(a.earlier.at(Step::Radius), a.earlier.at(Step::Angle));
         return "S si tronca all'intero inferiore (Int), non si arrotonda: " +
                digits::fixed(exact, 2) + " Yd dà " + shortest(engine::Int(exact)) + ", non " +
                shortest(v) + ".";
     }},
};

// The formula of each step, as the unexplained note names it.
const char* const kFormulas[] = {"", "il raggio = velocità / 0.0182",
                                 "Cos(teta) = 1 + (D − d1) / r1", "teta = arccos(Cos(teta))",
                                 "S = Int(r1 · sin(teta) / 3)"};

} // namespace

std::span<const Rule> rules() {
    return kRules;
}

double carriedForward(const engine::Calculation& c, const Chain& e, Step step) {
    switch (step) {
    case Step::Velocity:
        return c.point.vel;
    case Step::Radius:
        return engine::checked(e.at(Step::Velocity) / kGradient);
    case Step::Cosine:
        return engine::cosineAt(c.deltaD, e.at(Step::Radius));
    case Step::Angle:
        return engine::grazingAngle(e.at(Step::Cosine));
    case Step::Range:
        return engine::rangeYards(e.at(Step::Radius), e.at(Step::Angle));
    }
    return 0.0;
}

std::string unexplained(const Attempt& a, Step step) {
    if (step == Step::Velocity)
        return "Rifai il conto: 4411 + 11.25 T − 0.045 T² + 0.0182 d1 + 4.3 (sa − 34) con T = " +
               shortest(inputs(a).T) + ", sa = " + std::to_string(inputs(a).sa) + " e d1 = 15 dà " +
               a.yours.finer(a.calculation.point.vel) + " ft/s.";
    const Step before = kSteps[indexOf(step) - 1];
    std::string with = "con " + earlierPhrase(a, before);
    if (step == Step::Range)
        with = "con " + earlierPhrase(a, Step::Radius) + " e " + earlierPhrase(a, Step::Angle);
    try {
        const double value = carriedForward(a.calculation, a.earlier, step);
        const std::string unit = namesOf(step).unit;
        return "Errore di calcolo: " + with + ", " + kFormulas[indexOf(step)] + " viene " +
               (step == Step::Range ? shortest(value) : a.yours.finer(value)) +
               (unit.empty() ? "" : " " + unit) + ".";
    } catch (const engine::RuntimeError& error) {
        return "Il passo non si calcola " + with + " (" +
               engine::RuntimeError::kindName(error.kind()) + "): rivedi il passo prima.";
    }
}

} // namespace practice
