#include "form/FormState.h"

#include "engine/NumberFormat.h"
#include "engine/Report.h"

namespace form {

std::vector<std::string> FormState::calcolo(std::string_view temperature, std::string_view salinity,
                                            std::string_view depth) {
    plotShown_ = false;
    CompletedCalculation done{std::string(temperature), std::string(salinity), std::string(depth),
                              engine::Calculation::fromTexts(temperature, salinity, depth)};
    values_ = done.calculation.values;
    std::vector<std::string> lines = engine::reportLines(done.calculation);
    last_ = std::move(done);
    return lines;
}

std::string FormState::plotSummary() const {
    return "Grafico: profilo di temperatura a 70 °F dalla superficie a 65 ft, più fredda sotto; "
           "raggio limite da 0 yd a 15 ft fino a " +
           std::to_string(values_.S) + " yd in superficie; punto calcolato a " +
           std::to_string(values_.Spunto) + " yd e " + engine::numberDigits(values_.Dpunto) +
           " ft.";
}

} // namespace form
