// Splits the input at newlines into the three box texts (temperature,
// salinity, depth) and runs the calculation and the report on them. Every
// input must end in a report or in one of our run-time errors: anything
// else, inf or nan in the report, stored values that disagree with the
// report, or an error without a message aborts.
#include "engine/Calculation.h"
#include "engine/NumberFormat.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"

#include <cctype>
#include <string>
#include <vector>

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

void checkReport(const engine::Calculation& c) {
    const std::vector<std::string> lines = engine::reportLines(c);
    require(lines.size() == engine::kReportLineCount);
    for (std::string line : lines) {
        for (char& letter : line)
            letter = char(std::tolower(static_cast<unsigned char>(letter)));
        require(line.find("inf") == std::string::npos && line.find("nan") == std::string::npos);
    }
    const engine::CalculationValues& v = c.values;
    require(v.d1 == engine::kLayerDepthFt && v.S == v.Spunto && v.Dpunto == v.D);
    require(lines.back() == "S= " + engine::formatInteger(v.S) + "Yd");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view texts[3];
    std::size_t start = 0;
    for (int i = 0; i < 3 && start <= input.size(); ++i) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        texts[i] = input.substr(start, end - start);
        start = end + 1;
    }
    try {
        checkReport(engine::Calculation::fromTexts(texts[0], texts[1], texts[2]));
    } catch (const engine::RuntimeError& error) {
        require(!std::string(error.what()).empty());
    }
    return 0;
}
