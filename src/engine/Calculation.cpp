#include "engine/Calculation.h"

#include "engine/InputBoxes.h"
#include "engine/Numeric.h"
#include "engine/RayStepError.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace engine {

namespace {

// The boxes' names, as the window shows them, before what a message says of them.
const std::string kTemperatureBox = plainCaption(kTemperatureCaption) + ": ";
const std::string kSalinityBox = plainCaption(kSalinityCaption) + ": ";
const std::string kDepthBox = plainCaption(kDepthCaption) + ": ";

const std::string kTemperatureRange = kTemperatureBox +
                                      "il valore è troppo grande in valore assoluto; "
                                      "la velocità del suono non si può calcolare.";
const std::string kSalinityRange = kSalinityBox + "scrivere un numero intero tra " +
                                   std::to_string(kLowestSalinity) + " e " +
                                   std::to_string(kHighestSalinity) + ".";
const std::string kDepthRange = kDepthBox + "scrivere un numero intero tra " +
                                std::to_string(kLowestDepthFt) + " e " +
                                std::to_string(kHighestDepthFt) + ".";
const std::string kDepthFloor =
    kDepthBox + "la quota deve essere almeno " + std::to_string(kLowestDepthFt) + " ft.";
const std::string kSalinityFloor =
    kSalinityBox + "la salinità deve essere almeno " + std::to_string(kLowestSalinity) + ".";
const std::string kZeroSpeed =
    "La velocità del suono risulta zero: controllare temperatura e salinità.";
const std::string kBelowLayer = kDepthBox + "la quota deve essere al massimo " +
                                std::to_string(kHighestDepthFt) +
                                " ft, la profondità dello strato.";
const std::string kNegativeSpeed =
    "La velocità del suono risulta negativa: temperatura o salinità fuori dal campo "
    "dell'acqua di mare.";
const std::string kVerticalRay =
    "Il coseno dell'angolo di radenza vale 1 o -1: l'angolo non si può calcolare.";
const std::string kRangeTooFar = "La distanza orizzontale esce dal campo da " +
                                 std::to_string(std::numeric_limits<std::int16_t>::min()) + " a " +
                                 std::to_string(std::numeric_limits<std::int16_t>::max()) +
                                 " yd: la quota di calcolo è troppo alta sopra lo strato.";

// Runs one reading of the calculation, naming the box to correct if it fails.
template <typename Read> auto hinted(const std::string& hint, Read read) {
    try {
        return read();
    } catch (const RuntimeError& error) {
        throw error.withHint(hint);
    }
}

} // namespace

std::vector<std::string> readingNotices(std::string_view temperature, std::string_view salinity,
                                        std::string_view depth) {
    const std::pair<const std::string&, std::string_view> boxes[] = {
        {kTemperatureBox, temperature}, {kSalinityBox, salinity}, {kDepthBox, depth}};
    std::vector<std::string> notices;
    for (const auto& [box, text] : boxes)
        if (const std::string notice = readingNotice(text); !notice.empty())
            notices.push_back(box + notice);
    return notices;
}

std::string rayStepHint(const RayStepError& error) {
    switch (error.stage()) {
    case RayStage::SoundSpeed:
        return error.kind() == ErrorKind::Overflow ? kSalinityFloor : kTemperatureRange;
    case RayStage::Radius:
        return kTemperatureRange;
    case RayStage::Cosine:
        return kZeroSpeed;
    case RayStage::Angle:
        if (error.kind() == ErrorKind::DivisionByZero)
            return kVerticalRay;
        return error.r1() < 0.0 ? kNegativeSpeed : kBelowLayer;
    case RayStage::Range:
        return kRangeTooFar;
    }
    return {};
}

namespace {

// Each input is read when the calculation reaches it, so that the first
// failing box is the one reported.
template <typename Temperature, typename Salinity, typename Depth>
Calculation compute(Temperature temperature, Salinity salinity, Depth depth) {
    Calculation c;
    CalculationValues& v = c.values;
    v.T = hinted(kTemperatureRange, temperature);
    v.sa = hinted(kSalinityRange, [&] { return toInt16(salinity()); });
    v.d1 = kLayerDepthFt;
    v.D = hinted(kDepthRange, [&] { return toInt16(depth()); });
    c.deltaD = hinted(kDepthFloor, [&] { return sub16(v.D, v.d1); });
    try {
        c.point = rayStep(v.T, v.sa, v.d1, c.deltaD);
    } catch (const RayStepError& error) {
        throw error.withHint(rayStepHint(error));
    }
    v.r1 = c.point.r1;
    v.S = c.point.S;
    v.Spunto = c.point.S;
    v.Dpunto = v.D;
    return c;
}

} // namespace

Calculation Calculation::fromTexts(std::string_view temperature, std::string_view salinity,
                                   std::string_view depth) {
    return compute([&] { return Val(temperature); }, [&] { return Val(salinity); },
                   [&] { return Val(depth); });
}

Calculation Calculation::fromNumbers(double temperature, double salinity, double depth) {
    return compute([=] { return temperature; }, [=] { return salinity; }, [=] { return depth; });
}

} // namespace engine
