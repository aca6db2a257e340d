#include "ErrorOf.h"
#include "engine/Calculation.h"
#include "platform/Canvas.h"
#include "platform/Surface.h"
#include "plot/NearRangePlot.h"
#include "plot/ReferencePlot.h"

#include <QGuiApplication>
#include <QTest>

#include <memory>
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
            bool drew = false;
            const auto fastError = errorOf([&] { drew = plot.grafica(*fast, v); });
            const auto referenceError = errorOf([&] { plot::drawReference(*reference, w); });
            QCOMPARE(fastError ? fastError->message() : "",
                     referenceError ? referenceError->message() : "");
            QVERIFY(error.isEmpty() ? !fastError : fastError->message().contains(error));
            QCOMPARE(drew || fastError, call == 0 || between != ' ' || start.d1 == 0);
            QCOMPARE(v, w);
            QVERIFY(fast->image() == reference->image());
        }
    }
};

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
