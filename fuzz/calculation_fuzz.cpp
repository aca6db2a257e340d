// Splits the input at newlines into the three box texts (temperature,
// salinity, depth), runs the calculation and the report on them and one ray
// step of the plot. Every input must end in a report or in one of our
// run-time errors: anything else, inf or nan in the report, or a plot range
// that differs from the full arithmetic, aborts.
#include "main_window/Calculation.h"
#include "main_window/Report.h"
#include "platform/RuntimeError.h"
#include "plot/RayRange.h"
#include "ray/RayStep.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

void checkReport(const Calculation& c) {
    const QStringList lines = report::lines(c);
    require(lines.size() == report::kLineCount);
    for (const QString& line : lines)
        require(!line.contains(QLatin1String("inf"), Qt::CaseInsensitive) &&
                !line.contains(QLatin1String("nan"), Qt::CaseInsensitive));
    require(c.variables.d1 == ray::kLayerDepthFt && c.variables.S == c.variables.Spunto &&
            c.variables.Dpunto == c.variables.D);
}

// One ray step of the plot at the calculated depth, against the full arithmetic.
void checkRayStep(const Calculation& c) {
    const double deltaD = double(c.variables.Dpunto) - ray::kLayerDepthFt;
    int fast = 0;
    int exact = 0;
    int fastError = -1;
    int exactError = -1;
    try {
        fast = plot::RayRange(c.variables.r1).at(deltaD);
    } catch (const platform::RuntimeError& e) {
        fastError = int(e.kind());
    }
    try {
        exact = ray::rangeYards(c.variables.r1,
                                ray::grazingAngle(ray::cosineAt(deltaD, c.variables.r1)));
    } catch (const platform::RuntimeError& e) {
        exactError = int(e.kind());
    }
    require(fastError == exactError && fast == exact);
    require(fastError != -1 || fast == c.variables.S);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    QString texts[3];
    std::size_t start = 0;
    for (int i = 0; i < 3 && start <= input.size(); ++i) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        texts[i] = QString::fromUtf8(input.substr(start, end - start));
        start = end + 1;
    }
    try {
        const Calculation c = Calculation::fromTexts(texts[0], texts[1], texts[2]);
        checkReport(c);
        checkRayStep(c);
    } catch (const platform::RuntimeError& error) {
        require(!error.message().isEmpty());
    }
    return 0;
}
