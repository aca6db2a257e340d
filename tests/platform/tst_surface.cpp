#include "platform/Surface.h"

#include <QGuiApplication>
#include <QTest>

#include <memory>

using platform::kBlue;
using platform::kRed;
using platform::Surface;

namespace {

const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kBlueRgb = qRgb(0, 0, 255);
const QRgb kInk = qRgb(0, 0, 0);

std::unique_ptr<Surface> makeSurface(qreal dpr = 1.0) {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::WindowText, Qt::black);
    return std::make_unique<Surface>(QSize(200, 100), dpr, palette, QFont());
}

// The device pixels of the given colour, row by row.
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
    // Where a primitive lands, in device pixels.
    void primitives_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<char>("kind"); // point, line or circle
        QTest::addColumn<float>("radius");
        QTest::addColumn<QList<QPoint>>("expected");
        QTest::newRow("pset 1x") << 1.0 << 'p' << 0.f << QList<QPoint>{{33, 20}};
        QTest::newRow("pset 2x is one logical pixel")
            << 2.0 << 'p' << 0.f << QList<QPoint>{{66, 40}, {67, 40}, {66, 41}, {67, 41}};
        QTest::newRow("line 1x") << 1.0 << 'l' << 0.f
                                 << QList<QPoint>{{10, 20}, {11, 20}, {12, 20}};
        QTest::newRow("circle 1x radius 1")
            << 1.0 << 'c' << 10.f << QList<QPoint>{{100, 49}, {99, 50}, {101, 50}, {100, 51}};
        QTest::newRow("off the surface: nothing") << 1.0 << 'o' << 0.f << QList<QPoint>{};
    }
    void primitives() {
        QFETCH(qreal, dpr);
        QFETCH(char, kind);
        QFETCH(float, radius);
        QFETCH(QList<QPoint>, expected);
        auto surface = makeSurface(dpr);
        if (kind == 'p')
            surface->pset(500.0f, 300.0f, kRed);
        else if (kind == 'l')
            surface->line(150.0f, 300.0f, 180.0f, 300.0f, kRed);
        else if (kind == 'c')
            surface->circle(1500.0f, 750.0f, radius, kRed);
        else
            surface->line(500.0f, 17460.0f, 14200.0f, 17460.0f, kRed);
        QCOMPARE(pixelsOf(surface->image(), kRedRgb), expected);
    }

    // The changed area covers every changed device pixel, rounded outwards.
    void changedArea_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("1x") << 1.0 << QRect(97, 47, 7, 7);
        QTest::newRow("1.5x") << 1.5 << QRect(QPoint(96, 46), QPoint(104, 54));
        QTest::newRow("2x") << 2.0 << QRect(QPoint(96, 46), QPoint(104, 54));
    }
    void changedArea() {
        QFETCH(qreal, dpr);
        QFETCH(QRect, expected);
        auto surface = makeSurface(dpr);
        QCOMPARE(surface->takeChangedRect(), QRect(0, 0, 200, 100)); // the first Cls
        const auto before = surface->revision();
        surface->circle(1500.0f, 750.0f, 50.0f, kBlue);
        QCOMPARE(surface->takeChangedRect(), expected);
        QVERIFY(surface->revision() != before);
        const auto drawn = surface->revision();
        surface->circle(1500.0f, 750.0f, 50.0f, kBlue); // changes no pixel
        QCOMPARE(surface->takeChangedRect(), QRect());
        QCOMPARE(surface->revision(), drawn);
    }

    // Each line starts one font height below the last, eight average
    // characters in; Cls starts again at the top.
    void printPosition() {
        auto surface = makeSurface();
        const QFontMetricsF metrics{QFont()};
        surface->print({platform::PrintItem::Spc(8), "X"});
        const QList<QPoint> first = pixelsOf(surface->image(), kInk);
        QVERIFY(!first.isEmpty());
        QVERIFY(first.first().y() < metrics.height());
        for (const QPoint& p : first)
            QVERIFY(p.x() >= 8 * metrics.averageCharWidth() - 1);
        surface->print({});
        surface->print({platform::PrintItem::Spc(8), "X"});
        const QList<QPoint> all = pixelsOf(surface->image(), kInk);
        const int third = all[first.size()].y(); // the first inked row of the third line
        QVERIFY2(std::abs(third - first.first().y() - 2 * metrics.height()) < 1.0,
                 qPrintable(QString::number(third)));
        QCOMPARE(surface->lines(), QStringList({"X", "", "X"}));
        surface->cls();
        QVERIFY(surface->lines().isEmpty());
        surface->print({platform::PrintItem::Spc(8), "X"});
        QCOMPARE(pixelsOf(surface->image(), kInk), first);
    }

    void growingKeepsThePicture() {
        auto surface = makeSurface(2.0);
        surface->pset(150.0f, 150.0f, kRed);
        surface->ensureSize(QSize(300, 150));
        QCOMPARE(surface->image().size(), QSize(600, 300));
        QCOMPARE(surface->pixelAt(150.0f, 150.0f), kRedRgb);
        QCOMPARE(surface->pixelAt(4400.0f, 2200.0f), qRgb(255, 255, 255)); // the background
        surface->ensureSize(QSize(10, 10));                                // never shrinks
        QCOMPARE(surface->image().size(), QSize(600, 300));
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
