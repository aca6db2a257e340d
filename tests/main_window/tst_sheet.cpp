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

// Answers every dialog at once, as told.
struct FakeDialogs : main_window::Dialogs {
    QString path;
    QString printTo;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFileName(printTo);
        return true;
    }
};

struct Window : FormDriver {
    FakeDialogs* dialogs = new FakeDialogs;
    QTemporaryDir dir;

    Window() {
        form.findChild<main_window::PictureActions*>()->setDialogs(
            std::unique_ptr<main_window::Dialogs>(dialogs));
    }
    QAction* entry(const QString& name) const {
        for (QAction* action : form.findChild<main_window::PictureActions*>()->menu().actions())
            if (action->text() == name)
                return action;
        qFatal("no entry %s", qPrintable(name));
        return nullptr;
    }
    // The sheet as Sheet::savePdf writes it; empty when it failed.
    QString sheet() {
        const QString path = dir.filePath(QStringLiteral("scheda.pdf"));
        QString problem;
        return main_window::Sheet::savePdf(form, path, &problem) ? path : QString();
    }
};

QStringList simplifiedLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            lines << line.normalized(QString::NormalizationForm_KC).simplified(); // no ligatures
    return lines;
}

// Where the plot lies on a rendered page, found from the two solid depth
// lines that run from 0 degF to 1000 yd: at 15 ft and at 65 ft.
struct PlotOnPage {
    double left = 0, right = 0; // 0 degF and 1000 yd
    double y15 = 0, y65 = 0;

    static std::optional<PlotOnPage> find(const QImage& page) {
        QList<double> rows; // centres of the runs of long dark rows
        QList<QPair<int, int>> spans;
        int runStart = -1;
        for (int y = 0; y <= page.height(); ++y) {
            const auto dark = y < page.height()
                                  ? pdf_pages::inkIn(page, Ink::Dark, QRect(0, y, page.width(), 1))
                                  : QList<QPoint>();
            const bool line = double(dark.size()) > page.width() * 0.6;
            if (line && runStart < 0)
                runStart = y;
            if (line)
                spans << qMakePair(dark.first().x(), dark.last().x());
            if (!line && runStart >= 0) {
                rows << (runStart + y - 1) / 2.0;
                runStart = -1;
            }
        }
        if (rows.size() != 2)
            return std::nullopt;
        PlotOnPage plot{1e9, 0, rows[0], rows[1]};
        for (auto [first, last] : spans) {
            plot.left = std::min(plot.left, first + 0.5);
            plot.right = std::max(plot.right, last + 0.5);
        }
        return plot;
    }
    // The range panel: 0 to 1000 yd across, 0 to 100 ft down.
    QRectF rangePanel() const {
        const double pixelsPerTwip = (right - left) / (14200 - 500);
        const double pixelsPerFoot = (y65 - y15) / 50;
        const double top = y15 - 15 * pixelsPerFoot;
        return {left + 4500 * pixelsPerTwip, top, 9200 * pixelsPerTwip, 100 * pixelsPerFoot};
    }
    QPointF at(double yd, double ft) const {
        const QRectF panel = rangePanel();
        return {panel.left() + panel.width() * yd / 1000, panel.top() + panel.height() * ft / 100};
    }
};

QString near(QPointF seen, QPointF expected) {
    return QStringLiteral("visto %1,%2, atteso %3,%4")
        .arg(seen.x())
        .arg(seen.y())
        .arg(expected.x())
        .arg(expected.y());
}

// The sheet's plot on a page rendered at kDotsPerInch: it fills the width
// between 15 mm margins, its blue point lies at (yd, ft) and its red ray runs
// from (0 yd, 15 ft) to the surface at surfaceYd. No point: none is drawn.
void checkPlot(const QImage& page, std::optional<QPointF> point, double surfaceYd) {
    const auto plot = PlotOnPage::find(page);
    QVERIFY2(plot, "no plot frame");
    const double textWidth = page.width() * (kA4Points.width() - 85.0) / kA4Points.width();
    QVERIFY2(qAbs((plot->right - plot->left) - textWidth * 13700 / 14700) < 4,
             qPrintable(QString::number(plot->right - plot->left)));
    // Over the surface too, for the ray's last circles; the blue grid of the
    // temperature panel ends on the range panel's left edge.
    const QRect panel = plot->rangePanel().toAlignedRect().adjusted(-4, -8, 4, 0);
    const auto blue = pdf_pages::inkCentre(page, Ink::Blue, panel.adjusted(10, 0, 0, 0));
    QCOMPARE(blue.has_value(), point.has_value());
    if (point)
        QVERIFY2((*blue - plot->at(point->x(), point->y())).manhattanLength() < 3,
                 qPrintable(near(*blue, plot->at(point->x(), point->y()))));
    if (surfaceYd < 0)
        return;
    const QList<QPoint> red = pdf_pages::inkIn(page, Ink::Red, panel);
    QVERIFY(!red.isEmpty());
    const auto byX = [](QPoint a, QPoint b) { return a.x() < b.x(); };
    const QPointF start = *std::min_element(red.begin(), red.end(), byX);
    const QPointF end = *std::max_element(red.begin(), red.end(), byX);
    QVERIFY2((start - plot->at(0, 15)).manhattanLength() < 5,
             qPrintable(near(start, plot->at(0, 15))));
    QVERIFY2((end - plot->at(surfaceYd, 0)).manhattanLength() < 5,
             qPrintable(near(end, plot->at(surfaceYd, 0))));
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

  private slots:
    // One A4 portrait page whose text is the title, the inputs as typed and
    // as used, the report and the axis captions.
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
        QVERIFY(!path.isEmpty());
        const pdf_pages::Info info = pdf_pages::info(path);
        QCOMPARE(info.pages, 1);
        QVERIFY2(qAbs(info.size.width() - kA4Points.width()) < 1 &&
                     qAbs(info.size.height() - kA4Points.height()) < 1,
                 qPrintable(QString("%1 x %2").arg(info.size.width()).arg(info.size.height())));
        const QString all = simplifiedLines(pdf_pages::text(path)).join(' ');
        QVERIFY2(all.startsWith("Raggio limite – scheda di calcolo"), qPrintable(all));
        const QStringList boxes = {"Temperatura (°F)", "Salinità (pt x 1000)",
                                   "Quota di calc. (ft)"};
        for (int i = 0; i < 3; ++i) {
            const QString row = QString("%1 «%2» %3").arg(boxes[i], typed[i], used[i]);
            QVERIFY2(all.contains(row), qPrintable(row));
        }
        const QStringList report = simplifiedLines(
            engine::reportLines(engine::Calculation::fromTexts(typed[0], typed[1], typed[2]))
                .join('\n'));
        const QStringList lines = simplifiedLines(pdf_pages::text(path));
        const qsizetype first = lines.indexOf(report.first());
        QVERIFY2(first > 0, qPrintable(lines.join('\n')));
        QCOMPARE(lines.mid(first, report.size()), report);
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
    // now: the same pixels as the command line's window, which typed the
    // values and clicked "Calcolo" once.
    void sameSheetWhateverTheWindowShows_data() {
        QTest::addColumn<QString>("after"); // what the user did after Calcolo
        QTest::newRow("il resoconto") << "";
        QTest::newRow("il grafico") << "grafico";
        QTest::newRow("il grafico dopo un calcolo fallito") << "fallito grafico";
        QTest::newRow("altri testi nelle caselle") << "grafico testi";
    }
    void sameSheetWhateverTheWindowShows() {
        QFETCH(QString, after);
        main_window::Form1 commandLine;
        commandLine.setErrorReporter([](const QString& message) { QFAIL(qPrintable(message)); });
        const char* boxes[] = {"Text1", "Text2", "Text4"};
        const char* values[] = {"60,5", "35.5", "10"};
        for (int i = 0; i < 3; ++i)
            commandLine.findChild<QLineEdit*>(boxes[i])->setText(values[i]);
        commandLine.findChild<QPushButton*>("Command1")->click();
        QTemporaryDir dir;
        QString problem;
        QVERIFY(main_window::Sheet::savePdf(commandLine, dir.filePath("riga.pdf"), &problem));

        Window w;
        w.calcolo("60,5", "35.5", "10");
        if (after.contains("fallito")) {
            w.calcolo("60", "35", "16");
            QCOMPARE(w.errors.size(), 1);
        }
        if (after.contains("grafico"))
            w.grafico();
        if (after.contains("testi"))
            w.type("70", "30", "2");
        const QImage expected = pdf_pages::page(dir.filePath("riga.pdf"), 1, 100);
        QVERIFY(!expected.isNull());
        QVERIFY(pdf_pages::page(w.sheet(), 1, 100) == expected);
    }

    // "Esporta scheda PDF…" and "Stampa scheda…", after "Stampa…": off until
    // a Calcolo completes, then the sheet to a file or the printer.
    void fromTheMenu() {
        Window w;
        QAction* exportSheet = w.entry("Esporta scheda PDF…");
        QAction* printSheet = w.entry("Stampa scheda…");
        w.calcolo("60", "35", "16"); // fails: still nothing to put on a sheet
        QVERIFY(!exportSheet->isEnabled() && !printSheet->isEnabled());
        QString problem;
        QVERIFY(!main_window::Sheet::savePdf(w.form, w.dir.filePath("no.pdf"), &problem));
        QVERIFY(problem.startsWith("Nessun calcolo"));
        w.calcolo("60", "35", "10");
        QVERIFY(exportSheet->isEnabled() && printSheet->isEnabled());
        w.calcolo("60", "35", "16");
        QVERIFY(exportSheet->isEnabled() && printSheet->isEnabled());

        w.dialogs->path = w.dir.filePath("scheda-menu.pdf");
        exportSheet->trigger();
        QVERIFY(pdf_pages::page(w.dialogs->path, 1, 100) == pdf_pages::page(w.sheet(), 1, 100));
        w.dialogs->printTo = w.dir.filePath("stampa.pdf");
        printSheet->trigger();
        const pdf_pages::Info printed = pdf_pages::info(w.dialogs->printTo);
        QCOMPARE(printed.pages, 1);
        QVERIFY(printed.size.height() > printed.size.width());
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
