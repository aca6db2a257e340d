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
};

QTEST_MAIN(TestPlotWindow)
#include "tst_plot_window.moc"
