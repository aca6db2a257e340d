#include "FormDriver.h"
#include "PdfPages.h"
#include "engine/Calculation.h"
#include "engine/Report.h"
#include "main_window/PictureActions.h"
#include "main_window/Sheet.h"

#include <QAction>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

using pdf_pages::Ink;

constexpr int kDotsPerInch = 200;
const QSizeF kA4Points(595.28, 841.89);

// Answers every dialog at once: the file, or printing to a PDF file.
struct FakeDialogs : main_window::Dialogs {
    QString path, printTo;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFileName(printTo);
        return true;
    }
};

// The sheet as Sheet::savePdf writes it; empty when it failed.
QString sheetOf(const main_window::Form1& form, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("scheda.pdf"));
    QString problem;
    return main_window::Sheet::savePdf(form, path, &problem) ? path : QString();
}

struct Window : FormDriver {
    FakeDialogs* dialogs = new FakeDialogs;
    main_window::PictureActions& actions = *form.findChild<main_window::PictureActions*>();
    QTemporaryDir dir;

    Window() { actions.setDialogs(std::unique_ptr<main_window::Dialogs>(dialogs)); }
    QAction* entry(const QString& name) const {
        const auto all = actions.menu().actions();
        const auto found =
            std::find_if(all.begin(), all.end(), [&](QAction* a) { return a->text() == name; });
        return found == all.end() ? nullptr : *found;
    }
    QString sheet() const { return sheetOf(form, dir); }
};

// The non-empty lines as a reader copies them: blanks and ligatures undone.
QStringList readLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.normalized(QString::NormalizationForm_KC).split('\n'))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}

QString where(QPointF p) {
    return QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
}

// The range panel (0 to 1000 yd across, 0 to 100 ft down) on a rendered
// page, measured on the only two solid lines of the plot, which run from
// 0 degF to 1000 yd at 15 ft and at 65 ft; empty when they are not there.
QRectF rangePanel(const QImage& page) {
    QList<double> rows;
    double left = page.width(), right = 0;
    int runStart = -1;
    for (int y = 0; y <= page.height(); ++y) {
        const auto dark = pdf_pages::inkIn(page, Ink::Dark, QRect(0, y, page.width(), 1));
        const bool line = double(dark.size()) > page.width() * 0.6;
        if (line) {
            runStart = runStart < 0 ? y : runStart;
            left = std::min(left, dark.first().x() + 0.5);
            right = std::max(right, dark.last().x() + 0.5);
        } else if (runStart >= 0) {
            rows << (runStart + y - 1) / 2.0;
            runStart = -1;
        }
    }
    if (rows.size() != 2)
        return {};
    const double perTwip = (right - left) / (14200 - 500), perFoot = (rows[1] - rows[0]) / 50;
    return {left + 4500 * perTwip, rows[0] - 15 * perFoot, 9200 * perTwip, 100 * perFoot};
}

QPointF at(const QRectF& panel, double yd, double ft) {
    return {panel.left() + panel.width() * yd / 1000, panel.top() + panel.height() * ft / 100};
}

// The sheet's plot on a page rendered at kDotsPerInch: it fills the width
// between 15 mm margins, its blue point lies at (yd, ft) and its red ray runs
// from (0 yd, 15 ft) to the surface at surfaceYd (-1: the plot stopped after
// its first circle).
void checkPlot(const QImage& page, std::optional<QPointF> point, double surfaceYd) {
    const QRectF panel = rangePanel(page);
    QVERIFY2(!panel.isEmpty(), "no plot");
    const double textWidth = page.width() * (kA4Points.width() - 85.0) / kA4Points.width();
    QVERIFY2(qAbs(panel.width() * 13700 / 9200 - textWidth * 13700 / 14700) < 4,
             qPrintable(QString::number(panel.width())));
    // The captions over the panels: blue over the temperatures, ink over the ranges.
    const QRect overTemperatures(0, int(panel.top()) - 50, int(panel.left()) - 10, 30);
    const QRect overRanges = overTemperatures.translated(int(panel.left()) + 10, 0);
    QVERIFY(!pdf_pages::inkIn(page, Ink::Blue, overTemperatures).isEmpty());
    QVERIFY(pdf_pages::inkIn(page, Ink::Blue, overRanges).isEmpty());
    QVERIFY(!pdf_pages::inkIn(page, Ink::Dark, overRanges).isEmpty());
    // Over the surface too, for the ray's last circles; the blue grid of the
    // temperature panel ends on the range panel's left edge.
    const QRect area = panel.toAlignedRect().adjusted(-4, -8, 4, 0);
    const auto blue = pdf_pages::inkCentre(page, Ink::Blue, area.adjusted(10, 0, 0, 0));
    QCOMPARE(blue.has_value(), point.has_value());
    if (point)
        QVERIFY2((*blue - at(panel, point->x(), point->y())).manhattanLength() < 3,
                 qPrintable(where(*blue)));
    const QList<QPoint> red = pdf_pages::inkIn(page, Ink::Red, area);
    QVERIFY(!red.isEmpty());
    const auto byX = [](QPoint a, QPoint b) { return a.x() < b.x(); };
    const QPointF start = *std::min_element(red.begin(), red.end(), byX);
    const QPointF end = *std::max_element(red.begin(), red.end(), byX);
    QVERIFY2((start - at(panel, 0, 15)).manhattanLength() < 5, qPrintable(where(start)));
    const QPointF last = surfaceYd < 0 ? at(panel, 0, 15) : at(panel, surfaceYd, 0);
    QVERIFY2((end - last).manhattanLength() < 5, qPrintable(where(end)));
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

  private slots:
    // One A4 portrait page whose text is the title, the inputs as typed and
    // as used, the whole report and the axis captions.
    void text_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("used");
        QTest::newRow("60 35 10") << QStringList{"60", "35", "10"}
                                  << QStringList{"T = 60 °F", "sa = 35 pt x 1000", "D = 10 ft"};
        QTest::newRow("virgola e decimali")
            << QStringList{"60,5", "35.5", "10"}
            << QStringList{"T = 60 °F", "sa = 36 pt x 1000", "D = 10 ft"};
        QTest::newRow("mezzi al pari e quota negativa")
            << QStringList{"52.25", "34.5", "-2.5"}
            << QStringList{"T = 52.25 °F", "sa = 34 pt x 1000", "D =-2 ft"};
    }
    void text() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, used);
        Window w;
        w.calcolo(typed[0], typed[1], typed[2]);
        const QString path = w.sheet();
        const pdf_pages::Info info = pdf_pages::info(path);
        QCOMPARE(info.pages, 1);
        QVERIFY(qAbs(info.size.width() - kA4Points.width()) < 1 &&
                qAbs(info.size.height() - kA4Points.height()) < 1);
        const QStringList lines = readLines(pdf_pages::text(path));
        const QString all = lines.join(' ');
        QVERIFY2(all.startsWith("Raggio limite – scheda di calcolo"), qPrintable(all));
        const char* boxes[] = {"Temperatura (°F)", "Salinità (pt x 1000)", "Quota di calc. (ft)"};
        for (int i = 0; i < 3; ++i) {
            const QString row = QString("%1 «%2» %3").arg(boxes[i], typed[i], used[i]);
            QVERIFY2(all.contains(row), qPrintable(row));
        }
        const QStringList report = readLines(
            engine::reportLines(engine::Calculation::fromTexts(typed[0], typed[1], typed[2]))
                .join('\n'));
        QCOMPARE(lines.mid(lines.indexOf(report.first()), report.size()), report);
        for (const char* caption : {"temp. -gradi F ( 4°F/div.)", "distanza - yd ( 50 yd/div.)",
                                    "- 100 ft", "feet (5ft/"})
            QVERIFY2(all.contains(caption), caption);
    }

    // The plot on the page, at its place and scale; a plot that stops on a
    // run-time error leaves what it drew, as in the window.
    void plot_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("hasPoint");
        QTest::addColumn<QPointF>("point"); // yd, ft
        QTest::addColumn<double>("surfaceYd");
        QTest::newRow("60 35 10") << QStringList{"60", "35", "10"} << true << QPointF(548, 10)
                                  << 950.0;
        QTest::newRow("50 35 5") << QStringList{"50", "35", "5"} << true << QPointF(770, 5)
                                 << 943.0;
        QTest::newRow("punto oltre 8191 yd")
            << QStringList{"60", "35", "-1200"} << false << QPointF() << -1.0;
    }
    void plot() {
        QFETCH(QStringList, typed);
        QFETCH(bool, hasPoint);
        QFETCH(QPointF, point);
        QFETCH(double, surfaceYd);
        Window w;
        w.calcolo(typed[0], typed[1], typed[2]);
        QVERIFY(w.errors.isEmpty());
        checkPlot(pdf_pages::page(w.sheet(), 1, kDotsPerInch),
                  hasPoint ? std::optional(point) : std::nullopt, surfaceYd);
    }

    // The last completed Calcolo makes the sheet, whatever the window shows
    // now: the same pixels as from the command line's window, which has the
    // values set and "Calcolo" clicked once.
    void sameSheetWhateverTheWindowShows_data() {
        QTest::addColumn<QString>("after"); // what the user did after Calcolo
        QTest::newRow("il resoconto") << "";
        QTest::newRow("il grafico") << "grafico";
        QTest::newRow("il grafico dopo un calcolo fallito") << "fallito grafico";
        QTest::newRow("altri testi nelle caselle") << "grafico testi";
    }
    void sameSheetWhateverTheWindowShows() {
        QFETCH(QString, after);
        main_window::Form1 commandLine; // never shown
        const char* boxes[] = {"Text1", "Text2", "Text4"};
        const char* values[] = {"60,5", "35.5", "10"};
        for (int i = 0; i < 3; ++i)
            commandLine.findChild<QLineEdit*>(boxes[i])->setText(values[i]);
        commandLine.findChild<QPushButton*>("Command1")->click();
        Window w;
        const QImage expected = pdf_pages::page(sheetOf(commandLine, w.dir), 1, 100);
        QVERIFY(!expected.isNull());

        w.calcolo("60,5", "35.5", "10");
        if (after.contains("fallito")) {
            w.calcolo("60", "35", "16");
            QCOMPARE(w.errors.size(), 1);
        }
        if (after.contains("grafico"))
            w.grafico();
        if (after.contains("testi"))
            w.type("70", "30", "2");
        QVERIFY(pdf_pages::page(w.sheet(), 1, 100) == expected);
    }

    // "Esporta scheda PDF…" and "Stampa scheda…": off until a Calcolo
    // completes, then the sheet to a file or to the printer.
    void fromTheMenu() {
        Window w;
        QAction* exportSheet = w.entry("Esporta scheda PDF…");
        QAction* printSheet = w.entry("Stampa scheda…");
        QVERIFY(exportSheet && printSheet);
        w.calcolo("60", "35", "16"); // fails: still nothing to put on a sheet
        QVERIFY(!exportSheet->isEnabled() && !printSheet->isEnabled());
        QString problem;
        QVERIFY(!main_window::Sheet::savePdf(w.form, w.dir.filePath("no.pdf"), &problem));
        QVERIFY(problem.startsWith("Nessun calcolo"));
        w.calcolo("60", "35", "10");
        w.calcolo("60", "35", "16");
        QVERIFY(exportSheet->isEnabled() && printSheet->isEnabled());

        w.dialogs->path = w.dir.filePath("scheda-menu.pdf");
        exportSheet->trigger();
        QVERIFY(pdf_pages::page(w.dialogs->path, 1, 100) == pdf_pages::page(w.sheet(), 1, 100));
        w.dialogs->printTo = w.dir.filePath("stampa.pdf");
        printSheet->trigger();
        const pdf_pages::Info printed = pdf_pages::info(w.dialogs->printTo);
        QVERIFY(printed.pages == 1 && printed.size.height() > printed.size.width());
        QVERIFY(pdf_pages::text(w.dialogs->printTo).contains("Raggio limite – scheda di calcolo"));
        checkPlot(pdf_pages::page(w.dialogs->printTo, 1, kDotsPerInch), QPointF(548, 10), 950);

        w.dialogs->path = w.dir.filePath("manca/scheda.pdf");
        exportSheet->trigger();
        QCOMPARE(w.errors.size(), 3); // the two failed Calcolo, then the write
        QVERIFY(w.errors.last().startsWith("Impossibile scrivere il file"));
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
