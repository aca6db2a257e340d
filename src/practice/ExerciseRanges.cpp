#include "practice/ExerciseRanges.h"

#include "practice/WrittenNumber.h"

#include "engine/InputBoxes.h"

#include <cmath>
#include <string>

namespace practice {

namespace {

// What each input takes: its scale (tenths for the temperature), its
// limits and how the messages name it.
struct Limits {
    double scale;
    double lowest;
    double highest;
    const char* name;
    const char* wholeRule; // said when the value has too many decimals
    std::string limitRule; // said when it leaves its limits
};

std::string between(int lowest, int highest) {
    return "va da " + std::to_string(lowest) + " a " + std::to_string(highest);
}

// The salinity and depth limits are the boxes' own (a 16-bit whole number,
// sa - 34 and D - 15 too); far beyond 1000 °F no sound speed computes.
constexpr int kTemperatureLimitF = 1000;
const Limits kLimits[] = {
    {10.0, -kTemperatureLimitF, kTemperatureLimitF, "la temperatura", "ha al più un decimale",
     between(-kTemperatureLimitF, kTemperatureLimitF) + " °F"},
    {1.0, engine::kLowestSalinity, engine::kHighestSalinity, "la salinità", "è un numero intero",
     between(engine::kLowestSalinity, engine::kHighestSalinity)},
    {1.0, engine::kLowestDepthFt, engine::kHighestDepthFt, "la quota", "è un numero intero",
     between(engine::kLowestDepthFt, engine::kHighestDepthFt) + " ft, il fondo dello strato"},
};

// How far a scaled value may lie from a whole number and still be one: the
// rounding of 52.3 to binary, times ten.
constexpr double kWholeMargin = 1e-9;

std::optional<std::int64_t> scaled(const Limits& limits, std::string_view text,
                                   std::string* problem) {
    const std::optional<WrittenNumber> number = WrittenNumber::read(text);
    if (!number) {
        *problem = WrittenNumber::notANumber(text);
        return std::nullopt;
    }
    const double value = number->value * limits.scale;
    const double whole = std::round(value);
    if (std::fabs(value - whole) > kWholeMargin * std::fmax(1.0, std::fabs(value))) {
        *problem = number->text + ": " + limits.name + " " + limits.wholeRule;
        return std::nullopt;
    }
    if (number->value < limits.lowest || number->value > limits.highest) {
        *problem = number->text + ": " + limits.name + " " + limits.limitRule;
        return std::nullopt;
    }
    return std::int64_t(whole);
}

} // namespace

std::string temperatureText(std::int64_t tenths) {
    const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10);
}

WholeRange& ExerciseRanges::operator[](Input input) {
    WholeRange* ranges[] = {&temperatureTenths, &salinity, &depth};
    return *ranges[static_cast<int>(input)];
}

std::optional<WholeRange> ExerciseRanges::parse(Input input, std::string_view text,
                                                std::string* problem) {
    const Limits& limits = kLimits[static_cast<int>(input)];
    const std::size_t colon = text.find(':');
    const std::string_view first = text.substr(0, colon);
    const std::string_view second =
        colon == std::string_view::npos ? first : text.substr(colon + 1);
    if (second.find(':') != std::string_view::npos) {
        *problem = "«" + std::string(text) + "» non è un intervallo: scrivere A:B, come 30:85";
        return std::nullopt;
    }
    const std::optional<std::int64_t> low = scaled(limits, first, problem);
    const std::optional<std::int64_t> high = low ? scaled(limits, second, problem) : std::nullopt;
    if (!high)
        return std::nullopt;
    if (*low > *high) {
        *problem = "«" + std::string(text) + "»: il primo valore supera il secondo";
        return std::nullopt;
    }
    return WholeRange{*low, *high};
}

std::string ExerciseRanges::description() const {
    const auto whole = [](const WholeRange& r) {
        return std::to_string(r.low) + ":" + std::to_string(r.high);
    };
    return "temperatura " + temperatureText(temperatureTenths.low) + ":" +
           temperatureText(temperatureTenths.high) + " °F, salinità " + whole(salinity) +
           ", quota " + whole(depth) + " ft";
}

} // namespace practice
