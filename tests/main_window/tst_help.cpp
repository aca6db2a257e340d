#include "FormDriver.h"
#include "main_window/PictureActions.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QShortcut>
#include <QTextBrowser>

namespace {

const QString kHelpTitle = QStringLiteral("Guida di Raggio limite");

// The visible windows with that title.
QList<QWidget*> shown(const QString& title) {
    QList<QWidget*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == title)
            found << window;
    return found;
}

QString output(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("250"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        qFatal("%s did not run", qPrintable(program));
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Driver : FormDriver {
    main_window::PictureActions& actions = *form.findChild<main_window::PictureActions*>();

    QAction* entry(const QString& name) const {
        for (QAction* action : actions.menu().actions())
            if (action->text() == name)
                return action;
        return nullptr;
    }
    QString helpText() {
        entry(QStringLiteral("Guida"))->trigger();
        const QList<QWidget*> help = shown(kHelpTitle);
        return help.size() == 1 ? help[0]->findChild<QTextBrowser*>()->toPlainText() : QString();
    }
    // Every key the window answers, as "name (keys)" or the name alone, with the
    // keys that open the menu.
    QStringList keys() const {
        QStringList said;
        for (QAction* action : actions.menu().actions())
            said << (action->shortcut().isEmpty()
                         ? action->text()
                         : QStringLiteral("%1 (%2)").arg(action->text(),
                                                         action->shortcut().toString()));
        for (QShortcut* shortcut : form.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
            said << shortcut->key().toString();
        return said;
    }
};

enum class Open { F1InBox, F1OnButton, MenuEntry };

void open(Driver& w, Open how) {
    switch (how) {
    case Open::F1InBox:
        QTest::keyClick(w.control("Text4"), Qt::Key_F1);
        break;
    case Open::F1OnButton:
        w.control("Command2")->setFocus();
        QTest::keyClick(w.control("Command2"), Qt::Key_F1);
        break;
    case Open::MenuEntry:
        w.entry(QStringLiteral("Guida"))->trigger();
        break;
    }
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

    QString help_; // the help's text, read once

  private slots:
    void initTestCase() { help_ = Driver().helpText(); }

    // F1 in a box, F1 on a button and the menu entry (which shows F1) open the
    // help; doing it again raises the same window; Esc closes it, and it comes back.
    void opensOneHelpWindow_data() {
        QTest::addColumn<Open>("how");
        QTest::newRow("F1 in Quota") << Open::F1InBox;
        QTest::newRow("F1 on Grafico") << Open::F1OnButton;
        QTest::newRow("menu entry Guida") << Open::MenuEntry;
    }
    void opensOneHelpWindow() {
        QFETCH(Open, how);
        Driver w;
        QVERIFY(shown(kHelpTitle).isEmpty());
        open(w, how);
        QCOMPARE(shown(kHelpTitle).size(), 1);
        QWidget* help = shown(kHelpTitle)[0];
        w.form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &w.form);
        open(w, how);
        QCOMPARE(shown(kHelpTitle), QList<QWidget*>{help});
        QTRY_COMPARE(QApplication::activeWindow(), help);
        QVERIFY(!help->isModal());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(shown(kHelpTitle).isEmpty());
        w.form.activateWindow(); // as the desktop does when the help closes
        QTRY_COMPARE(QApplication::activeWindow(), &w.form);
        open(w, how);
        QCOMPARE(shown(kHelpTitle), QList<QWidget*>{help});
        QCOMPARE(w.entry(QStringLiteral("Guida"))->shortcut(), QKeySequence(Qt::Key_F1));
    }

    // What the help must tell: units and rules of the boxes, the formulas, and
    // everything "raggio-limite --help" lists (subcommands, options, exit status).
    void helpSays_data() {
        QTest::addColumn<QString>("words");
        QTest::newRow("temperature in degF") << "Temperatura (°F)";
        QTest::newRow("salinity per mille") << "parti per mille";
        QTest::newRow("salinity halves to even") << "le metà al pari: 34.5 vale 34";
        QTest::newRow("depth in ft up to 15") << "piedi (ft), un numero intero da −32753 fino a 15";
        QTest::newRow("decimal point, comma, empty")
            << "il punto \".\" separa i decimali, una virgola chiude il numero (60,5 vale 60), "
               "l'esponente si scrive 1e3 e una casella vuota vale 0";
        QTest::newRow("layer bottom") << "d1 = 15 ft";
        QTest::newRow("speed") << "vel = 4411 + 11.25 T − 0.045 T² + 0.0182 d1 + 4.3 (sa − 34)";
        QTest::newRow("gradient") << "g = 0.0182";
        QTest::newRow("radius") << "r1 = vel / g";
        QTest::newRow("angle") << "cos(teta) = 1 + (D − d1) / r1";
        QTest::newRow("range") << "S = Int(r1 sin(teta) / 3)";
        QTest::newRow("subcommand scheda") << "raggio-limite scheda T S Q -o FILE.pdf";
        const QString usage = output(RAGGIO_LIMITE, {QStringLiteral("--help")});
        const QRegularExpression subcommand(QStringLiteral("^  ([a-z]+) "),
                                            QRegularExpression::MultilineOption);
        for (const auto& match : subcommand.globalMatch(usage))
            QTest::addRow("--help: %s", qPrintable(match.captured(1)))
                << "raggio-limite " + match.captured(1);
        QStringList options;
        for (const auto& match :
             QRegularExpression(QStringLiteral("(?<![\\w-])--?[a-z]+")).globalMatch(usage))
            if (!options.contains(match.captured()))
                options << match.captured();
        for (const QString& option : options)
            QTest::addRow("--help: %s", qPrintable(option)) << option;
        const QRegularExpression status(QStringLiteral("^Stato d'uscita: .*$"),
                                        QRegularExpression::MultilineOption);
        QTest::newRow("--help: exit status") << status.match(usage).captured();
    }
    void helpSays() {
        QFETCH(QString, words);
        QVERIFY(!words.isEmpty());
        // Whole words: "-o" is not the end of "--formato".
        const QRegularExpression said("(?<![\\w-])" + QRegularExpression::escape(words) +
                                      "(?![\\w-])");
        QVERIFY2(help_.simplified().contains(said), qPrintable(words));
    }

    // Every menu entry with its keys, and the keys that open the menu, in the
    // help and in the manual page as "man" shows it.
    void keysListed_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("help") << help_;
        QTest::newRow("manual page") << output("man", {"-l", MANUAL_PAGE});
    }
    void keysListed() {
        QFETCH(QString, text);
        Driver w;
        const QStringList keys = w.keys();
        QVERIFY(keys.contains("Guida (F1)"));
        for (const QString& key : keys)
            QVERIFY2(text.simplified().contains(key), qPrintable(key));
    }

    // The about box, which never blocks the window: the version that
    // "raggio-limite --version" prints, the licence and the Qt in use.
    void about() {
        Driver w;
        const QString title = QStringLiteral("Informazioni su Raggio limite");
        const QString version =
            output(RAGGIO_LIMITE, {QStringLiteral("--version")}).section(' ', 1).trimmed();
        for (int i = 0; i < 2; ++i)
            w.entry(title)->trigger();
        QCOMPARE(shown(title).size(), 1);
        auto* box = qobject_cast<QMessageBox*>(shown(title)[0]);
        QVERIFY(box && !box->isModal());
        for (const QString& words : {"Raggio limite " + version, QStringLiteral("GPL-3.0-or-later"),
                                     "Qt " + QString::fromLatin1(qVersion())})
            QVERIFY2(box->text().contains(QRegularExpression(
                         "(?<![\\w.-])" + QRegularExpression::escape(words) + "(?![\\w.-])")),
                     qPrintable(box->text()));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
