#include "platform/Surface.h"

#include "platform/FormFont.h"
#include "platform/QtColours.h"
#include "platform/QtGeometry.h"
#include "raster/PixelCanvas.h"

#include "ExpectedText.h"

#include <QGuiApplication>
#include <QMetaEnum>
#include <QPalette>
#include <QSet>
#include <QTest>

#include <memory>

using platform::Surface;
using raster::kBlue;
using raster::kRed;

namespace {

const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kPaper = qRgb(255, 255, 255);

std::unique_ptr<Surface> makeSurface(qreal dpr = 1.0, QSize size = {200, 100}, QFont font = {}) {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::darkGray); // not the drawing's foreground
    return std::make_unique<Surface>(size, dpr, palette, font);
}

// The device pixels that are not paper, row by row.
QList<QPoint> inkOf(const QImage& image) {
    QList<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kPaper)
                points.append(QPoint(x, y));
    return points;
}

} // namespace

class TestSurface : public QObject {
    Q_OBJECT

  private slots:
    // Each of the form's system colours takes its palette role: with every
    // role a colour of its own, the role each colour comes from, against
    // tests/platform/expected/system-colours.txt.
    void systemColoursTakeTheirRoles() {
        QPalette palette;
        const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
        for (int r = 0; r < QPalette::NColorRoles; ++r)
            palette.setColor(QPalette::Active, QPalette::ColorRole(r), QColor(r, 100, 200));
        const raster::Palette resolved = platform::rasterPalette(palette);
        std::string told =
            "foreground " + std::string(roles.valueToKey(qRed(resolved.foreground))) + "\n";
        QSet<int> beyond; // past the 25 the system has
        for (unsigned n = 0; n < resolved.system.size(); ++n)
            if (n < 25)
                told += std::to_string(n) + ' ' + roles.valueToKey(qRed(resolved.system[n])) + '\n';
            else
                beyond << qRed(resolved.system[n]);
        for (int r : beyond)
            told += std::string("25 to 255 ") + roles.valueToKey(r) + '\n';
        QVERIFY(expected_text::matches("system-colours", told));
    }

    // The picture draws as the page's canvas on pixels of its own does: at
    // each ratio, also once the picture grew or moved from a ratio of 2, the
    // same calls leave the same pixels and the same area to repaint.
    void sameAsOwnPixels_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<char>("before"); // '-' nothing, 'g' grown, 'm' moved from 2x, 'c' copied
        QTest::newRow("2x, grown") << 2.0 << 'g';
        QTest::newRow("1.5x, moved from 2x") << 1.5 << 'm';
        QTest::newRow("1x, a copy kept") << 1.0 << 'c';
    }
    void sameAsOwnPixels() {
        QFETCH(qreal, dpr);
        QFETCH(char, before);
        const QSize size(200, 100);
        auto surface =
            makeSurface(before == 'm' ? 2.0 : dpr, before == 'g' ? QSize(150, 80) : size);
        if (before == 'g') { // what was drawn stays, the new part is paper; it never shrinks
            surface->canvas().pset(150.0f, 150.0f, kRed);
            surface->ensureSize(size);
            surface->ensureSize(QSize(10, 10));
            QVERIFY(surface->pixelAt(150.0f, 150.0f) == kRedRgb &&
                    surface->pixelAt(2985.0f, 1485.0f) == kPaper);
        }
        if (before == 'm')
            surface->setDevicePixelRatio(dpr);
        surface->cls();
        QCOMPARE(surface->takeChangedRect(), QRect(QPoint(), size));     // all of it
        const QImage kept = before == 'c' ? surface->image() : QImage(); // keeps the paper
        raster::Palette palette;                                         // makeSurface's
        palette.foreground = qRgb(0, 0, 0);
        palette.system[5] = kPaper;
        palette.system[15] = qRgb(0xF0, 0xF0, 0xF0);
        raster::PixelCanvas own({size.width(), size.height()}, dpr, palette);
        own.fill(raster::systemColour(5));
        own.takeChanged();
        for (raster::Canvas* canvas : {static_cast<raster::Canvas*>(&surface->canvas()),
                                       static_cast<raster::Canvas*>(&own)}) {
            canvas->psetRun(500, 40, 0, 40, 30, std::nullopt);
            canvas->psetRun(60, 700, 60, 0, 40, kBlue);
            canvas->line(100, 1400, 2900, 160, kRed);
            canvas->circle(1500.5f, 750, 50, raster::systemColour(15));
            canvas->circle(2000, 1000, 10, kRed);
            canvas->pset(2985, 1485, std::nullopt); // the last pixel
        }
        const QImage& image = surface->image();
        const raster::PixelBuffer& pixels = own.buffer();
        QCOMPARE(image.size(), QSize(pixels.width, pixels.height));
        for (int y = 0; y < pixels.height; ++y)
            QVERIFY2(std::equal(pixels.row(y), pixels.row(y) + pixels.width,
                                reinterpret_cast<const QRgb*>(image.constScanLine(y))),
                     qPrintable(QStringLiteral("row %1").arg(y)));
        QCOMPARE(surface->takeChangedRect(), platform::toQRect(own.takeChanged()));
        QVERIFY(inkOf(kept).isEmpty());
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
