#include "FormDriver.h"
#include "Locale.h"

#include <QApplication>

namespace {

void row(const char* name, const QStringList& texts, const char* calcolo, const char* grafico) {
    QTest::newRow(name) << texts << QString(calcolo) << QString(grafico);
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(test_locale::asAsked(), test_locale::kMissing); }
    // What a user finds at start, then the whole calculation by keyboard alone.
    void startUpByKeyboard() {
        FormDriver w;
        QCOMPARE(w.axisLabelsShown(), 0);
        QVERIFY(w.control("Label9")->isVisible());
        QVERIFY(!w.timer1()->isEnabled() && w.report().isEmpty());
        for (const char* box : {"Text1", "Text2", "Text4"})
            QVERIFY(w.control<QLineEdit>(box)->text().isEmpty());
        QCOMPARE(w.form.values(), engine::CalculationValues{});
        QTRY_COMPARE(QApplication::focusWidget(), w.control("Text1"));
        for (const char* next : {"Text2", "Text4", "Command1", "Command2", "Text1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w.control(next));
        }
        for (const char* text : {"60", "35", "10"}) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // "Calcolo"
        QCOMPARE(w.report().value(20), "S=  548 Yd");
    }

    // Calcolo, Grafico and ticks, then Grafico again and Calcolo: the labels,
    // the background, what the window shows and Timer1, which rests (still
    // enabled) after a tick with nothing new to draw until the picture changes.
    void reportThenPlotThenReport() {
        FormDriver w;
        platform::Timer* timer = w.timer1();
        w.calcolo("60", "35", "10");
        w.grafico();
        QCOMPARE(w.axisLabelsShown(), 8);
        QVERIFY(w.report().isEmpty());
        const QImage shown = w.form.surface().image().copy();
        const engine::CalculationValues before = w.form.values();
        w.type("70", "30", "2"); // typed after Calcolo: no effect on the plot
        for (int i = 0; i < 100; ++i)
            timer->tick();
        QVERIFY(w.form.surface().image() == shown);
        QCOMPARE(w.form.values(), before);
        QVERIFY(timer->isEnabled() && timer->isTicking() && timer->interval() == 10);
        QCOMPARE(timer->wakeIntervalMs(), platform::Timer::kRestIntervalMs);
        w.form.resize(w.form.size() + QSize(40, 40));
        QCOMPARE(timer->wakeIntervalMs(), 10);
        timer->tick(); // draws the plot again, then rests
        timer->tick();
        QCOMPARE(timer->wakeIntervalMs(), platform::Timer::kRestIntervalMs);
        w.grafico();
        w.calcolo();
        QVERIFY(!timer->isEnabled() && !timer->isTicking());
        QCOMPARE(w.axisLabelsShown(), 0);
        QCOMPARE(w.report().last(), "S=  887 Yd");
        QCOMPARE(QColor(w.at(15000.0f, 8000.0f)), w.form.palette().color(QPalette::Button));
        QVERIFY(w.control("Label9")->isVisible() && w.errors.isEmpty());
    }

    // After a good calculation and plot: a failing Calcolo reports once and
    // keeps the last good values; a failing plot reports once with its timer
    // stopped and its drawing kept; the window goes on working.
    void failures_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("calcolo"); // the report's last line, or the error's hint
        QTest::addColumn<QString>("grafico"); // the error's hint, or empty
        row("depth 16", {"60", "35", "16"}, "Quota di calc. (ft)", "");
        row("negative speed at the bottom", {"500", "35", "15"}, "S= -1 Yd", "La velocità");
        row("marker beyond 8191 yd", {"60", "35", "-18000"}, "S=  32373 Yd", "Quota di calc.");
    }
    void failures() {
        QFETCH(QStringList, texts);
        QFETCH(QString, calcolo);
        QFETCH(QString, grafico);
        FormDriver w;
        w.calcolo("60", "35", "10");
        w.grafico();
        const engine::CalculationValues good = w.form.values();
        w.calcolo(texts[0], texts[1], texts[2]);
        QVERIFY(!w.timer1()->isEnabled());
        QVERIFY(!w.form.plotShown()); // an exported picture has no plot either
        const QString told = w.errors.isEmpty() ? w.report().value(20) : w.errors.join('\n');
        QVERIFY2(w.errors.size() <= 1 && told.contains(calcolo), qPrintable(told));
        // A failure clears the report first and keeps the last good values.
        QVERIFY(w.errors.isEmpty() || (w.report().isEmpty() && w.form.values() == good));
        const qsizetype before = w.errors.size();
        w.grafico();
        w.timer1()->tick();
        QCOMPARE(w.errors.size() - before, grafico.isEmpty() ? 0 : 1);
        QVERIFY(grafico.isEmpty() || w.errors.last().contains(grafico));
        QCOMPARE(w.timer1()->isTicking(), grafico.isEmpty());
        QCOMPARE(w.axisLabelsShown(), 8); // what the plot did before failing stays
        QCOMPARE(w.at(9000.0f, 4660.0f), qRgb(0, 0, 0));
        const qsizetype reported = w.errors.size();
        w.calcolo("60", "35", "14"); // and every later click works
        QCOMPARE(w.report().last(), "S=  245 Yd");
        w.grafico();
        QCOMPARE(w.errors.size(), reported);
        QVERIFY(w.timer1()->isTicking());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
