#include "FormDriver.h"
#include "engine/Calculation.h"
#include "engine/Report.h"
#include "main_window/PictureActions.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Answers every dialog at once, as told.
struct FakeDialogs : main_window::Dialogs {
    QString path;
    QString printTo; // empty: the user cancels the print dialog
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFileName(printTo);
        return !printTo.isEmpty();
    }
};

QString textOfPdf(const QString& path) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

struct Driver : FormDriver {
    FakeDialogs* dialogs = new FakeDialogs;
    main_window::PictureActions& actions = *form.findChild<main_window::PictureActions*>();

    Driver() { actions.setDialogs(std::unique_ptr<main_window::Dialogs>(dialogs)); }
    QAction* action(int i) const { return actions.menu().actions().value(i); }
    void press(QKeyCombination keys) {
        QTest::keyClick(control("Command1"), keys.key(), keys.keyboardModifiers());
    }
};

} // namespace

class TestPictureActions : public QObject {
    Q_OBJECT

  private slots:
    // The menu's items, in order, by the names a screen reader gives them.
    // Copia testo: the printed lines, exactly as "raggio-limite calcolo"
    // prints them; nothing when nothing is printed. Ctrl+C stays with the boxes.
    void copyText() {
        Driver w;
        const QStringList names = {"Copia testo", "Copia immagine", "Salva immagine…",
                                   "Esporta PDF…", "Stampa…"};
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(&w.actions.menu());
        QCOMPARE(menu->childCount(), names.size() + 2); // then the help's two, see tst_help
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(menu->child(i)->text(QAccessible::Name), names[i]);
        QGuiApplication::clipboard()->setText("prima");
        QVERIFY(!w.action(0)->isEnabled());
        w.press(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
        QCOMPARE(QGuiApplication::clipboard()->text(), "prima");
        w.calcolo("60", "35", "10");
        w.press(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
        const auto c = engine::Calculation::fromTexts("60", "35", "10");
        QCOMPARE(QGuiApplication::clipboard()->text(), engine::reportLines(c).join('\n') + '\n');
        auto* box = w.control<QLineEdit>("Text1");
        box->selectAll();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "60");
    }

    // Copia immagine and Salva immagine (Ctrl+S) give the window's picture;
    // Esporta PDF and Stampa (Ctrl+P) write the printed text as text.
    void pictureOutOfTheWindow() {
        Driver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        w.dialogs->path = dir.filePath("resoconto.pdf");
        w.action(3)->trigger();
        QVERIFY(textOfPdf(w.dialogs->path).contains("velocità del suono = 4928 ft/sec"));
        w.dialogs->printTo = dir.filePath("stampa.pdf");
        w.press(Qt::CTRL | Qt::Key_P);
        const QString printed = textOfPdf(w.dialogs->printTo);
        QVERIFY2(printed.contains("S= 548 Yd"), qPrintable(printed));
        w.grafico();
        w.action(1)->trigger();
        QCOMPARE(w.pixelsUnlikeTheWindow(QGuiApplication::clipboard()->image()), 0);
        w.dialogs->path = dir.filePath("grafico.png");
        w.press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(w.pixelsUnlikeTheWindow(QImage(w.dialogs->path)), 0);
        QVERIFY(w.errors.isEmpty());
    }

    void failingSaveReportsOnceAndLeavesNoFile() {
        Driver w;
        QTemporaryDir dir;
        w.dialogs->path = dir.filePath("manca/grafico.png");
        w.press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(w.errors.size(), 1);
        QVERIFY(w.errors[0].startsWith("Impossibile scrivere il file"));
        QVERIFY(QDir(dir.path()).isEmpty());
        w.calcolo("60", "35", "10");
        QCOMPARE(w.report().last(), "S=  548 Yd");
    }
};

QTEST_MAIN(TestPictureActions)
#include "tst_picture_actions.moc"
