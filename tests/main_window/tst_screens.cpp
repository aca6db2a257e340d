// The window on three screens side by side, at pixel ratios 1, 1.25 and 2
// (screens.json): what it shows with the report, with the plot at rest and
// once enlarged, pinned as pictures. Moved from one screen to another, it
// wakes the plot's timer and shows what it shows when started there: no
// scaled copy stays, no strip is left unpainted.
#include "Expected.h"
#include "FormDriver.h"

#include <QScreen>

class TestScreens : public QObject {
    Q_OBJECT

    // Drags the window onto the screen of that ratio.
    static void moveTo(FormDriver& w, qreal ratio) {
        for (QScreen* screen : QGuiApplication::screens())
            if (screen->devicePixelRatio() == ratio)
                w.form.move(screen->geometry().topLeft() + QPoint(40, 40));
        QTRY_COMPARE(w.form.devicePixelRatioF(), ratio);
    }

    // Ticks until the plot rests; false when it never does.
    static bool untilResting(platform::Timer* timer) {
        for (int i = 0; i < 50; ++i) {
            timer->tick();
            if (timer->wakeIntervalMs() == platform::Timer::kRestIntervalMs)
                return true;
        }
        return false;
    }

  private slots:
    void picturesAtEachRatio_data() {
        QTest::addColumn<qreal>("first");  // the screen it does it on
        QTest::addColumn<qreal>("then");   // the screen it is moved to, or 0
        QTest::addColumn<QString>("what"); // resoconto, grafico, ingrandita
        for (qreal ratio : {1.0, 1.25, 2.0})
            for (const char* what : {"resoconto", "grafico", "ingrandita"})
                QTest::addRow("%s a %g", what, ratio) << ratio << 0.0 << QString(what);
        QTest::newRow("resoconto, da 1 a 2") << 1.0 << 2.0 << "resoconto";
        QTest::newRow("grafico a riposo, da 2 a 1.25") << 2.0 << 1.25 << "grafico";
        QTest::newRow("ingrandita, da 1.25 a 1") << 1.25 << 1.0 << "ingrandita";
    }
    void picturesAtEachRatio() {
        QFETCH(qreal, first);
        QFETCH(qreal, then);
        QFETCH(QString, what);
        FormDriver w;
        moveTo(w, first);
        w.calcolo("60", "35", "10");
        if (what != "resoconto") {
            w.grafico();
            QVERIFY(untilResting(w.timer1()));
        }
        if (what == "ingrandita") {
            w.form.resize(w.form.size() + QSize(60, 30));
            QVERIFY(untilResting(w.timer1()));
        }
        if (then != 0) {
            moveTo(w, then);
            // A plot at rest is drawn again at once, at the new ratio.
            platform::Timer* timer = w.timer1();
            QCOMPARE(timer->isTicking() ? timer->wakeIntervalMs() : 0,
                     what == "resoconto" ? 0 : 10);
            QVERIFY(what == "resoconto" || untilResting(w.timer1()));
        }
        const qreal ratio = then != 0 ? then : first;
        const QImage shown = w.form.grab().toImage();
        const QString name =
            QStringLiteral(TEXT_EXPECTED_DIR "/schermi/%1-%2.png").arg(what).arg(ratio);
        // A move is compared with the picture of a window that started there.
        QCOMPARE(then != 0 ? expected::pixelsUnlike(shown, QImage(name))
                           : expected::pixelsUnlikeOwn(shown, name),
                 0);
        QVERIFY(w.errors.isEmpty());
    }

    // A plot stopped by an error stays as it was, scaled, on the new screen:
    // it is not drawn into the error again.
    void stoppedPlotMoved() {
        FormDriver w;
        w.calcolo("60", "35", "-18000");
        w.grafico();
        w.timer1()->tick();
        QCOMPARE(w.errors.size(), 1);
        moveTo(w, 2.0);
        QCOMPARE(w.errors.size(), 1);
        QVERIFY(!w.timer1()->isTicking());
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
