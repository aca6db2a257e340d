#include "FormDriver.h"
#include "main_window/ErrorBox.h"
#include "platform/PrintedTextView.h"

#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <cstddef>
#include <memory>
#include <new>

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

QString shown(const QString& name) {
    return said(QAccessible::ObjectShow, name);
}

// What the screen reader heard about the object with this name, in order.
QStringList heardAbout(const QString& name) {
    QStringList about;
    for (const QString& event : heard)
        if (event.section(' ', 1) == name)
            about << event.section(' ', 0, 0);
    return about;
}

// An event of the class Qt uses for its type, about an object or an interface.
template <typename Source>
std::unique_ptr<QAccessibleEvent> eventAbout(Source* source, QAccessible::Event type) {
    switch (type) {
    case QAccessible::TextCaretMoved:
        return std::make_unique<QAccessibleTextCursorEvent>(source, 0);
    case QAccessible::TextSelectionChanged:
        return std::make_unique<QAccessibleTextSelectionEvent>(source, 0, 1);
    case QAccessible::TextInserted:
        return std::make_unique<QAccessibleTextInsertEvent>(source, 0, QStringLiteral("1"));
    default:
        return std::make_unique<QAccessibleEvent>(source, type);
    }
}

void send(QObject* object, QAccessible::Event type) {
    QAccessible::updateAccessibility(eventAbout(object, type).get());
}

// An accessible source that stands for no QObject, as a toolkit's child
// element does.
class ObjectlessSource : public QAccessibleInterface {
  public:
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text) const override { return QStringLiteral("Senza oggetto"); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::EditableText; }
    QAccessible::State state() const override { return {}; }
};

// Where the line starts in the lines joined by "\n".
int lineStart(const QStringList& lines, int line) {
    int offset = 0;
    for (int i = 0; i < line; ++i)
        offset += int(lines[i].size()) + 1;
    return offset;
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
    // the report can be read line by line, where it is on screen.
    void calcoloIsHeardAndReadable() {
        FormDriver w;
        QCOMPARE(QAccessible::queryAccessibleInterface(&w.form)->role(), QAccessible::Window);
        w.calcolo("60", "35", "10");
        QVERIFY(heard.contains(shown("S=  548 Yd")));
        QCOMPARE(heard.count(QString::number(QAccessible::TextUpdated, 16) + " Resoconto"), 1);
        heard.clear();
        w.calcolo();
        QVERIFY(heard.contains(shown("S=  548 Yd")));

        QAccessibleInterface* report = QAccessible::queryAccessibleInterface(&w.form.printedText());
        QCOMPARE(report->role(), QAccessible::StaticText);
        QAccessibleTextInterface* text = report->textInterface();
        QVERIFY(text);
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
        QVERIFY(text->characterRect(text->characterCount() - 1).top() >
                origin.y() + 19 * metrics.height()); // the last line, "S=  548 Yd"
    }

    // Grafico is announced once, with what the plot shows; its ticks are
    // silent; the report's text goes, and says so.
    void graficoIsHeardOnce() {
        FormDriver w;
        w.calcolo("60", "35", "10");
        heard.clear();
        w.grafico();
        const QString summary = "Grafico: profilo di temperatura a 70 °F dalla superficie a 65 ft, "
                                "più fredda sotto; raggio limite da 0 yd a 15 ft fino a 950 yd in "
                                "superficie; punto calcolato a 548 yd e 10 ft.";
        QVERIFY(heard.contains(shown(summary)));
        QCOMPARE(heard.count(QString::number(QAccessible::TextUpdated, 16) + " Resoconto"), 1);
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(w.control("Grafico"));
        QCOMPARE(chart->role(), QAccessible::Chart);
        QCOMPARE(chart->text(QAccessible::Name), "Grafico");
        QCOMPARE(chart->text(QAccessible::Description), summary);
        heard.clear();
        for (int i = 0; i < 5; ++i)
            w.timer1()->tick();
        QVERIFY(heard.isEmpty());
    }

    // The report's text at the end of a line (the offset of its "\n") is
    // placed on that line, right after its last character; the first
    // character of a line is at the start of that line.
    void reportLineEndsStayOnTheirLine_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column"); // -1: the end of the line
        QTest::newRow("end of the first line") << 0 << -1;
        QTest::newRow("end of the blank line after the inputs") << 5 << -1;
        QTest::newRow("end of the line before the last") << 19 << -1;
        QTest::newRow("start of the second line") << 1 << 0;
    }
    void reportLineEndsStayOnTheirLine() {
        QFETCH(int, line);
        QFETCH(int, column);
        FormDriver w;
        w.calcolo("60", "35", "10");
        const QStringList& lines = w.report();
        QCOMPARE(lines.size(), 21);
        QVERIFY(lines[5].isEmpty());
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&w.form.printedText())->textInterface();
        if (column < 0)
            column = int(lines[line].size());
        const int offset = lineStart(lines, line) + column;
        const QRect rect = text->characterRect(offset);
        QVERIFY(!rect.isEmpty());
        // The tops of the lines around, from their first characters (the
        // lines next to the blank one are not blank).
        const auto topOf = [&](int l) { return text->characterRect(lineStart(lines, l)).top(); };
        if (line > 0)
            QVERIFY(rect.top() > topOf(line - 1));
        QVERIFY(rect.top() < topOf(line + 1));
        if (!lines[line].isEmpty()) {
            QCOMPARE(rect.top(), topOf(line));
            if (column > 0) {
                const QRect last = text->characterRect(offset - 1);
                QCOMPARE(last.top(), rect.top());
                QVERIFY(rect.left() >= last.left() + last.width() - 1);
            } else {
                QVERIFY(rect.left() < text->characterRect(offset + 1).left());
            }
        }
    }

    // On a box's first focus Qt tells of its caret and selection before the
    // focus; a screen reader that hears them first goes to the box without
    // a word. Tab into the box: the focus comes first, and then the caret is
    // heard as the user types.
    void firstTabIntoABoxIsHeardAsFocus_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("tabs");
        QTest::newRow("Salinità") << "Text2" << 1;
        QTest::newRow("Quota") << "Text4" << 2;
    }
    void firstTabIntoABoxIsHeardAsFocus() {
        QFETCH(QString, box);
        QFETCH(int, tabs);
        FormDriver w;
        auto* target = w.control<QLineEdit>(box.toLatin1().constData());
        target->setText("1"); // something to select on focus
        const QString name = target->accessibleName();
        heard.clear();
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
        const QString focus = QString::number(QAccessible::Focus, 16);
        QCOMPARE(heardAbout(name), QStringList{focus});
        QTest::keyClick(target, Qt::Key_End);
        QTest::keyClick(target, Qt::Key_5);
        QVERIFY(heard.contains(said(QAccessible::TextCaretMoved, name)));
    }

    // Which events about a text box go on to the screen reader: caret and
    // selection only once the box has had the focus, everything else always.
    void caretAndSelectionWaitForFocus_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("isHeard");
        const int caret = QAccessible::TextCaretMoved;
        const int selection = QAccessible::TextSelectionChanged;
        QTest::newRow("caret, never focused") << "new" << caret << false;
        QTest::newRow("selection, never focused") << "new" << selection << false;
        QTest::newRow("text inserted, never focused")
            << "new" << int(QAccessible::TextInserted) << true;
        QTest::newRow("caret, focused") << "focused" << caret << true;
        QTest::newRow("selection, focused") << "focused" << selection << true;
        QTest::newRow("caret, where a focused box was destroyed") << "reborn" << caret << false;
        QTest::newRow("caret, no object") << "objectless" << caret << true;
    }
    void caretAndSelectionWaitForFocus() {
        QFETCH(QString, source);
        QFETCH(int, type);
        QFETCH(bool, isHeard);
        FormDriver w; // installs the gate, in front of `listen`
        const auto event = QAccessible::Event(type);
        const QString name = "Prova";
        if (source == "objectless") {
            auto* objectless = new ObjectlessSource; // the cache owns it
            const QAccessible::Id id = QAccessible::registerAccessibleInterface(objectless);
            const auto sent = eventAbout(objectless, event);
            QVERIFY(!sent->object());
            heard.clear();
            QAccessible::updateAccessibility(sent.get());
            QAccessible::deleteAccessibleInterface(id);
            QCOMPARE(heard.contains(said(event, "Senza oggetto")), isHeard);
            return;
        }
        // A new box built where a focused one was destroyed has the same
        // address, but not its focus.
        alignas(QLineEdit) std::byte place[sizeof(QLineEdit)];
        if (source == "reborn") {
            auto* dead = new (place) QLineEdit;
            send(dead, QAccessible::Focus);
            dead->~QLineEdit();
        }
        auto* box = new (place) QLineEdit;
        box->setAccessibleName(name);
        if (source == "focused")
            send(box, QAccessible::Focus);
        heard.clear();
        send(box, event);
        box->~QLineEdit();
        QCOMPARE(heard.contains(said(event, name)), isHeard);
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
