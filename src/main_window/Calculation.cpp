#include "main_window/Calculation.h"

#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

using platform::ErrorKind;
using platform::RuntimeError;

namespace {

const QString kTemperatureRange =
    QStringLiteral("Temperatura (°F): il valore è troppo grande in valore assoluto; "
                   "la velocità del suono non si può calcolare.");
const QString kSalinityRange =
    QStringLiteral("Salinità (pt x 1000): scrivere un numero intero tra -32768 e 32767.");
const QString kDepthRange =
    QStringLiteral("Quota di calc. (ft): scrivere un numero intero tra -32768 e 32767.");
const QString kDepthFloor =
    QStringLiteral("Quota di calc. (ft): la quota deve essere almeno -32753 ft.");
const QString kSalinityFloor =
    QStringLiteral("Salinità (pt x 1000): la salinità deve essere almeno -32734.");
const QString kZeroSpeed =
    QStringLiteral("La velocità del suono risulta zero: controllare temperatura e salinità.");
const QString kBelowLayer = QStringLiteral(
    "Quota di calc. (ft): la quota deve essere al massimo 15 ft, la profondità dello strato.");
const QString kNegativeSpeed =
    QStringLiteral("La velocità del suono risulta negativa: temperatura o salinità fuori dal campo "
                   "dell'acqua di mare.");
const QString kVerticalRay =
    QStringLiteral("Il coseno dell'angolo di radenza vale 1 o -1: l'angolo non si può calcolare.");
const QString kRangeTooFar =
    QStringLiteral("La distanza orizzontale esce dal campo da -32768 a 32767 yd: "
                   "la quota di calcolo è troppo alta sopra lo strato.");

QString hintFor(const QString& hint, const RuntimeError&) {
    return hint;
}
template <typename Choose> QString hintFor(Choose choose, const RuntimeError& error) {
    return choose(error);
}

// Runs one step of the calculation, naming what the user can do if it fails.
template <typename Hint, typename Step> auto hinted(const Hint& hint, Step step) {
    try {
        return step();
    } catch (const RuntimeError& error) {
        throw error.withHint(hintFor(hint, error));
    }
}

} // namespace

Calculation Calculation::fromTexts(const QString& temperature, const QString& salinity,
                                   const QString& depth) {
    Calculation c;
    FormVariables& v = c.variables;
    v.T = hinted(kTemperatureRange, [&] { return platform::Val(temperature); });
    v.sa = hinted(kSalinityRange, [&] { return platform::toInt16(platform::Val(salinity)); });
    v.d1 = ray::kLayerDepthFt;
    v.D = hinted(kDepthRange, [&] { return platform::toInt16(platform::Val(depth)); });
    c.deltaD = hinted(kDepthFloor, [&] { return platform::sub16(v.D, v.d1); });
    const auto speedHint = [](const RuntimeError& error) {
        return error.kind() == ErrorKind::Overflow ? kSalinityFloor : kTemperatureRange;
    };
    c.step.vel = hinted(speedHint, [&] { return ray::soundSpeed(v.T, v.sa, v.d1); });
    c.step.r1 = c.step.vel / ray::kGradient;
    c.step.cosTeta = hinted(kZeroSpeed, [&] { return ray::cosineAt(c.deltaD, c.step.r1); });
    const auto angleHint = [r1 = c.step.r1](const RuntimeError& error) {
        if (error.kind() == ErrorKind::DivisionByZero)
            return kVerticalRay;
        return r1 < 0.0 ? kNegativeSpeed : kBelowLayer;
    };
    c.step.teta = hinted(angleHint, [&] { return ray::grazingAngle(c.step.cosTeta); });
    c.step.S = hinted(kRangeTooFar, [&] { return ray::rangeYards(c.step.r1, c.step.teta); });
    v.r1 = c.step.r1;
    v.S = c.step.S;
    v.Spunto = c.step.S;
    v.Dpunto = v.D;
    return c;
}
