#include "EngineText.h"
#include "ErrorOf.h"
#include "engine/ClearRanges.h"
#include "platform/Surface.h"
#include "plot/NearRangePlot.h"
#include "plot/PlotFrame.h"
#include "plot/ReferencePlot.h"

#include <QTest>

#include <cmath>
#include <memory>
#include <optional>
#include <random>
#include <vector>

using engine::CalculationValues;
using platform::Surface;

Q_DECLARE_METATYPE(CalculationValues)

namespace {

// The values after "Calcolo" with "T sa depth" typed in; none for "".
CalculationValues afterCalcolo(const QString& typed) {
    return typed.isEmpty() ? CalculationValues{} : calculationOf(typed.split(' ')).values;
}

// Pairs of depths, next to each other as doubles, between which r1 root / 3
// (the range told from the root of 1 - cos^2) reaches a whole number of
// yards: there the step's own range may fall on either side.
void addIntegerCrossings(const engine::RayRadius& radius, double deepest, std::vector<double>& to) {
    const auto fromRoot = [&](double deltaD) {
        return radius.r1 * std::sqrt(engine::radicandOf(engine::cosineAt(deltaD, radius.r1))) / 3.0;
    };
    for (int k = 1; k <= 64; ++k) {
        const double whole = std::floor(std::min(fromRoot(deepest), 31999.0) * k / 65.0) + 1.0;
        double near = -1e-9, far = deepest; // fromRoot grows with the height above the layer
        while (std::nextafter(near, far) != far)
            (fromRoot(near + (far - near) / 2.0) < whole ? near : far) = near + (far - near) / 2.0;
        to.insert(to.end(), {near, far});
    }
}

// The premise of the shortcut's margin: the step's range lies within a
// thousandth of it of r1 root / 3, the range told from the root of 1 - cos^2.
bool withinMargin(const engine::RayPoint& p) {
    const double fromRoot = p.r1 * std::sqrt(engine::radicandOf(p.cosTeta)) / 3.0;
    return std::abs(engine::unroundedRange(p.r1, p.teta) - fromRoot) <=
           engine::clearRangeMargin(p.r1) / 1024.0;
}

// The blue circle on the computed point is round: drawn last, whole, the same
// under every symmetry of the square around its centre (the pen, a square of
// whole device pixels, stretches right and down).
bool markerIsRound(const Surface& surface, const CalculationValues& v, qreal dpr) {
    const int reach = int(8 * dpr), pen = int(dpr); // beyond the radius; the pen's side
    const QPoint c = surface.deviceCentre(plot::markerX(v.Spunto), plot::depthY(v.Dpunto));
    const QImage box = surface.image()
                           .copy(QRect(c - QPoint(reach, reach), QSize(1, 1) * (2 * reach + pen)))
                           .createMaskFromColor(qRgb(0, 0, 255))
                           .convertToFormat(QImage::Format_Grayscale8);
    return box.pixel(reach, reach) == box.pixel(0, 0) && // hollow
           box == box.mirrored(true, false) && box == box.mirrored(false, true) &&
           box == box.transformed(QTransform().rotate(90));
}

std::unique_ptr<Surface> makeSurface(qreal dpr = 1.0) { // black text on light grey buttons
    return std::make_unique<Surface>(QSize(1001, 681), dpr, QPalette(QColor(0xF0, 0xF0, 0xF0)),
                                     QFont());
}

} // namespace

class TestPlot : public QObject {
    Q_OBJECT

  private slots:
    // Where the range told from the root of 1 - cos^2 answers, it is the whole
    // step's S: at every depth of the plot and where it reaches whole yards, up
    // to the 16-bit limit, for random waters.
    void clearRangesAreTheStepsRange_data() {
        QTest::addColumn<QPointF>("temperatures"); // from, to
        QTest::addColumn<QPoint>("salinities");
        QTest::addColumn<std::size_t>("block"); // depths asked at once
        const std::size_t all = SIZE_MAX;
        QTest::newRow("sea water") << QPointF(28, 90) << QPoint(0, 45) << all;
        QTest::newRow("sea water, the plot's blocks")
            << QPointF(28, 90) << QPoint(0, 45) << std::size_t(256);
        QTest::newRow("any temperature")
            << QPointF(-212, 462) << QPoint(-200, 200) << std::size_t(256);
        QTest::newRow("sound speed near zero")
            << QPointF(461, 462.5) << QPoint(30, 40) << std::size_t(256);
        QTest::newRow("near zero, all at once") << QPointF(461, 462.5) << QPoint(30, 40) << all;
        QTest::newRow("any salinity")
            << QPointF(-400, 600) << QPoint(-32734, 32767) << std::size_t(97);
    }
    void clearRangesAreTheStepsRange() {
        QFETCH(QPointF, temperatures);
        QFETCH(QPoint, salinities);
        QFETCH(std::size_t, block);
        std::mt19937_64 random(1);
        std::uniform_real_distribution<double> T(temperatures.x(), temperatures.y());
        std::uniform_int_distribution<int> sa(salinities.x(), salinities.y());
        long clear = 0;
        for (int water = 0; water < 10; ++water) {
            const double t = T(random);
            std::optional<engine::RayRadius> r;
            if (errorOf([&] { r = engine::rayRadius(t, std::int16_t(sa(random)), 15); }))
                continue;
            std::vector<double> deltaDs;
            for (double z = engine::kLayerDepthFt; z >= 0.0; z += plot::kRayStepFt)
                deltaDs.push_back(z - engine::kLayerDepthFt);
            for (const double deepest : {-double(engine::kLayerDepthFt), -32768.0})
                addIntegerCrossings(*r, deepest, deltaDs);
            std::sort(deltaDs.begin(), deltaDs.end()); // runs in order are filled from their ends
            if (water % 2 == 1)
                std::reverse(deltaDs.begin(), deltaDs.end()); // falling, as the plot asks
            std::vector<std::optional<std::int16_t>> ranges(deltaDs.size());
            for (std::size_t at = 0; at < deltaDs.size(); at += block)
                engine::clearRanges(
                    *r, std::span(deltaDs).subspan(at).first(std::min(block, deltaDs.size() - at)),
                    std::span(ranges).subspan(at));
            for (std::size_t i = 0; i < deltaDs.size(); ++i) {
                std::optional<engine::RayPoint> p; // where the shortcut answers, the step's S, and
                if (!ranges[i] || (!errorOf([&] { p = engine::rayStepAt(*r, deltaDs[i]); }) &&
                                   *ranges[i] == p->S && withinMargin(*p)))
                    continue; // the step's range within a thousandth of the margin of the root's
                QFAIL(qPrintable(QString::asprintf("r1 %.17g, deltaD %.17g", r->r1, deltaDs[i])));
            }
            clear += std::count_if(ranges.begin(), ranges.end(), [](auto S) { return bool(S); });
        }
        QVERIFY(clear > 0);
        // Runs across where the cosine turns negative, and the range with it:
        // neither the run nor a part of it may be filled from its ends.
        using Ranges = std::vector<std::optional<std::int16_t>>;
        const std::pair<std::vector<double>, Ranges> across[] = {
            {{-12.5, -6.5, -0.5}, {0, 2, 0}},              // ends that agree
            {{-1, -3, -6.5, -10, -12.5}, {1, 1, 2, 1, 0}}, // ends that do not
        };
        for (const auto& [depths, expected] : across) {
            Ranges ranges(depths.size());
            engine::clearRanges(engine::RayRadius{0.0, 6.5}, depths, ranges);
            QCOMPARE(ranges, expected);
        }
    }

    // The fast painter against every primitive drawn in order, pixel by pixel,
    // with the same values, error and area to repaint, and a round marker;
    // then, unless "between" is '-', a second call after a change: none (' '),
    // a line drawn over the plot, or a new calculation. Only a call that
    // changes nothing draws nothing, and leaves nothing to repaint.
    void sameAsEveryPrimitive_data() {
        QTest::addColumn<CalculationValues>("start");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<char>("between");
        QTest::addColumn<QString>("error"); // part of the message, or empty
        const auto row = [](const QByteArray& name, const QString& typed, qreal dpr,
                            char between = '-', const char* error = "") {
            QTest::newRow(name.constData())
                << afterCalcolo(typed) << dpr << between << QString(error);
        };
        row("worked example, then nothing changed", "60 35 10", 1.0, ' ');
        row("worked example 2x", "60 35 10", 2.0);
        row("before any calculation: one pass, then all", "", 1.0, ' ');
        row("drawn over", "60 35 10", 1.0, 'l');
        row("new calculation", "60 35 10", 1.0, 'v');
        row("negative speed fails on the second pass", "500 35 15", 1.0, '-',
            "argomento non valido.\n\nLa velocità");
        row("marker beyond 8191 yd fails after one red circle", "60 35 -18000", 1.0, '-',
            "overflow.\n\nQuota di calc.");
        row("water 42.1 degF 35 ppt -36 ft at 1x", "42.1 35 -36", 1.0); // drawn at random once
        row("water 47.1 degF 24 ppt -40 ft at 2x", "47.1 24 -40", 2.0);
        row("water 88.65 degF 33 ppt -26 ft at 1.5x", "88.65 33 -26", 1.5);
    }
    void sameAsEveryPrimitive() {
        QFETCH(CalculationValues, start);
        QFETCH(qreal, dpr);
        QFETCH(char, between);
        QFETCH(QString, error);
        auto fast = makeSurface(dpr), reference = makeSurface(dpr);
        CalculationValues v = start, w = start;
        plot::NearRangePlot plot;
        const auto message = [](const auto& e) {
            return e ? QString::fromUtf8(e->what()) : QString();
        };
        for (int call = 0; call < (between == '-' ? 1 : 2); ++call) {
            for (Surface* s : {fast.get(), reference.get()})
                if (call == 1 && between == 'l')
                    s->canvas().line(5000, 1140, 14000, 1140, raster::kRed);
            if (call == 1 && between == 'v')
                v = w = afterCalcolo("70 30 2");
            if (call == 1)
                v.r1 = v.S = 0; // the write-back is made on every call
            fast->takeChangedRect();
            reference->takeChangedRect();
            bool drew = false;
            const auto fastError = errorOf([&] { drew = plot.grafica(fast->canvas(), v); });
            const auto referenceError =
                errorOf([&] { plot::drawReference(reference->canvas(), w); });
            QCOMPARE(message(fastError), message(referenceError));
            QVERIFY(error.isEmpty() ? !fastError : message(fastError).contains(error));
            const bool skipped = !drew && !fastError;
            QCOMPARE(skipped, call == 1 && between == ' ' && start.d1 != 0);
            QCOMPARE(v, w);
            QVERIFY(fast->image() == reference->image());
            if (!fastError && dpr == int(dpr) && v.Spunto > 20 && v.Spunto < 900 && v.Dpunto >= 0)
                QVERIFY(markerIsRound(*fast, v, dpr));
            // A skipped call changed nothing, where the plain way repainted
            // pixels back to the colour they had.
            QCOMPARE(fast->takeChangedRect(), skipped ? QRect() : reference->takeChangedRect());
        }
    }
};

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
