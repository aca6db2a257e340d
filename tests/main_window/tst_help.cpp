#include "FormDriver.h"
#include "engine/Calculation.h"
#include "engine/Numeric.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "main_window/HelpWindow.h"

#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

const QString kAbout = QStringLiteral("Informazioni su Raggio limite");
// What "raggio-limite --help" names: the subcommands in their examples, the options and the
// exit statuses.
const QRegularExpression kUsageSays("raggio-limite [a-z]+|(?<![\\w-])--?[a-z]+|Stato d'uscita: .*");

QList<QWidget*> shown(const QString& title) {
    QList<QWidget*> windows = QApplication::topLevelWidgets();
    windows.removeIf([&](QWidget* w) { return !w->isVisible() || w->windowTitle() != title; });
    return windows;
}

// What the program prints; nothing, when it cannot run.
QString output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() ? QString(process.readAllStandardOutput()) : QString();
}

// The window's menu entries, which it answers without the menu too, as the help names
// them: "name (keys)", or the name alone.
QMap<QString, QAction*> menu(const FormDriver& w) {
    QMap<QString, QAction*> entries;
    for (QAction* a : w.form.actions())
        entries[QString(a->text() + " (" + a->shortcut().toString() + ")").remove(" ()")] = a;
    return entries;
}

// F1 on that control, or else that menu entry, from the main window as the user does.
void open(FormDriver& w, const QString& target) {
    QApplication::setActiveWindow(&w.form);
    if (QWidget* control = w.form.findChild<QWidget*>(target))
        return QTest::keyClick(control, Qt::Key_F1);
    QMetaObject::invokeMethod(menu(w).value(target), "trigger"); // no such entry: nothing
}

// What the program says of a claim that the help marks with data-
// attributes, written as the claim is: the claim itself when they agree.
QString computed(const QMap<QString, QString>& data, const QString& claim) {
    const auto boxes = [](const QString& texts) { return texts.split(' '); };
    const auto calculation = [&](const QString& texts) {
        const QStringList t = boxes(texts);
        return engine::Calculation::fromTexts(t[0].toStdString(), t[1].toStdString(),
                                              t[2].toStdString());
    };
    if (data.contains("arrotonda"))
        return QString::number(engine::toInt16(engine::Val(data["arrotonda"].toStdString())));
    if (data.contains("legge")) {
        const double value = engine::Val(data["legge"].toStdString());
        return value == claim.toDouble() ? claim : QString::number(value, 'g', 17);
    }
    if (data.contains("avviso"))
        return QString::fromStdString(engine::readingNotice(data["avviso"].toStdString()));
    if (data.contains("righe"))
        return QString::number(engine::reportLines(calculation(data["righe"])).size());
    if (data.contains("calcolo")) {
        const engine::RayPoint p = calculation(data["calcolo"]).point;
        const QMap<QString, double> steps{
            {"vel", p.vel}, {"r1", p.r1}, {"cos", p.cosTeta}, {"teta", p.teta}, {"S", p.S}};
        const int decimals = int(claim.section('.', 1).size());
        const double scale = std::pow(10.0, decimals), value = steps.value(data["passo"]) * scale;
        return QString::number((data.contains("troncato") ? std::floor(value) : std::round(value)) /
                                   scale,
                               'f', decimals);
    }
    if (data.contains("errore")) {
        for (const QString& texts : data["errore"].split(';')) {
            try {
                calculation(texts);
                return texts + ": nessun errore";
            } catch (const engine::RuntimeError& error) {
                const auto name =
                    QString::fromStdString(engine::RuntimeError::kindName(error.kind()));
                if (name != claim)
                    return texts + ": " + name;
            }
        }
        return claim;
    }
    if (data.contains("comando")) {
        QProcess program;
        program.start(RAGGIO_LIMITE, claim.section(' ', 1).split(' '));
        program.waitForFinished();
        return program.exitCode() == data["comando"].toInt() && program.exitStatus() == 0
                   ? claim
                   : QString("stato d'uscita %1").arg(program.exitCode());
    }
    return "nessuna prova per " + data.keys().join(' ');
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

  private slots:
    // F1 in a box or on a button, or the menu entry, opens the window; again, it is raised, not
    // doubled; Esc closes it, and it comes back. It never blocks the main window.
    void opensOneWindow_data() {
        QTest::addColumn<QString>("target");
        for (auto target : {"Text4", "Command2", "Guida (F1)", "Informazioni su Raggio limite"})
            QTest::newRow(target) << QString(target);
    }
    void opensOneWindow() {
        QFETCH(QString, target);
        const QString title = target == kAbout ? kAbout : QStringLiteral("Guida di Raggio limite");
        FormDriver w;
        open(w, target), open(w, target);
        QCOMPARE(shown(title).size(), 1);
        QTRY_VERIFY(QApplication::activeWindow() == shown(title)[0] && !shown(title)[0]->isModal());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(shown(title).isEmpty());
        open(w, target);
        QCOMPARE(shown(title).size(), 1);
    }

    // The help names every subcommand and option of "raggio-limite --help" and the exit
    // statuses; the help and the manual page every menu entry with its keys, and the keys
    // that open the menu; the about box the version, licence and Qt.
    void tells_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        FormDriver w;
        open(w, kAbout);
        const QStringList keys = menu(w).keys() << "Shift+F10";
        QStringList help = keys;
        for (const auto& match : kUsageSays.globalMatch(output(RAGGIO_LIMITE, {"--help"})))
            help << match.captured();
        QVERIFY(help.size() > keys.size() + 10); // --help answered
        QTest::newRow("help") << main_window::HelpWindow().findChild<QTextBrowser*>()->toPlainText()
                              << help;
        QTest::newRow("man") << output("env", {"MANWIDTH=250", "man", "-l", MANUAL_PAGE}) << keys;
        QTest::newRow("about")
            << w.form.findChild<QMessageBox*>()->text()
            << QStringList{output(RAGGIO_LIMITE, {"--version"}).section(' ', 1).trimmed(),
                           "GPL-3.0-or-later", QString("Qt ") + qVersion()};
    }
    // Each entry of the help's contents, clicked, brings its heading to the
    // top of the text (or, near the end, into view with the text at its end).
    void contentsLeadToHeadings() {
        main_window::HelpWindow help;
        help.present();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* text = help.findChild<QTextBrowser*>();
        QList<QPair<int, QString>> links; // where each entry is, and its words
        for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next())
            for (auto f = b.begin(); !f.atEnd(); ++f)
                if (f.fragment().charFormat().anchorHref().startsWith('#'))
                    links << qMakePair(f.fragment().position(), f.fragment().text());
        QCOMPARE(links.size(), 11);
        for (const auto& [position, words] : links) {
            text->verticalScrollBar()->setValue(0);
            QTextCursor at(text->document());
            at.setPosition(position + 1);
            QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(at).center());
            const QScrollBar* bar = text->verticalScrollBar();
            const int top = int(text->document()->documentMargin()) + 1;
            const QTextBlock first = text->cursorForPosition(QPoint(top, top)).block();
            const bool atEnd = bar->value() == bar->maximum() && bar->value() > 0;
            QVERIFY2(first.text() == words || (atEnd && text->toPlainText().contains(words)),
                     qPrintable(words + " -> " + first.text()));
        }
    }

    // Every figure, example and message that the help marks with data-
    // attributes, computed by the program: the help says what it does.
    void claimsHold() {
        QFile file(":/guida/guida.html");
        QVERIFY(file.open(QIODevice::ReadOnly));
        static const QRegularExpression marked("<(span|dt) (data-[^>]*)>([^<]*)</\\1>");
        static const QRegularExpression attribute("data-([a-z]+)=\"([^\"]*)\"");
        QStringList claims, found;
        for (const auto& m : marked.globalMatch(QString::fromUtf8(file.readAll()))) {
            QMap<QString, QString> data;
            for (const auto& a : attribute.globalMatch(m.captured(2)))
                data[a.captured(1)] = a.captured(2);
            claims << m.captured(3).replace('\n', ' ');
            found << computed(data, claims.last());
        }
        QCOMPARE(found, claims);
        QCOMPARE(claims.size(), 22);
    }

    // In whole words: "-h" is not "--help", nor "1.0" "1.0.1".
    void tells() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        for (const QString& word : words)
            QVERIFY2(text.simplified().contains(QRegularExpression(
                         "(?<![\\w.-])" + QRegularExpression::escape(word) + "(?!\\.?[\\w-])")),
                     qPrintable(word));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
