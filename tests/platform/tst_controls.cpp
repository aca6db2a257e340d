#include "platform/Controls.h"
#include "platform/FormFont.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using platform::LabelSizing;

class TestControls : public QObject {
    Q_OBJECT

  private slots:
    void labelsAutoSizeOrWrap_data() {
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QString>("caption");
        QTest::newRow("auto") << false << "distanza  - yd ( 50 yd/div.)";
        QTest::newRow("wrap longer than its box")
            << true << "Profondità  max  fissata per i calcoli :   D = 15 ft";
    }
    void labelsAutoSizeOrWrap() {
        QFETCH(bool, wrap);
        QFETCH(QString, caption);
        QWidget window;
        const platform::TwipRect box{120, 3480, 1125, 300};
        QLabel* label = platform::makeLabel(&window, {caption, box, platform::formFont(9.75, true)},
                                            wrap ? LabelSizing::Wrap : LabelSizing::Auto, 0xFF0000);
        QCOMPARE(label->pos(), QPoint(8, 232));
        if (wrap) {
            QCOMPARE(label->width(), 75);                          // the box's width is kept
            QVERIFY(label->height() >= label->heightForWidth(75)); // and nothing is cut off
        } else {
            QCOMPARE(label->size(), label->sizeHint());
        }
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }

    // A timer wakes the process only while enabled with a handler; a tick
    // that arrives after disabling runs nothing.
    void timerRunsOnlyWhenEnabled() {
        platform::Timer idle(nullptr, 10, true);
        QVERIFY(idle.isEnabled() && !idle.isTicking());
        int ticks = 0;
        platform::Timer timer(nullptr, 10, false);
        timer.setHandler([&] { ++ticks; });
        QVERIFY(!timer.isTicking());
        timer.setEnabled(true);
        QVERIFY(timer.isTicking());
        QCOMPARE(timer.interval(), 10);
        timer.tick();
        QCOMPARE(ticks, 1);
        timer.setEnabled(false);
        QVERIFY(!timer.isTicking());
        timer.tick();
        QCOMPARE(ticks, 1);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
