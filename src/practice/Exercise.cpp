#include "practice/Exercise.h"

#include "practice/ExerciseRanges.h"

namespace practice {

std::string Exercise::code() const {
    const std::string digits = std::to_string(number);
    return std::to_string(seed) + "-" + (digits.size() < 2 ? "0" : "") + digits;
}

std::string Exercise::temperature() const {
    return temperatureText(temperatureTenths);
}

std::string Exercise::inputs() const {
    return temperature() + " °F, " + salinityText() + " ‰, " + depthText() + " ft";
}

std::string Exercise::setting() const {
    return "Nello strato isotermo superficiale del mare, profondo d1 = 15 ft, la temperatura è " +
           temperature() + " °F e la salinità " + salinityText() + " ‰.";
}

} // namespace practice
