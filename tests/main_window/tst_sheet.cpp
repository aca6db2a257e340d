#include "EngineText.h"
#include "FormDriver.h"
#include "PdfPages.h"

namespace {

using pdf_pages::Ink;

constexpr int kDotsPerInch = 200;
const QSize kA4(1654, 2339); // pixels at kDotsPerInch
const QString kTitle = "Raggio limite – scheda di calcolo";

// The range panel (0 to 1000 yd across, 0 to 100 ft down) on a page, measured
// on the plot's only long solid lines, from 0 degF to 1000 yd at 15 and 65 ft.
QRectF rangePanel(const QImage& page) {
    QList<QList<QPoint>> lines;
    for (int y = 0; y < page.height(); ++y)
        if (auto dark = pdf_pages::inkIn(page, Ink::Dark, QRect(0, y, page.width(), 1));
            double(dark.size()) > page.width() * 0.6)
            lines << dark;
    if (lines.isEmpty())
        return {};
    const QPoint zero = lines.first().first(), end = lines.first().last(); // 0 degF, 1000 yd
    const double twip = (end.x() + 1 - zero.x()) / 13700.0;                // in pixels
    const double foot = (lines.last().first().y() - zero.y()) / 50.0;
    return {zero.x() + 4500 * twip, zero.y() + 0.5 - 15 * foot, 9200 * twip, 100 * foot};
}

// A single A4 portrait page whose plot fills the width between the margins,
// with the captions' colours of the window, its blue point at (yd, ft) (none
// for a negative yd) and its red ray from (0 yd, 15 ft) to the surface at
// surface yd (negative: the plot stopped after its first circle).
void checkPage(const QString& path, QList<double> plot) {
    const double yd = plot[0], ft = plot[1], surfaceYd = plot[2];
    const QImage page = pdf_pages::page(path, 1, kDotsPerInch);
    const QSize off = page.size() - kA4; // pdftoppm rounds up
    QVERIFY(qAbs(off.width()) <= 2 && qAbs(off.height()) <= 2 &&
            pdf_pages::page(path, 2, 9).isNull());
    const QRectF panel = rangePanel(page);
    // 980 window pixels, 14700 twips, between the 15 mm margins
    QVERIFY2(qAbs(panel.width() * 14700 / 9200 - kA4.width() * (595.28 - 85) / 595.28) < 4,
             qPrintable(QString::number(panel.width())));
    const auto at = [&](double yd, double ft) {
        return panel.topLeft() + QPointF(panel.width() * yd / 1000, panel.height() * ft / 100);
    };
    const QRect overTemperatures(0, int(panel.top()) - 50, int(panel.left()) - 10, 30);
    const QRect overRanges = overTemperatures.translated(int(panel.left()) + 10, 0);
    QVERIFY(!pdf_pages::inkIn(page, Ink::Blue, overTemperatures).isEmpty() &&
            pdf_pages::inkIn(page, Ink::Blue, overRanges).isEmpty() &&
            !pdf_pages::inkIn(page, Ink::Dark, overRanges).isEmpty());
    // Over the surface too, for the ray's last circles; the blue grid of the
    // temperature panel ends on the range panel's left edge.
    const QRect area = panel.toAlignedRect().adjusted(-4, -8, 4, 0);
    const auto blue = pdf_pages::inkCentre(page, Ink::Blue, area.adjusted(10, 0, 0, 0));
    QCOMPARE(blue.has_value(), yd >= 0);
    QVERIFY(!blue || (*blue - at(yd, ft)).manhattanLength() < 3);
    QList<QPoint> red = pdf_pages::inkIn(page, Ink::Red, area);
    std::sort(red.begin(), red.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    QVERIFY(!red.isEmpty() && (red.first() - at(0, 15)).manhattanLength() < 5);
    QVERIFY((red.last() - (surfaceYd < 0 ? at(0, 15) : at(surfaceYd, 0))).manhattanLength() < 5);
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

  private slots:
    // Off until a Calcolo completes; then the last completed Calcolo, to a
    // file or to the printer, unchanged by Grafico and by whatever was typed
    // and failed after it: the title, the inputs as typed and as used, the
    // whole report, the axis captions (hidden in the window until Grafico) and
    // the plot; a plot that stops on a run-time error leaves what it drew.
    void sheet_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<QList<double>>("plot"); // the point's yd and ft, the surface's yd
        QTest::newRow("virgola e decimali, stampata")
            << "Stampa scheda…" << QStringList{"60,5", "35.4", "10.4"}
            << QStringList{"T = 60 °F", "sa = 35 pt x 1000", "D= 10 ft"}
            << QList<double>{548, 10, 950};
        QTest::newRow("punto oltre 8191 yd, esportata")
            << "Esporta scheda PDF…" << QStringList{"60", "35", "-1200"}
            << QStringList{"T = 60 °F", "sa = 35 pt x 1000", "D= -1200 ft"}
            << QList<double>{-1, 0, -1};
    }
    void sheet() {
        QFETCH(QString, entry);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, used);
        QFETCH(QList<double>, plot);
        MenuDriver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "16"); // fails: still nothing to put on a sheet
        QVERIFY(!w.entry(entry)->isEnabled());
        w.calcolo(typed[0], typed[1], typed[2]);
        w.grafico();
        w.calcolo("60", "35", "16");
        w.type("70", "30", "2");
        const QString path = w.dialogs->path = w.dialogs->printTo = dir.filePath("scheda.pdf");
        const qsizetype errors = w.errors.size();
        w.entry(entry)->trigger();
        QCOMPARE(w.errors.size(), errors);
        // As a reader copies it: blanks and ligatures undone.
        const QString all =
            pdf_pages::text(path).normalized(QString::NormalizationForm_KC).simplified();
        QVERIFY2(all.startsWith(kTitle), qPrintable(all));
        const char* boxes[] = {"Temperatura (°F)", "Salinità (pt x 1000)", "Quota di calc. (ft)"};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(all.contains(QString("%1 «%2» %3").arg(boxes[i], typed[i], used[i])),
                     boxes[i]);
        const QString report = reportOf(calculationOf(typed)).join(' ').simplified();
        QVERIFY2(all.contains(report), qPrintable(all));
        for (const char* caption : {"temp. -gradi F ( 4°F/div.)", "distanza - yd ( 50 yd/div.)",
                                    "- 100 ft", "feet (5ft/"})
            QVERIFY2(all.contains(caption), caption);
        checkPage(path, plot);
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
