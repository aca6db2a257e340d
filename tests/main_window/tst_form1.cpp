#include "FormDriver.h"
#include "platform/Timer.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kIndent(8, QLatin1Char(' '));

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

  private slots:
    void startUp() {
        FormDriver w;
        QCOMPARE(w.form.windowTitle(), QString("Form1"));
        QVERIFY(w.form.width() >= 1001 && w.form.height() >= 681);
        QVERIFY(w.axisLabelsHidden());
        QVERIFY(w.form.Label9->isVisible());
        QCOMPARE(w.form.Label9->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        for (QLineEdit* box : {w.form.Text1, w.form.Text2, w.form.Text4})
            QVERIFY(box->text().isEmpty());
        QVERIFY(!w.form.Timer1->isEnabled());
        QVERIFY(w.form.Timer2->isEnabled());
        QVERIFY(!w.form.Timer2->isTicking());
        QVERIFY(w.report().isEmpty());
        QCOMPARE(w.form.backColor(), platform::systemColour(4));
        QCOMPARE(w.form.variables(), FormVariables{});
        QTRY_COMPARE(QApplication::focusWidget(), w.form.Text1);
    }

    void everyControlIsDescribed() {
        FormDriver w;
        for (QWidget* control : w.form.findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(control) && !qobject_cast<QLineEdit*>(control) &&
                !qobject_cast<QPushButton*>(control) && !qobject_cast<QGroupBox*>(control))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
            QVERIFY(a);
            QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
            QVERIFY2(!a->text(QAccessible::Description).isEmpty(),
                     qPrintable(a->text(QAccessible::Name)));
        }
    }

    void reportIsReadableByScreenReaders() {
        FormDriver w;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w.form);
        QVERIFY(window->text(QAccessible::Description).isEmpty());
        w.type("60", "35", "10");
        w.calcolo();
        const QString read = window->text(QAccessible::Description);
        QVERIFY(read.contains("velocità del suono =  4928 ft/sec"));
        QVERIFY(read.endsWith("S=  548 Yd"));
        w.grafico();
        QVERIFY(window->text(QAccessible::Description).isEmpty());
    }

    void tabOrderAndKeyboard() {
        FormDriver w;
        QTRY_COMPARE(QApplication::focusWidget(), w.form.Text1);
        QWidget* expected[] = {w.form.Text2, w.form.Text4, w.form.Command1, w.form.Command2,
                               w.form.Text1};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClicks(w.form.Text1, "60");
        QTest::keyClick(w.form.Text1, Qt::Key_Tab);
        QTest::keyClicks(w.form.Text2, "35");
        QTest::keyClick(w.form.Text2, Qt::Key_Tab);
        QTest::keyClicks(w.form.Text4, "10");
        QTest::keyClick(w.form.Text4, Qt::Key_Tab);
        QTest::keyClick(w.form.Command1, Qt::Key_Space); // "Calcolo" from the keyboard
        QCOMPARE(w.report().value(20), kIndent + "S=  548 Yd");
    }

    void calcoloPrintsTheReport() {
        FormDriver w;
        w.type("60", "35", "10");
        w.calcolo();
        QCOMPARE(w.report().size(), 21);
        QCOMPARE(w.report().first(), kIndent + "prof. max dello strato: d1=  15 ft");
        QCOMPARE(w.report()[5], QString());
        QCOMPARE(w.report()[7], kIndent + "velocità del suono =  4928 ft/sec");
        QCOMPARE(w.report().last(), kIndent + "S=  548 Yd");
        QCOMPARE(w.form.variables().S, 548);
        QVERIFY(w.axisLabelsHidden());
        w.calcolo(); // again: afresh on a cleared window
        QCOMPARE(w.report().size(), 21);
        QCOMPARE(w.report().last(), kIndent + "S=  548 Yd");
        QVERIFY(w.errors.isEmpty());
    }

    void graficoThenCalcolo() {
        FormDriver w;
        w.type("60", "35", "10");
        w.calcolo();
        w.grafico();
        QVERIFY(w.axisLabelsVisible());
        QVERIFY(w.form.Timer1->isEnabled());
        QVERIFY(w.form.Timer1->isTicking());
        QVERIFY(w.report().isEmpty());
        QCOMPARE(w.form.backColor(), platform::systemColour(15));
        const QColor buttonFace = w.form.palette().color(QPalette::Button);
        QCOMPARE(QColor(w.form.surface().pixelAt(15000.0f, 8000.0f)), buttonFace);
        w.grafico(); // twice: the timer stays on
        QVERIFY(w.form.Timer1->isEnabled());
        w.calcolo();
        QVERIFY(!w.form.Timer1->isEnabled());
        QVERIFY(!w.form.Timer1->isTicking());
        QVERIFY(w.axisLabelsHidden());
        QCOMPARE(w.report().size(), 21);
        QCOMPARE(w.form.backColor(), platform::systemColour(15)); // never set back
        QVERIFY(w.form.Label9->isVisible());
    }

    void reportSurvivesHideAndShow() {
        FormDriver w;
        w.type("60", "35", "10");
        w.calcolo();
        const QImage before = w.form.grab().toImage();
        w.form.hide();
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QCOMPARE(w.form.grab().toImage(), before);
        QCOMPARE(w.report().size(), 21);
    }

    // What students type, after a good calculation and plot: each row either
    // prints a report containing the line, or reports the error once and
    // keeps the last good values; "Grafico" and a tick afterwards report one
    // error only where said, with the timer stopped and the drawing kept;
    // and the window goes on working.
    void badInputs_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("shown"); // a report line, or part of the error message
        QTest::addColumn<bool>("plotFails");
        const QString digits300(300, '9');
        QTest::newRow("empty boxes") << QStringList{"", "", ""} << "S=  883 Yd" << false;
        QTest::newRow("blanks only") << QStringList{"  ", " ", "\t"} << "S=  883 Yd" << false;
        QTest::newRow("decimal comma") << QStringList{"60,5", "35", "10"} << "T =  60 °F" << false;
        QTest::newRow("1e3") << QStringList{"60", "1e3", "10"} << "sa =  1000  pt" << false;
        QTest::newRow("1d2") << QStringList{"60", "1d2", "10"} << "sa =  1  pt" << false;
        QTest::newRow("1e400") << QStringList{"1e400", "35", "10"} << "overflow" << false;
        QTest::newRow("minus alone") << QStringList{"-", "-", "-"} << "S=  883 Yd" << false;
        QTest::newRow("point alone") << QStringList{".", ".", "."} << "S=  883 Yd" << false;
        QTest::newRow("+.5 rounds to 0")
            << QStringList{"60", "+.5", "10"} << "sa =  0  pt" << false;
        QTest::newRow("0x10 is 0") << QStringList{"60", "35", "0x10"} << "S=  950 Yd" << false;
        QTest::newRow("300 digits of temperature")
            << QStringList{digits300, "35", "10"} << "overflow in virgola mobile" << false;
        QTest::newRow("300 digits of depth")
            << QStringList{"60", "35", digits300} << "Quota di calc. (ft)" << false;
        QTest::newRow("depth 15.5")
            << QStringList{"60", "35", "15.5"} << "al massimo 15 ft" << false;
        QTest::newRow("depth 16") << QStringList{"60", "35", "16"} << "argomento non valido"
                                  << false;
        QTest::newRow("depth -19000") << QStringList{"60", "35", "-19000"} << "32767 yd" << false;
        QTest::newRow("salinity 40000") << QStringList{"60", "40000", "10"} << "Salinità" << false;
        QTest::newRow("salinity -40000")
            << QStringList{"60", "-40000", "10"} << "Salinità" << false;
        QTest::newRow("temperature 500 at the bottom: negative speed")
            << QStringList{"500", "35", "15"} << "S= -1 Yd" << true;
        QTest::newRow("depth -18000: marker beyond 8191 yd")
            << QStringList{"60", "35", "-18000"} << "S=  32373 Yd" << true;
        QTest::newRow("temperature 1e200")
            << QStringList{"1e200", "35", "10"} << "Temperatura (°F)" << false;
    }
    void badInputs() {
        QFETCH(QStringList, texts);
        QFETCH(QString, shown);
        QFETCH(bool, plotFails);
        FormDriver w;
        w.type("60", "35", "10");
        w.calcolo();
        w.grafico();
        const FormVariables good = w.form.variables();
        w.type(texts[0], texts[1], texts[2]);
        w.calcolo();
        const bool failed = !w.errors.isEmpty();
        const QString seen = failed ? w.errors.join('\n') : w.report().join('\n');
        QVERIFY2(seen.contains(shown), qPrintable(seen));
        QVERIFY(w.axisLabelsHidden());
        QVERIFY(!w.form.Timer1->isEnabled());
        if (failed) {
            QCOMPARE(w.errors.size(), 1);
            QVERIFY(w.report().isEmpty()); // cleared before the error
            QCOMPARE(w.form.variables(), good);
        }
        const qsizetype before = w.errors.size();
        w.grafico();
        w.form.Timer1->tick();
        QCOMPARE(w.errors.size() - before, plotFails ? 1 : 0);
        QCOMPARE(w.form.Timer1->isTicking(), !plotFails);
        QVERIFY(w.axisLabelsVisible()); // what the plot did before failing stays
        QCOMPARE(w.at(9000.0f, 4660.0f), qRgb(0, 0, 0));
        QVERIFY(w.form.isVisible());
        const qsizetype reported = w.errors.size();
        w.calcolo("60", "35", "14"); // and every later click works
        QCOMPARE(w.report().last(), kIndent + "S=  245 Yd");
        w.grafico();
        QCOMPARE(w.errors.size(), reported);
        QVERIFY(w.form.Timer1->isTicking());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
