// Times one cold call of the plot, at device pixel ratios 1 and 2, against
// the same primitives drawn one QPainter call each, and prints grafica_ms,
// grafica_ms_ratio2 and speedup (ratio 1) as its last lines.
#include "engine/Calculation.h"
#include "form/FormDescription.h"
#include "platform/QtColours.h"
#include "platform/Surface.h"
#include "plot/NearRangePlot.h"
#include "plot/ReferencePlot.h"
#include "raster/Canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "Recorder.h"

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

namespace {

// Asked when first used: the form's description is itself a static of another file.
QSize clientSize() {
    const raster::Rect client = form::clientArea().toPixels();
    return {client.width, client.height};
}

engine::CalculationValues workedExample() {
    engine::CalculationValues v = engine::Calculation::fromTexts("60", "35", "10").values;
    v.d1 = 15;
    return v;
}

// Every primitive as its own QPainter call, in twips scaled to pixels.
class PainterCanvas : public raster::Canvas {
  public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

    void pset(float x, float y, std::optional<raster::Colour> c) override {
        painter_.setPen(colour(c));
        painter_.drawPoint(QPointF(x / 15.0, y / 15.0));
    }
    void line(float x1, float y1, float x2, float y2, std::optional<raster::Colour> c) override {
        painter_.setPen(colour(c));
        painter_.drawLine(QPointF(x1 / 15.0, y1 / 15.0), QPointF(x2 / 15.0, y2 / 15.0));
    }
    void circle(float x, float y, float r, std::optional<raster::Colour> c) override {
        painter_.setPen(colour(c));
        painter_.drawEllipse(QPointF(x / 15.0, y / 15.0), r / 15.0, r / 15.0);
    }

  private:
    static QColor colour(std::optional<raster::Colour> c) {
        return c ? platform::toQColor(*c, QPalette()) : QColor(Qt::black);
    }
    QPainter& painter_;
};

void coldGrafica(benchmark::State& state, qreal devicePixelRatio) {
    platform::Surface surface(clientSize(), devicePixelRatio, QPalette(), QFont());
    for (auto _ : state) {
        state.PauseTiming();
        surface.cls();
        engine::CalculationValues v = workedExample();
        plot::NearRangePlot plot; // nothing kept from an earlier call
        state.ResumeTiming();
        plot.grafica(surface.canvas(), v);
        benchmark::DoNotOptimize(v);
    }
}
void BM_grafica_cold(benchmark::State& state) {
    coldGrafica(state, 1.0);
}
BENCHMARK(BM_grafica_cold)->Unit(benchmark::kMillisecond);

void BM_grafica_cold_ratio2(benchmark::State& state) {
    coldGrafica(state, 2.0);
}
BENCHMARK(BM_grafica_cold_ratio2)->Unit(benchmark::kMillisecond);

// A tick over the unchanged picture: nothing to draw.
void BM_grafica_tick(benchmark::State& state) {
    platform::Surface surface(clientSize(), 1.0, QPalette(), QFont());
    engine::CalculationValues v = workedExample();
    plot::NearRangePlot plot;
    plot.grafica(surface.canvas(), v);
    for (auto _ : state) {
        plot.grafica(surface.canvas(), v); // a timer tick over an unchanged picture
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_grafica_tick)->Unit(benchmark::kMillisecond);

void BM_naive_qpainter(benchmark::State& state) {
    QImage image(clientSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        image.fill(Qt::lightGray);
        engine::CalculationValues v = workedExample();
        state.ResumeTiming();
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        plot::drawReference(canvas, v);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_naive_qpainter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    const double fast = recorder.seconds["BM_grafica_cold"] * 1e3;
    const double fast2 = recorder.seconds["BM_grafica_cold_ratio2"] * 1e3;
    const double naive = recorder.seconds["BM_naive_qpainter"] * 1e3;
    std::printf("grafica_ms: %.3f\n", fast);
    std::printf("grafica_ms_ratio2: %.3f\n", fast2);
    std::printf("speedup: %.1f\n", fast > 0 ? naive / fast : 0.0);
    return 0;
}
