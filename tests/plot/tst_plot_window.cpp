#include "FormDriver.h"
#include "platform/Timer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QRgb kRed = qRgb(255, 0, 0);

} // namespace

class TestPlotWindow : public QObject {
    Q_OBJECT

  private slots:
    void graficoDrawsThePlot() {
        FormDriver w;
        w.calcolo("60", "35", "10");
        w.grafico();
        QCOMPARE(w.at(10041.6f + 50, 1140.0f), qRgb(0, 0, 255)); // the calculated point
        QCOMPARE(w.at(13740.0f + 15, 500.0f), kRed);             // the ray at the surface
        QCOMPARE(w.at(4437.5f, 2000.0f), kRed);                  // 70 degF above 65 ft
        QCOMPARE(w.at(500.0f + 56.25f * 56, 6900.0f), kRed);     // the profile on the bottom edge
        QCOMPARE(w.at(9000.0f, 4660.0f), qRgb(0, 0, 0));         // the 65 ft line
        QVERIFY(w.errors.isEmpty());
        QVERIFY(w.form.Timer1->isTicking());
    }

    void typedTextAfterCalcoloIsIgnored() {
        FormDriver w;
        w.calcolo("60", "35", "10");
        w.grafico();
        const QImage shown = w.form.surface().image().copy();
        const FormVariables before = w.form.variables();
        w.type("70", "30", "2");
        w.form.Timer1->tick();
        QVERIFY(w.form.surface().image() == shown);
        QCOMPARE(w.form.variables(), before);
    }

    void firstGraficoBeforeAnyCalcolo() {
        FormDriver w;
        w.grafico();
        QCOMPARE(w.form.variables().d1, 15);
        QCOMPARE(w.form.variables().S, 883);
        QCOMPARE(w.at(13123.6f + 15, 500.0f), kRed); // one red circle, at the surface
        QVERIFY(w.at(5000.0f + 15, 1460.0f) != kRed);
        QCOMPARE(w.at(5000.0f + 50, 500.0f), qRgb(0, 0, 255));
        w.form.Timer1->tick(); // the next tick draws the whole ray
        QCOMPARE(w.at(5000.0f + 15, 1460.0f), kRed);
    }

    void plotErrorsStopTheTimerAndAreReportedOnce_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("told");
        QTest::newRow("negative sound speed")
            << QStringList{"500", "35", "15"} << "argomento non valido";
        QTest::newRow("marker beyond 8191 yd") << QStringList{"60", "35", "-18000"} << "overflow";
    }
    void plotErrorsStopTheTimerAndAreReportedOnce() {
        QFETCH(QStringList, texts);
        QFETCH(QString, told);
        FormDriver w;
        w.calcolo(texts[0], texts[1], texts[2]);
        QVERIFY(w.errors.isEmpty()); // the calculation itself completes
        w.grafico();
        QCOMPARE(w.errors.size(), 1);
        QVERIFY2(w.errors.first().contains(told), qPrintable(w.errors.first()));
        QVERIFY(!w.form.Timer1->isEnabled());
        QVERIFY(!w.form.Timer1->isTicking());
        QVERIFY(w.form.axisLabels[0]->isVisible()); // what was done stays done
        QCOMPARE(w.at(9000.0f, 4660.0f), qRgb(0, 0, 0));
        QTest::qWait(50);
        QCOMPARE(w.errors.size(), 1);
        w.calcolo("60", "35", "10"); // every later click works
        w.grafico();
        QCOMPARE(w.errors.size(), 1);
        QVERIFY(w.form.Timer1->isTicking());
    }
};

QTEST_MAIN(TestPlotWindow)
#include "tst_plot_window.moc"
