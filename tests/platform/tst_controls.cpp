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
        QTest::addColumn<int>("sizing");
        QTest::addColumn<QString>("caption");
        QTest::newRow("auto") << int(LabelSizing::Auto) << "distanza  - yd ( 50 yd/div.)";
        QTest::newRow("wrap") << int(LabelSizing::Wrap) << " prof.         feet (5ft/div.)";
        QTest::newRow("wrap longer than its box")
            << int(LabelSizing::Wrap) << "Profondità  max  fissata per i calcoli :   D = 15 ft";
    }
    void labelsAutoSizeOrWrap() {
        QFETCH(int, sizing);
        QFETCH(QString, caption);
        QWidget window;
        const platform::TwipRect box{120, 3480, 1125, 300};
        QLabel* label = platform::makeLabel(&window, {caption, box, platform::formFont(9.75, true)},
                                            LabelSizing(sizing), 0xFF0000);
        QCOMPARE(label->pos(), QPoint(8, 232));
        if (LabelSizing(sizing) == LabelSizing::Auto) {
            QCOMPARE(label->size(), label->sizeHint());
        } else {
            QCOMPARE(label->width(), 75);                          // the box's width is kept
            QVERIFY(label->height() >= label->heightForWidth(75)); // and nothing is cut off
        }
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }

    void timerTicksOnlyWithHandlerAndEnabled() {
        platform::Timer idle(nullptr, 10, true);
        QVERIFY(idle.isEnabled());
        QVERIFY(!idle.isTicking()); // nothing to run: the process is never woken

        int ticks = 0;
        platform::Timer timer(nullptr, 10, false);
        timer.setHandler([&] { ++ticks; });
        QVERIFY(!timer.isTicking());
        timer.setEnabled(true);
        QVERIFY(timer.isTicking());
        QTRY_VERIFY(ticks >= 2);
        timer.setEnabled(false);
        const int stopped = ticks;
        QTest::qWait(40);
        QCOMPARE(ticks, stopped);
        timer.tick(); // a tick that arrives after disabling does nothing
        QCOMPARE(ticks, stopped);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
