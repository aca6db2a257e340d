#include "platform/Timer.h"

#include <QCoreApplication>
#include <QTest>

class TestTimer : public QObject {
    Q_OBJECT

  private slots:
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

QTEST_GUILESS_MAIN(TestTimer)
#include "tst_timer.moc"
