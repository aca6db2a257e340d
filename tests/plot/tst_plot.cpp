#include "ErrorOf.h"
#include "engine/Calculation.h"
#include "engine/RayStep.h"
#include "platform/Canvas.h"
#include "platform/Surface.h"
#include "plot/NearRangePlot.h"
#include "plot/PlotFrame.h"
#include "plot/ReferencePlot.h"

#include <QGuiApplication>
#include <QTest>

#include <cmath>
#include <memory>
#include <optional>
#include <random>
#include <vector>

using engine::CalculationValues;
using platform::Colour;
using platform::Surface;

Q_DECLARE_METATYPE(CalculationValues)

namespace {

// Counts the primitives of one call and keeps its circles.
struct Recording : platform::Canvas {
    struct Circle {
        float x, y, radius;
        Colour colour;
    };
    int dots = 0;
    int lines = 0;
    std::vector<Circle> circles;

    void pset(float, float, std::optional<Colour>) override { ++dots; }
    void line(float, float, float, float, std::optional<Colour>) override { ++lines; }
    void circle(float x, float y, float r, std::optional<Colour> c) override {
        circles.push_back({x, y, r, c.value_or(0)});
    }
};

CalculationValues afterCalcolo(const char* t, const char* sa, const char* depth) {
    return engine::Calculation::fromTexts(t, sa, depth).values;
}

// The plot's depths, from the layer's bottom up to the surface, as it steps.
std::vector<double> plotDepths() {
    std::vector<double> depths;
    for (double z = engine::kLayerDepthFt; z >= 0.0; z += plot::kRayStepFt)
        depths.push_back(z);
    return depths;
}

// What the shortcut says at one depth, against the whole step's links; empty
// when they agree.
QString disagreement(const engine::RayRadius& radius, double deltaD, long& clear) {
    std::optional<engine::RayPoint> point;
    const auto stepError = errorOf([&] { point = engine::rayStepAt(radius, deltaD); });
    std::int16_t S = 0;
    const auto rangeError = errorOf([&] { S = engine::rangeAt(radius, deltaD); });
    const QString where =
        QStringLiteral("r1 %1, deltaD %2: ").arg(radius.r1, 0, 'g', 17).arg(deltaD, 0, 'g', 17);
    if (stepError || rangeError) {
        if (!stepError || !rangeError || stepError->message() != rangeError->message())
            return where + QStringLiteral("errors differ");
    } else if (S != point->S) {
        return where + QStringLiteral("rangeAt %1, step %2").arg(S).arg(point->S);
    }
    const std::optional<std::int16_t> shortcut = engine::clearRange(radius, deltaD);
    if (!shortcut)
        return {};
    ++clear;
    if (stepError || *shortcut != point->S)
        return where +
               QStringLiteral("clearRange %1, step %2").arg(*shortcut).arg(point ? point->S : 0);
    // The margin's premise: the step's range lies within a thousandth of the
    // margin of the range told from the root.
    const double fromRoot = point->r1 * std::sqrt(engine::radicandOf(point->cosTeta)) / 3.0;
    const double step = engine::unroundedRange(point->r1, point->teta);
    if (!(std::abs(step - fromRoot) <= engine::clearRangeMargin(point->r1) / 1024.0))
        return where + QStringLiteral("step %1, from the root %2")
                           .arg(step, 0, 'g', 17)
                           .arg(fromRoot, 0, 'g', 17);
    return {};
}

// Depths, next to each other as doubles, between which r1 root / 3 (the
// range told from the root of 1 - cos^2) reaches a whole number of yards:
// there the step's own range may fall on either side.
std::vector<double> integerCrossings(const engine::RayRadius& radius, int count, double deepest) {
    const auto fromRoot = [&](double deltaD) {
        return radius.r1 * std::sqrt(engine::radicandOf(engine::cosineAt(deltaD, radius.r1))) / 3.0;
    };
    std::vector<double> depths;
    const double top = std::min(fromRoot(deepest), 31999.0);
    for (int k = 1; k <= count; ++k) {
        const double whole = std::floor(top * k / (count + 1)) + 1.0;
        double near = -1e-9, far = deepest; // fromRoot grows with the height above the layer
        if (!(fromRoot(near) < whole && fromRoot(far) >= whole))
            continue;
        while (std::nextafter(near, far) != far) {
            const double middle = near + (far - near) / 2.0;
            (fromRoot(middle) < whole ? near : far) = middle;
        }
        depths.push_back(near);
        depths.push_back(far);
    }
    return depths;
}

std::unique_ptr<Surface> makeSurface(qreal dpr = 1.0) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::WindowText, Qt::black);
    auto surface = std::make_unique<Surface>(QSize(1001, 681), dpr, palette, QFont());
    surface->setBackColor(platform::systemColour(15));
    return surface;
}

// The share of the device pixels along a row of the plot, between two x in
// twips, that have the colour.
double shareOf(const Surface& surface, QRgb rgb, float y, float left, float right) {
    int count = 0, all = 0;
    for (float x = left; x <= right; x += 15.0f, ++all)
        count += surface.pixelAt(x, y) == rgb;
    return double(count) / all;
}

} // namespace

class TestPlot : public QObject {
    Q_OBJECT

  private slots:
    // Every primitive of one call for T 60 and sa 35, in order; the ray at
    // 15 ft starts on the line, and the blue circle marks the computed point.
    void primitives() {
        Recording rec;
        CalculationValues v = afterCalcolo("60", "35", "10");
        plot::drawReference(rec, v);
        QCOMPARE(rec.dots, 21 * 161 + 21 * 154 + 21 * 161 + 21 * 151 + 261 + 141);
        QCOMPARE(rec.lines, 3);
        QCOMPARE(rec.circles.size(), std::size_t(2 * 13637));
        const Recording::Circle first = rec.circles[0], blue = rec.circles[1];
        QVERIFY(first.x == 5000.0f && first.y == 1460.0f && first.radius == 10.0f &&
                first.colour == platform::kRed);
        QVERIFY(blue.x == 10041.6f && blue.y == 1140.0f && blue.radius == 50.0f &&
                blue.colour == platform::kBlue);
        QCOMPARE(rec.circles[2 * 13636].x, 13740.0f); // the last pass, at the surface
    }

    // The lines at 15 and 65 ft cross both panels (under the temperature
    // panel's blue dots), and the profile lies where it should.
    void depthLinesAndProfile() {
        auto surface = makeSurface();
        CalculationValues v = afterCalcolo("60", "35", "10");
        plot::NearRangePlot().grafica(*surface, v);
        const QRgb ink = qRgb(0, 0, 0), blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0);
        for (const float y : {1460.0f, 4660.0f}) {
            QVERIFY(shareOf(*surface, ink, y, 510.0f, 4990.0f) >= 0.45);
            QVERIFY(shareOf(*surface, blue, y, 510.0f, 4990.0f) >= 0.45);
            QVERIFY(shareOf(*surface, ink, y + 15.0f, 5100.0f, 14100.0f) == 0.0);
        }
        QVERIFY(shareOf(*surface, ink, 4660.0f, 5100.0f, 14190.0f) == 1.0);
        QVERIFY(shareOf(*surface, ink, 1460.0f, 6400.0f, 14190.0f) == 1.0); // right of the ray
        QCOMPARE(surface->pixelAt(4437.5f, 2000.0f), red);                  // 70 degF above 65 ft
        QCOMPARE(surface->pixelAt(500.0f + 56.25f * 56, 6900.0f), red);     // on the bottom edge
    }

    // The fast painter against every primitive drawn in order, pixel by pixel,
    // with the same values and the same error; then, unless "between" is '-',
    // a second call after a change: none (' '), a Cls, a line drawn over the
    // plot, or a new calculation. Only a call that changes nothing draws nothing.
    // The range told from the root of 1 - cos^2, where it answers, is the
    // whole step's S at every depth of the plot for many waters, realistic
    // and extreme, where it reaches whole yards, and at any depth down to the
    // 16-bit limit; rangeAt keeps the step's S or its error everywhere.
    void clearRangeIsTheStepsRange_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("waters");
        QTest::addColumn<double>("tLow");
        QTest::addColumn<double>("tHigh");
        QTest::addColumn<int>("saLow");
        QTest::addColumn<int>("saHigh");
        QTest::addColumn<int>("farDepths"); // random depths down to -33000 ft, per water
        QTest::newRow("sea water") << 1u << 80 << 28.0 << 90.0 << 0 << 45 << 0;
        QTest::newRow("any temperature with a sound speed")
            << 2u << 40 << -212.0 << 462.0 << -200 << 200 << 200;
        QTest::newRow("sound speed near zero") << 3u << 20 << 461.0 << 462.5 << 30 << 40 << 200;
        QTest::newRow("any salinity") << 4u << 30 << -400.0 << 600.0 << -32734 << 32767 << 500;
        QTest::newRow("fractional temperatures, far depths")
            << 5u << 20 << 0.0 << 100.0 << -1000 << 1000 << 3000;
    }
    void clearRangeIsTheStepsRange() {
        QFETCH(unsigned, seed);
        QFETCH(int, waters);
        QFETCH(double, tLow);
        QFETCH(double, tHigh);
        QFETCH(int, saLow);
        QFETCH(int, saHigh);
        QFETCH(int, farDepths);
        std::mt19937_64 random(seed);
        std::uniform_real_distribution<double> temperature(tLow, tHigh);
        std::uniform_int_distribution<int> salinity(saLow, saHigh);
        std::uniform_real_distribution<double> far(-33000.0, 20.0);
        const std::vector<double> depths = plotDepths();
        long clear = 0, all = 0;
        for (int i = 0; i < waters; ++i) {
            const double T = temperature(random);
            const auto sa = std::int16_t(salinity(random));
            std::optional<engine::RayRadius> radius;
            if (errorOf([&] { radius = engine::rayRadius(T, sa, engine::kLayerDepthFt); }))
                continue;
            std::vector<double> deltaDs;
            for (const double z : depths)
                deltaDs.push_back(z - engine::kLayerDepthFt);
            for (const double deepest : {-double(engine::kLayerDepthFt), -32768.0})
                for (const double deltaD : integerCrossings(*radius, 8, deepest))
                    deltaDs.push_back(deltaD);
            for (int k = 0; k < farDepths; ++k)
                deltaDs.push_back(k % 2 ? far(random) : std::round(far(random)));
            for (const double deltaD : deltaDs) {
                ++all;
                const QString wrong = disagreement(*radius, deltaD, clear);
                if (!wrong.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("T %1, sa %2, ").arg(T, 0, 'g', 17).arg(sa) +
                                     wrong));
            }
        }
        QVERIFY(clear > 0);
        qInfo("%ld of %ld depths answered without the angle", clear, all);
    }

    void sameAsEveryPrimitive_data() {
        QTest::addColumn<CalculationValues>("start");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<char>("between");
        QTest::addColumn<QString>("error"); // part of the message, or empty
        const CalculationValues worked = afterCalcolo("60", "35", "10");
        QTest::newRow("worked example, then nothing changed") << worked << 1.0 << ' ' << "";
        QTest::newRow("worked example 2x") << worked << 2.0 << '-' << "";
        QTest::newRow("before any calculation: one pass, then all")
            << CalculationValues{} << 1.0 << ' ' << "";
        QTest::newRow("negative depth at 1.5x")
            << afterCalcolo("60", "35", "-2") << 1.5 << '-' << "";
        QTest::newRow("large radius, then cleared")
            << afterCalcolo("60", "32767", "7") << 1.0 << 'c' << "";
        QTest::newRow("drawn over") << worked << 1.0 << 'l' << "";
        QTest::newRow("new calculation") << worked << 1.0 << 'v' << "";
        QTest::newRow("marker on the last red circle")
            << afterCalcolo("60", "35", "0") << 1.0 << '-' << "";
        QTest::newRow("worked example 3x") << worked << 3.0 << '-' << "";
        std::mt19937 random(7);
        std::uniform_real_distribution<double> temperature(28.0, 90.0);
        std::uniform_int_distribution<int> salinity(0, 45), depth(-60, 15), ratio(0, 4);
        const qreal ratios[] = {1.0, 1.25, 1.5, 2.0, 3.0};
        for (int i = 0; i < 8; ++i) {
            const QByteArray t = QByteArray::number(temperature(random), 'f', 2);
            const QByteArray sa = QByteArray::number(salinity(random));
            const QByteArray d = QByteArray::number(depth(random));
            const qreal dpr = ratios[ratio(random)];
            const QByteArray name = "random water " + t + " degF " + sa + " ppt " + d + " ft at " +
                                    QByteArray::number(dpr) + "x";
            QTest::newRow(name.constData())
                << afterCalcolo(t.constData(), sa.constData(), d.constData()) << dpr << '-' << "";
        }
        QTest::newRow("negative speed fails on the second pass")
            << afterCalcolo("500", "35", "15") << 1.0 << '-'
            << "argomento non valido.\n\nLa velocità";
        QTest::newRow("marker beyond 8191 yd fails after one red circle")
            << afterCalcolo("60", "35", "-18000") << 1.0 << '-' << "overflow.\n\nQuota di calc.";
    }
    void sameAsEveryPrimitive() {
        QFETCH(CalculationValues, start);
        QFETCH(qreal, dpr);
        QFETCH(char, between);
        QFETCH(QString, error);
        auto fast = makeSurface(dpr);
        auto reference = makeSurface(dpr);
        CalculationValues v = start;
        CalculationValues w = start;
        plot::NearRangePlot plot;
        for (int call = 0; call < (between == '-' ? 1 : 2); ++call) {
            if (call == 1) {
                for (Surface* s : {fast.get(), reference.get()}) {
                    if (between == 'c')
                        s->cls();
                    if (between == 'l')
                        s->line(5000, 1140, 14000, 1140, platform::kRed);
                }
                if (between == 'v')
                    v = w = afterCalcolo("70", "30", "2");
                v.r1 = v.S = 0; // the write-back is made on every call
            }
            fast->takeChangedRect();
            reference->takeChangedRect();
            const auto fastRevision = fast->revision(), referenceRevision = reference->revision();
            bool drew = false;
            const auto fastError = errorOf([&] { drew = plot.grafica(*fast, v); });
            const auto referenceError = errorOf([&] { plot::drawReference(*reference, w); });
            QCOMPARE(fastError ? fastError->message() : "",
                     referenceError ? referenceError->message() : "");
            QVERIFY(error.isEmpty() ? !fastError : fastError->message().contains(error));
            QCOMPARE(drew || fastError, call == 0 || between != ' ' || start.d1 == 0);
            QCOMPARE(v, w);
            QVERIFY(fast->image() == reference->image());
            // The window repaints what changed, and only when something did; a
            // skipped call changed nothing, where the plain way repainted pixels
            // back to the colour they had.
            if (drew || fastError) {
                QCOMPARE(fast->takeChangedRect(), reference->takeChangedRect());
                QCOMPARE(fast->revision() != fastRevision,
                         reference->revision() != referenceRevision);
            } else {
                QVERIFY(fast->takeChangedRect().isEmpty());
                QCOMPARE(fast->revision(), fastRevision);
            }
        }
    }

    // The blue circle on the computed point is round: drawn last, whole, the
    // same under every symmetry of the square around its centre.
    void markerIsRound_data() {
        QTest::addColumn<CalculationValues>("start");
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("worked example") << afterCalcolo("60", "35", "10") << 1.0;
        QTest::newRow("over the last red circle") << afterCalcolo("60", "35", "0") << 1.0;
        QTest::newRow("near the layer's bottom") << afterCalcolo("75", "20", "14") << 1.0;
        QTest::newRow("worked example 2x") << afterCalcolo("60", "35", "10") << 2.0;
        QTest::newRow("worked example 3x") << afterCalcolo("60", "35", "10") << 3.0;
    }
    void markerIsRound() {
        QFETCH(CalculationValues, start);
        QFETCH(qreal, dpr);
        auto surface = makeSurface(dpr);
        CalculationValues v = start;
        plot::NearRangePlot().grafica(*surface, v);
        const QPoint c = surface->deviceCentre(plot::markerX(v.Spunto), plot::depthY(v.Dpunto));
        const auto blue = [&](int dx, int dy) {
            return surface->image().pixel(c + QPoint(dx, dy)) == qRgb(0, 0, 255);
        };
        // The pen, a square of whole device pixels, stretches right and down.
        const int pen = std::max(1, int(std::lround(dpr)));
        const int reach = int(8 * dpr); // device pixels, beyond the radius
        int ring = 0;
        for (int dx = -reach; dx <= reach; ++dx) {
            for (int dy = -reach; dy <= reach; ++dy) {
                ring += blue(dx, dy);
                for (const QPoint mirror :
                     {QPoint(dy, dx), QPoint(pen - 1 - dx, dy), QPoint(dx, pen - 1 - dy)})
                    if (blue(mirror.x(), mirror.y()) != blue(dx, dy))
                        QFAIL(qPrintable(QStringLiteral("(%1, %2) against (%3, %4)")
                                             .arg(dx)
                                             .arg(dy)
                                             .arg(mirror.x())
                                             .arg(mirror.y())));
            }
        }
        QCOMPARE(blue(0, 0), false);
        QVERIFY(ring >= 16);
    }
};

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
