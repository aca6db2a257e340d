#include "ExpectedText.h"
#include "FormDriver.h"
#include "Locale.h"
#include "main_window/CheckDialog.h"
#include "main_window/ErrorBox.h"
#include "main_window/HelpWindow.h"
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

QString rect(const QRect& r, QPoint origin) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(r.x() - origin.x())
        .arg(r.y() - origin.y())
        .arg(r.width())
        .arg(r.height());
}

QString states(const QAccessible::State& s) {
    const std::pair<bool, const char*> flags[] = {
        {s.focusable, "focusable"},  {s.focused, "focused"},
        {s.invisible, "invisible"},  {s.disabled, "disabled"},
        {s.readOnly, "readOnly"},    {s.editable, "editable"},
        {s.multiLine, "multiLine"},  {s.selectableText, "selectableText"},
        {s.modal, "modal"},          {s.active, "active"},
        {s.defaultButton, "default"}};
    QStringList set;
    for (const auto& [on, name] : flags)
        if (on)
            set << name;
    return set.join(' ');
}

// A text's lines as a screen reader reviews them: each with where its first
// character, its last and its end lie.
QString lines(QAccessibleTextInterface* text, QPoint origin) {
    QString told;
    for (int offset = 0, start = 0, end = 0; offset < text->characterCount(); offset = end) {
        const QString line = text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        const int last = std::max(start, end - 2); // before the "\n"
        told += QStringLiteral("    line %1: %2 | %3 | %4 | %5\n")
                    .arg(start)
                    .arg(line.trimmed(), rect(text->characterRect(start), origin),
                         rect(text->characterRect(last), origin),
                         rect(text->characterRect(end - 1), origin));
        if (end <= offset)
            break;
    }
    return told;
}

// The tree as a screen reader walks it, a node a line, indented by depth:
// role, name, description, states and place in the window.
QString tree(QAccessibleInterface* node, QPoint origin, int depth = 0) {
    const QString role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role());
    QString told =
        QString(2 * depth, ' ') + QStringLiteral("%1 «%2» «%3» [%4] %5\n")
                                      .arg(role, node->text(QAccessible::Name),
                                           node->text(QAccessible::Description),
                                           states(node->state()), rect(node->rect(), origin));
    if (const auto* widget = qobject_cast<const QWidget*>(node->object());
        widget && !widget->toolTip().isEmpty())
        told +=
            QString(2 * depth + 4, ' ') + QStringLiteral("tooltip «%1»\n").arg(widget->toolTip());
    if (QAccessibleTextInterface* text = node->textInterface())
        told += QString(2 * depth + 4, ' ') + QStringLiteral("caret %1 of %2\n")
                                                  .arg(text->cursorPosition())
                                                  .arg(text->characterCount());
    if (node->text(QAccessible::Name) == "Resoconto")
        told += lines(node->textInterface(), origin);
    for (int i = 0; i < node->childCount(); ++i)
        told += tree(node->child(i), origin, depth + 1);
    return told;
}

std::string treeOf(QWidget& window) {
    return tree(QAccessible::queryAccessibleInterface(&window), window.mapToGlobal(QPoint(0, 0)))
        .toStdString();
}

// "Verifica il calcolo…" from the window's menu, once the window has the
// keyboard: the dialog then takes it.
main_window::CheckDialog* openCheck(MenuDriver& w) {
    if (!QTest::qWaitForWindowActive(&w.form))
        return nullptr;
    w.entry("Verifica il calcolo…")->trigger();
    return w.form.findChild<main_window::CheckDialog*>();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

  private slots:
    // As when a screen reader is running: the offscreen platform has none,
    // so its switch is turned on by hand.
    void initTestCase() {
        QVERIFY2(test_locale::asAsked(), test_locale::kMissing);
        QAccessible::installUpdateHandler(listen);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init() { heard.clear(); }

    // The whole tree, tooltips included, at start, after Grafico and after
    // Calcolo (its report from the top again), after Grafico for a point
    // above the surface (the summary keeps the depth's sign), after a
    // failing Calcolo with a notice in every box, and the help's, against
    // tests/main_window/expected/.
    void wholeTree() {
        FormDriver w;
        w.type("60,5", "35", "10");
        QVERIFY(expected_text::matches("accessibility-start", treeOf(w.form)));
        w.calcolo();
        w.grafico();
        QVERIFY(expected_text::matches("accessibility-grafico", treeOf(w.form)));
        w.calcolo();
        QVERIFY(expected_text::matches("accessibility-calcolo", treeOf(w.form)));
        w.calcolo("60", "35", "-10");
        w.grafico();
        QVERIFY(expected_text::matches("accessibility-grafico-sopra", treeOf(w.form)));
        w.calcolo("1e400°F", " 35,5", "10 ft");
        QCOMPARE(w.errors.size(), 1);
        QVERIFY(expected_text::matches("accessibility-errore", treeOf(w.form)));
        main_window::HelpWindow help;
        help.present();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        for (int i = 0; i < 3; ++i) // read on with the caret, line by line
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(expected_text::matches("accessibility-help", treeOf(help)));
    }

    // After Calcolo the result is announced, again when pressed again.
    // Grafico is announced once, with what the plot shows; its ticks are
    // silent; the report's text goes, and says so.
    void calcoloAndGraficoAreHeard() {
        FormDriver w;
        w.calcolo("60", "35", "10");
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, "S=  548 Yd")));
        QCOMPARE(heard.count(said(QAccessible::TextUpdated, "Resoconto")), 1);
        heard.clear();
        w.calcolo();
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, "S=  548 Yd")));

        heard.clear();
        w.grafico();
        const QString summary = "Grafico: profilo di temperatura a 70 °F dalla superficie a 65 ft, "
                                "più fredda sotto; raggio limite da 0 yd a 15 ft fino a 950 yd in "
                                "superficie; punto calcolato a 548 yd e 10 ft.";
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, summary)));
        QCOMPARE(heard.count(said(QAccessible::TextUpdated, "Resoconto")), 1);
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

    // "Verifica il calcolo…" from the menu: its whole tree as it opens, the
    // first box focused; the student's working typed box by box with Tab and
    // checked with Invio, its tree with each verdict beside its box and the
    // summary heard once; then Tab on to the buttons, and Esc closes it,
    // which is no error.
    void checkDialogFromTheKeyboard() {
        MenuDriver w;
        w.type("60", "35", "10");
        main_window::CheckDialog* dialog = openCheck(w);
        QTRY_VERIFY(dialog && dialog->isActiveWindow()); // the keys go to it
        QVERIFY(expected_text::matches("accessibility-verifica", treeOf(*dialog)));
        const QStringList working = {"4928,6", "270810", "0.99998", "0.00608", "549"};
        for (const QString& value : working) {
            if (value != working.front())
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(dialog->focusWidget(), value);
        }
        heard.clear();
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QCOMPARE(heard.filter(QRegularExpression("^" + said(QAccessible::ObjectShow, ""))),
                 QStringList{said(QAccessible::ObjectShow, dialog->summary())});
        QVERIFY(expected_text::matches("accessibility-verifica-fatta", treeOf(*dialog)));
        QStringList buttons;
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            buttons << dialog->focusWidget()->accessibleName() +
                           qobject_cast<QPushButton*>(dialog->focusWidget())->text();
        }
        QCOMPARE(buttons, (QStringList{"Verifica", "Chiudi"}));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!w.form.findChild<main_window::CheckDialog*>());
        QVERIFY(w.errors.isEmpty());
        QCOMPARE(w.control<QLineEdit>("Text4")->text(), "10");
    }

    // What the check says when it cannot judge: an answer that is not a
    // number (its box takes the focus), boxes whose calculation fails (read
    // as "Calcolo" reads them, at the moment of the check), nothing given.
    void checkDialogTellsWhy_data() {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("working");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("focus");
        QTest::newRow("non un numero")
            << QStringList{"60", "35", "10"} << QStringList{"4928,6", "", "", "0.006o8", ""}
            << "Teta (rad): «0.006o8» non è un numero: scrivere le cifre con la virgola o il punto "
               "per i decimali (4928,6 o 4928.6), senza separatori delle migliaia; un esponente si "
               "scrive con la e (6.08e-3)."
            << "teta";
        QTest::newRow("sotto lo strato")
            << QStringList{"60", "35", "16"} << QStringList{"4928,6", "", "", "", ""}
            << "Errore di run-time: argomento non valido.\n\nQuota di calc. (ft): la quota deve "
               "essere al massimo 15 ft, la profondità dello strato."
            << "ascissa";
        QTest::newRow("nessun passo")
            << QStringList{"60", "35", "10"} << QStringList{"", "", "", "", ""}
            << "Nessun passo da verificare: scrivi almeno un valore. Giusti 0, coerenti 0, "
               "sbagliati 0, mancanti 5."
            << "ascissa";
    }
    void checkDialogTellsWhy() {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, working);
        QFETCH(QString, summary);
        QFETCH(QString, focus);
        MenuDriver w;
        w.type("50", "35", "10");
        main_window::CheckDialog* dialog = openCheck(w);
        QTRY_VERIFY(dialog && dialog->isActiveWindow());
        w.type(boxes[0], boxes[1], boxes[2]); // with the dialog open: read when checked
        const QList<QLineEdit*> answers = dialog->findChildren<QLineEdit*>();
        for (qsizetype i = 0; i < answers.size(); ++i)
            answers[i]->setText(working[i]);
        answers.back()->setFocus();
        heard.clear();
        QTest::keyClick(answers.back(), Qt::Key_Return);
        QCOMPARE(dialog->summary(), summary);
        QVERIFY(heard.contains(said(QAccessible::ObjectShow, summary)));
        QCOMPARE(dialog->focusWidget()->objectName(), focus);
        for (QLabel* verdict : dialog->findChildren<QLabel*>())
            QVERIFY(verdict->text() != "giusto" && !verdict->text().startsWith("sbagliato"));
        QVERIFY(w.errors.isEmpty());
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
