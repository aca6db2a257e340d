#include "FormDriver.h"
#include "main_window/ErrorBox.h"
#include "platform/PrintedTextView.h"

#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {

// What a screen reader is told: each event as "type name".
QStringList heard;

void listen(QAccessibleEvent* event) {
    QAccessibleInterface* source = event->accessibleInterface();
    heard << QString::number(event->type(), 16) + ' ' + source->text(QAccessible::Name);
}

QString said(QAccessible::Event type, const QString& name) {
    return QString::number(type, 16) + ' ' + name;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

  private slots:
    // As when a screen reader is running: the offscreen platform has none,
    // so its switch is turned on by hand.
    void initTestCase() {
        QAccessible::installUpdateHandler(listen);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init() { heard.clear(); }

    // After Calcolo the result is announced, again when pressed again, and
    // the report can be read line by line, where it is on screen. Grafico is
    // announced once, with what the plot shows; its ticks are silent; the
    // report's text goes, and says so.
    void calcoloAndGraficoAreHeard() {
        FormDriver w;
        w.calcolo("60", "35", "10");
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, "S=  548 Yd")));
        QCOMPARE(heard.count(said(QAccessible::TextUpdated, "Resoconto")), 1);
        heard.clear();
        w.calcolo();
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, "S=  548 Yd")));

        QAccessibleInterface* report = QAccessible::queryAccessibleInterface(&w.form.printedText());
        QCOMPARE(report->role(), QAccessible::StaticText);
        QAccessibleTextInterface* text = report->textInterface();
        int start = 0, end = 0;
        QCOMPARE(text->textAtOffset(0, QAccessible::LineBoundary, &start, &end),
                 "prof. max dello strato: d1=  15 ft\n");
        QCOMPARE(text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end),
                 "quota di calcolo: D=  10 ft\n");
        const QRect first = text->characterRect(0);
        const QPoint origin = w.form.mapToGlobal(QPoint(0, 0));
        const QFontMetricsF metrics(w.form.surface().font());
        QVERIFY(std::abs(first.left() - origin.x() - 8 * metrics.averageCharWidth()) <= 1);
        QCOMPARE(first.top(), origin.y());
        // The end of a line (the offset of its "\n") lies on it, right of its last character.
        const int lineEnd = int(w.report()[0].size());
        const QRect last = text->characterRect(lineEnd - 1), after = text->characterRect(lineEnd);
        QVERIFY(!after.isEmpty() && after.top() == last.top() && after.left() >= last.right());
        heard.clear();
        w.grafico();
        const QString summary = "Grafico: profilo di temperatura a 70 °F dalla superficie a 65 ft, "
                                "più fredda sotto; raggio limite da 0 yd a 15 ft fino a 950 yd in "
                                "superficie; punto calcolato a 548 yd e 10 ft.";
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, summary)));
        QCOMPARE(heard.count(said(QAccessible::TextUpdated, "Resoconto")), 1);
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(w.control("Grafico"));
        QCOMPARE(chart->role(), QAccessible::Chart);
        QCOMPARE(chart->text(QAccessible::Description), summary);
        heard.clear();
        for (int i = 0; i < 5; ++i)
            w.timer1()->tick();
        QVERIFY(heard.isEmpty());
    }

    // On a box's first focus Qt tells of its caret and selection before the
    // focus; a screen reader that hears them first goes to the box without
    // a word. Tab into the box: the focus comes first, and then the caret is
    // heard as the user types.
    void firstTabIntoABoxIsHeardAsFocus() {
        FormDriver w;
        auto* target = w.control<QLineEdit>("Text4");
        target->setText("1"); // something to select on focus
        heard.clear();
        for (int i = 0; i < 2; ++i) // past Salinità, into Quota
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (const QString& name : {w.control("Text2")->accessibleName(), target->accessibleName()})
            QCOMPARE(heard.filter(' ' + name).value(0), said(QAccessible::Focus, name));
        QTest::keyClick(target, Qt::Key_End);
        QTest::keyClick(target, Qt::Key_5);
        QVERIFY(heard.contains(said(QAccessible::TextCaretMoved, target->accessibleName())));
    }

    void errorBoxIsAnError() {
        FormDriver w;
        const auto box = main_window::makeErrorBox(&w.form, "Errore di run-time: overflow.");
        QCOMPARE(box->windowTitle(), "Form1");
        QCOMPARE(QAccessible::queryAccessibleInterface(box.get())->text(QAccessible::Name),
                 "Errore");
        QVERIFY(!box->findChild<QLabel*>("qt_msgboxex_icon_label")->accessibleName().isEmpty());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
