#include "platform/Colour.h"
#include "platform/Surface.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

using platform::Surface;

namespace {

constexpr platform::Colour kRed = 0x0000FF;
constexpr platform::Colour kBlue = 0xFF0000;
const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kBlueRgb = qRgb(0, 0, 255);

QPalette testPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::WindowText, Qt::black);
    return palette;
}

Surface makeSurface(qreal dpr = 1.0) {
    Surface surface(QSize(200, 100), dpr, testPalette(), QFont());
    surface.setBackColor(platform::systemColour(5));
    return surface;
}

// The device pixels of the given colour.
QList<QPoint> pixelsOf(const QImage& image, QRgb rgb) {
    QList<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == rgb)
                points.append(QPoint(x, y));
    return points;
}

} // namespace

class TestSurface : public QObject {
    Q_OBJECT

  private slots:
    // Where a primitive lands, in device pixels, at 1x and 2x.
    void primitives_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("kind"); // 0 pset, 1 line, 2 circle
        QTest::addColumn<QList<QPoint>>("expected");
        QTest::newRow("pset 1x") << 1.0 << 0 << QList<QPoint>{{33, 20}};
        QTest::newRow("pset 2x is one logical pixel")
            << 2.0 << 0 << QList<QPoint>{{66, 40}, {67, 40}, {66, 41}, {67, 41}};
        QTest::newRow("circle 2x radius 1, pen of two")
            << 2.0 << 2 << QList<QPoint>{{200, 99},  {201, 99},  {199, 100}, {202, 100},
                                         {200, 100}, {201, 100}, {199, 101}, {202, 101},
                                         {200, 101}, {201, 101}, {200, 102}, {201, 102}};
        QTest::newRow("line 1x") << 1.0 << 1 << QList<QPoint>{{10, 20}, {11, 20}, {12, 20}};
        QTest::newRow("circle 1x radius 1")
            << 1.0 << 2 << QList<QPoint>{{100, 49}, {99, 50}, {101, 50}, {100, 51}};
    }
    void primitives() {
        QFETCH(qreal, dpr);
        QFETCH(int, kind);
        QFETCH(QList<QPoint>, expected);
        Surface surface = makeSurface(dpr);
        if (kind == 0)
            surface.pset(500.0f, 300.0f, kRed);
        else if (kind == 1)
            surface.line(150.0f, 300.0f, 180.0f, 300.0f, kRed);
        else
            surface.circle(1500.0f, 750.0f, 10.0f, kRed);
        QList<QPoint> drawn = pixelsOf(surface.image(), kRedRgb);
        const auto byRow = [](QPoint a, QPoint b) {
            return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
        };
        std::sort(drawn.begin(), drawn.end(), byRow);
        std::sort(expected.begin(), expected.end(), byRow);
        QCOMPARE(drawn, expected);
    }

    void circleOutlineIsHollowAndRound() {
        Surface surface = makeSurface();
        surface.circle(1500.0f, 750.0f, 50.0f, kBlue); // radius 50 twips: 3 pixels
        const QImage& image = surface.image();
        QCOMPARE(image.pixel(103, 50), kBlueRgb);
        QCOMPARE(image.pixel(97, 50), kBlueRgb);
        QCOMPARE(image.pixel(100, 47), kBlueRgb);
        QCOMPARE(image.pixel(100, 53), kBlueRgb);
        QVERIFY(image.pixel(100, 50) != kBlueRgb);
        QCOMPARE(pixelsOf(image, kBlueRgb).size(), 16);
    }

    void drawingOffTheSurfaceIsClipped() {
        Surface surface = makeSurface();
        surface.line(500.0f, 17460.0f, 14200.0f, 17460.0f, std::nullopt);
        surface.circle(-3000.0f, 750.0f, 50.0f, kBlue);
        QVERIFY(pixelsOf(surface.image(), qRgb(0, 0, 0)).isEmpty());
        QVERIFY(pixelsOf(surface.image(), kBlueRgb).isEmpty());
    }

    void printKeepsLinesAndMovesDown() {
        Surface surface = makeSurface();
        const QFontMetrics metrics{QFont()};
        const auto inked = [&] { return pixelsOf(surface.image(), qRgb(0, 0, 0)); };
        surface.print({platform::PrintItem::Spc(8), "S=", " 548 ", "Yd"});
        const QList<QPoint> first = inked();
        QVERIFY(!first.isEmpty());
        for (const QPoint& p : first) // indented by eight average characters
            QVERIFY(p.x() >= 8 * metrics.averageCharWidth() - 1);
        surface.print({});
        surface.print({"due"});
        QCOMPARE(surface.lines(), QStringList({"        S= 548 Yd", "", "due"}));
        int lowest = 0;
        for (const QPoint& p : inked())
            lowest = std::max(lowest, p.y());
        QVERIFY(lowest >= 2 * metrics.height()); // the third line is below two others
    }

    void clsClearsTextAndDrawing() {
        Surface surface = makeSurface();
        surface.print({"testo"});
        surface.pset(150.0f, 150.0f, kRed);
        surface.cls();
        QVERIFY(surface.lines().isEmpty());
        QCOMPARE(pixelsOf(surface.image(), qRgb(255, 255, 255)).size(), 200 * 100);
        surface.print({"di nuovo"}); // from the top-left again
        QVERIFY(pixelsOf(surface.image(), qRgb(0, 0, 0)).first().y() < 20);
    }

    void backColourRepaintsTheBackground() {
        Surface surface = makeSurface();
        surface.pset(150.0f, 150.0f, kRed);
        surface.setBackColor(platform::systemColour(15));
        QCOMPARE(surface.backColor(), platform::systemColour(15));
        QCOMPARE(pixelsOf(surface.image(), qRgb(0xF0, 0xF0, 0xF0)).size(), 200 * 100);
    }

    void changesAreReportedOnlyWhenPixelsChange() {
        Surface surface = makeSurface();
        surface.takeChangedRect();
        const auto revision = surface.revision();
        surface.circle(1500.0f, 750.0f, 50.0f, kBlue);
        QCOMPARE(surface.takeChangedRect(), QRect(97, 47, 7, 7));
        QVERIFY(surface.revision() != revision);
        const auto drawn = surface.revision();
        const QImage before = surface.image().copy();
        surface.circle(1500.0f, 750.0f, 50.0f, kBlue);
        surface.pset(1545.0f, 750.0f, kBlue);
        QCOMPARE(surface.takeChangedRect(), QRect());
        QCOMPARE(surface.revision(), drawn);
        QCOMPARE(surface.image(), before);
    }

    // Drawing a circle again after something else was drawn must redraw it.
    void repeatedCircleAfterOtherDrawing() {
        Surface surface = makeSurface();
        surface.circle(1500.0f, 750.0f, 50.0f, kBlue);
        surface.line(1400.0f, 750.0f, 1600.0f, 750.0f, kRed);
        surface.circle(1500.0f, 750.0f, 50.0f, kBlue);
        QCOMPARE(surface.image().pixel(103, 50), kBlueRgb);
        QCOMPARE(surface.image().pixel(100, 50), kRedRgb);
    }

    void growingKeepsThePicture() {
        Surface surface = makeSurface(2.0);
        surface.pset(150.0f, 150.0f, kRed);
        surface.ensureSize(QSize(300, 150));
        QCOMPARE(surface.image().size(), QSize(600, 300));
        QCOMPARE(surface.pixelAt(150.0f, 150.0f), kRedRgb);
        surface.ensureSize(QSize(10, 10)); // never shrinks
        QCOMPARE(surface.image().size(), QSize(600, 300));
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
