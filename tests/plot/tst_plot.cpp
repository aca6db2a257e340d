#include "main_window/Calculation.h"
#include "platform/Canvas.h"
#include "platform/RuntimeError.h"
#include "platform/Surface.h"
#include "plot/NearRangePlot.h"
#include "plot/RayRange.h"
#include "plot/ReferencePlot.h"
#include "ray/RayStep.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

Q_DECLARE_METATYPE(FormVariables)

using platform::Colour;
using platform::Surface;

namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

// Every primitive of one call, in order.
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
    std::vector<Circle> ofColour(Colour colour) const {
        std::vector<Circle> found;
        for (const Circle& c : circles)
            if (c.colour == colour)
                found.push_back(c);
        return found;
    }
};

FormVariables afterCalcolo(const char* t, const char* sa, const char* depth) {
    return Calculation::fromTexts(t, sa, depth).variables;
}

Surface makeSurface(qreal dpr) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::WindowText, Qt::black);
    Surface surface(QSize(1001, 681), dpr, palette, QFont());
    surface.setBackColor(platform::systemColour(15));
    return surface;
}

// Runs a drawing and returns the kind of error it raised, or -1.
int errorOf(const std::function<void()>& draw) {
    try {
        draw();
    } catch (const platform::RuntimeError& error) {
        return int(error.kind());
    }
    return -1;
}

} // namespace

class TestPlot : public QObject {
    Q_OBJECT

  private slots:
    void primitiveCounts() {
        Recording rec;
        FormVariables v = afterCalcolo("60", "35", "10");
        plot::drawReference(rec, v);
        QCOMPARE(rec.dots, 21 * 161 + 21 * 154 + 21 * 161 + 21 * 151 + 261 + 141);
        QCOMPARE(rec.lines, 3);
        QCOMPARE(rec.ofColour(kRed).size(), std::size_t(13637));
        QCOMPARE(rec.ofColour(kBlue).size(), std::size_t(13637));
        QCOMPARE(v.d1, 15);
        QCOMPARE(v.S, 950);
        QCOMPARE(qRound64(v.r1 * 100), 27080071);
    }

    // The ray for T 60, sa 35: red circles at the given depth, centres in twips.
    void workedValues_data() {
        QTest::addColumn<double>("depth");
        QTest::addColumn<double>("x");
        QTest::newRow("z 15, on the 15 ft line") << 15.0 << 5000.0;
        QTest::newRow("z 14") << 14.0 << 7254.0;
        QTest::newRow("z 10") << 10.0 << 10041.6;
        QTest::newRow("z 5") << 5.0 << 12130.0;
        QTest::newRow("last pass, at the surface") << 0.0 << 13740.0;
    }
    void workedValues() {
        QFETCH(double, depth);
        QFETCH(double, x);
        Recording rec;
        FormVariables v = afterCalcolo("60", "35", "10");
        plot::drawReference(rec, v);
        const auto reds = rec.ofColour(kRed);
        const auto nearest = std::min_element(reds.begin(), reds.end(), [&](auto a, auto b) {
            return std::abs(a.y - (500 + 64 * depth)) < std::abs(b.y - (500 + 64 * depth));
        });
        QVERIFY(std::abs(nearest->y - (500 + 64 * depth)) < 0.1);
        QCOMPARE(nearest->x, float(x));
        QCOMPARE(nearest->radius, 10.0f);
        const auto blue = rec.ofColour(kBlue).front();
        QCOMPARE(blue.x, 10041.6f); // the calculated point, through which the ray passes
        QCOMPARE(blue.y, 1140.0f);
        QCOMPARE(blue.radius, 50.0f);
    }

    // The shortcut range against the full arithmetic, over every pass of the ray.
    void rangeAtEveryPass_data() {
        QTest::addColumn<double>("T");
        QTest::addColumn<int>("sa");
        for (const double T : {0.0, 28.0, 60.0, 60.5, 85.0, -10.0, 300.0})
            for (const int sa : {0, 35, 40, 2000, 32767})
                QTest::addRow("T %g, sa %d", T, sa) << T << sa;
    }
    void rangeAtEveryPass() {
        QFETCH(double, T);
        QFETCH(int, sa);
        const double r1 = ray::soundSpeed(T, std::int16_t(sa), 15) / ray::kGradient;
        const plot::RayRange range(r1);
        for (double z = 15.0; z >= 0.0; z += -0.0011) {
            const double deltaD = z - 15.0;
            const auto exact = ray::rangeYards(r1, ray::grazingAngle(ray::cosineAt(deltaD, r1)));
            if (range.at(deltaD) != exact)
                QFAIL(qPrintable(QString("z %1: %2").arg(z).arg(exact)));
        }
    }

    void rangeAtRandomPoints() {
        std::mt19937_64 random(20261206);
        std::uniform_real_distribution<double> depth(-40.0, 0.0);
        std::uniform_real_distribution<double> logRadius(2.0, 7.5);
        std::uniform_int_distribution<int> yards(1, 1500);
        for (int i = 0; i < 200000; ++i) {
            const double r1 = std::pow(10.0, logRadius(random));
            double deltaD = depth(random);
            if (i % 2 ==
                1) { // a point whose range is a whole number of yards, give or take rounding
                const double sine = std::min(1.0, 3.0 * yards(random) / r1);
                deltaD = (std::sqrt(1.0 - sine * sine) - 1.0) * r1;
            }
            int exact = 0;
            if (errorOf([&] {
                    exact = ray::rangeYards(r1, ray::grazingAngle(ray::cosineAt(deltaD, r1)));
                }) >= 0)
                continue; // the errors are compared below
            QCOMPARE(int(plot::RayRange(r1).at(deltaD)), exact);
        }
    }

    void rangeAtRaisesTheSameErrors_data() {
        QTest::addColumn<double>("deltaD");
        QTest::addColumn<double>("r1");
        QTest::newRow("negative radius") << -0.0011 << -100000.0;
        QTest::newRow("zero radius") << -1.0 << 0.0;
        QTest::newRow("below the layer") << 1.0 << 270800.0;
        QTest::newRow("range beyond 16 bits") << -19015.0 << 270800.0;
    }
    void rangeAtRaisesTheSameErrors() {
        QFETCH(double, deltaD);
        QFETCH(double, r1);
        const int exact =
            errorOf([&] { ray::rangeYards(r1, ray::grazingAngle(ray::cosineAt(deltaD, r1))); });
        QVERIFY(exact >= 0);
        QCOMPARE(errorOf([&] { plot::RayRange(r1).at(deltaD); }), exact);
    }

    // The fast painter against every primitive drawn in order, pixel by pixel.
    void sameAsEveryPrimitive_data() {
        QTest::addColumn<FormVariables>("start");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("calls");
        QTest::newRow("worked example") << afterCalcolo("60", "35", "10") << 1.0 << 1;
        QTest::newRow("worked example 2x") << afterCalcolo("60", "35", "10") << 2.0 << 1;
        QTest::newRow("first call before any calculation") << FormVariables{} << 1.0 << 1;
        QTest::newRow("first and second call") << FormVariables{} << 2.0 << 2;
        QTest::newRow("negative depth") << afterCalcolo("60", "35", "-2") << 1.0 << 1;
        QTest::newRow("cold water, high salinity") << afterCalcolo("28", "40", "3") << 1.0 << 1;
        QTest::newRow("large radius") << afterCalcolo("60", "32767", "7") << 1.0 << 2;
        QTest::newRow("negative speed fails on the second pass")
            << afterCalcolo("500", "35", "15") << 1.0 << 1;
        QTest::newRow("marker beyond 8191 yd fails after one red circle")
            << afterCalcolo("60", "35", "-18000") << 1.0 << 1;
    }
    void sameAsEveryPrimitive() {
        QFETCH(FormVariables, start);
        QFETCH(qreal, dpr);
        QFETCH(int, calls);
        Surface fast = makeSurface(dpr);
        Surface reference = makeSurface(dpr);
        FormVariables fastVars = start;
        FormVariables referenceVars = start;
        NearRangePlot plot;
        for (int call = 0; call < calls; ++call) {
            const int fastError = errorOf([&] { plot.grafica(fast, fastVars); });
            const int referenceError =
                errorOf([&] { plot::drawReference(reference, referenceVars); });
            QCOMPARE(fastError, referenceError);
            QCOMPARE(fastVars, referenceVars);
            QVERIFY(fast.image() == reference.image());
        }
    }

    // Later calls over an unchanged picture leave it as it is; after the
    // picture changed they draw everything again.
    void repeatedCalls() {
        Surface surface = makeSurface(1.0);
        FormVariables v = afterCalcolo("60", "35", "10");
        NearRangePlot plot;
        plot.grafica(surface, v);
        const QImage once = surface.image().copy();
        const FormVariables after = v;
        v.r1 = 0; // the write-back is made on every call
        v.S = 0;
        plot.grafica(surface, v);
        QCOMPARE(v, after);
        QVERIFY(surface.image() == once);
        surface.cls();
        plot.grafica(surface, v);
        QVERIFY(surface.image() == once);
        surface.line(5000, 1140, 14000, 1140, kRed);
        plot.grafica(surface, v);
        Surface expected = makeSurface(1.0);
        FormVariables w = after;
        expected.line(5000, 1140, 14000, 1140, kRed);
        plot::drawReference(expected, w);
        QVERIFY(surface.image() == expected.image());
    }
};

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
