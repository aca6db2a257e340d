#include "FormDriver.h"
#include "PdfPages.h"
#include "engine/Calculation.h"
#include "engine/Report.h"
#include "main_window/PictureActions.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using pdf_pages::Ink;

// Answers every dialog at once, as told.
struct FakeDialogs : main_window::Dialogs {
    QString path;            // empty: the user cancels the file dialog
    QString printTo;         // where the printer writes
    bool printChosen = true; // false: the user cancels the print dialog
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFileName(printTo);
        return printChosen;
    }
};

struct Driver : FormDriver {
    FakeDialogs* dialogs = new FakeDialogs;
    main_window::PictureActions& actions = *form.findChild<main_window::PictureActions*>();

    Driver() { actions.setDialogs(std::unique_ptr<main_window::Dialogs>(dialogs)); }
    // The menu's entry of that name; null when there is none.
    QAction* action(const QString& name) const {
        for (QAction* action : actions.menu().actions())
            if (action->text() == name)
                return action;
        return nullptr;
    }
    void press(QKeyCombination keys) {
        QTest::keyClick(control("Command1"), keys.key(), keys.keyboardModifiers());
    }
};

// The range panel, in the window's pixels, under the captions: only the ray is
// red there and only the calculated point blue.
const QRect kRangePanel(334, 28, 667, 442);

} // namespace

class TestPictureActions : public QObject {
    Q_OBJECT

  private slots:
    // Shift+F10 opens the menu, whose entries a screen reader names.
    void menuFromTheKeyboard() {
        Driver w;
        QStringList shown;
        QTimer closer; // closes the menu as soon as it is up: never a hang
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(menu);
                for (int i = 0; i < a->childCount(); ++i)
                    shown << a->child(i)->text(QAccessible::Name);
                menu->close();
            }
        });
        closer.start(10);
        QTest::keyClick(w.control("Text1"), Qt::Key_F10, Qt::ShiftModifier);
        closer.stop();
        for (const char* entry : {"Copia testo", "Salva immagine…", "Esporta PDF…", "Stampa…",
                                  "Esporta scheda PDF…", "Stampa scheda…"})
            QVERIFY2(shown.contains(QString::fromUtf8(entry)), entry);
    }

    // Copia testo: the printed lines, exactly as "raggio-limite calcolo"
    // prints them; nothing when nothing is printed. Ctrl+C stays with the boxes.
    void copyText() {
        Driver w;
        QGuiApplication::clipboard()->setText("prima");
        QVERIFY(!w.action("Copia testo")->isEnabled());
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
        w.action("Esporta PDF…")->trigger();
        QVERIFY(pdf_pages::text(w.dialogs->path).contains("velocità del suono = 4928 ft/sec"));
        w.dialogs->printTo = dir.filePath("stampa.pdf");
        w.press(Qt::CTRL | Qt::Key_P);
        const QString printed = pdf_pages::text(w.dialogs->printTo);
        QVERIFY2(printed.contains("S= 548 Yd"), qPrintable(printed));
        w.grafico();
        w.action("Copia immagine")->trigger();
        QCOMPARE(w.pixelsUnlikeTheWindow(QGuiApplication::clipboard()->image()), 0);
        w.dialogs->path = dir.filePath("grafico.png");
        w.press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(w.pixelsUnlikeTheWindow(QImage(w.dialogs->path)), 0);
        QVERIFY(w.errors.isEmpty());
    }

    // The PDF of the plot, rendered at 96 dpi (a page pixel to a window
    // pixel), has the blue point and both ends of the red ray where the
    // window has them.
    void exportedPlotWhereTheWindowHasIt() {
        Driver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        w.grafico();
        w.dialogs->path = dir.filePath("grafico.pdf");
        w.action("Esporta PDF…")->trigger();
        const QImage page = pdf_pages::page(w.dialogs->path, 1, 96);
        const QImage& window = w.form.surface().image();
        QVERIFY(qAbs(page.width() - window.width()) <= 1 &&
                qAbs(page.height() - window.height()) <= 1); // pdftoppm rounds up
        const auto pagePoint = pdf_pages::inkCentre(page, Ink::Blue, kRangePanel);
        const auto windowPoint = pdf_pages::inkCentre(window, Ink::Blue, kRangePanel);
        QVERIFY(pagePoint && windowPoint);
        QVERIFY2((*pagePoint - *windowPoint).manhattanLength() <= 1.0,
                 qPrintable(QString("%1,%2").arg(pagePoint->x()).arg(pagePoint->y())));
        const QList<QPoint> ray = pdf_pages::inkIn(window, Ink::Red, kRangePanel);
        QVERIFY(ray.size() > 100);
        const auto byX = [](QPoint a, QPoint b) { return a.x() < b.x(); };
        for (QPoint end : {*std::min_element(ray.begin(), ray.end(), byX),
                           *std::max_element(ray.begin(), ray.end(), byX)})
            QVERIFY2(
                !pdf_pages::inkIn(page, Ink::Red, QRect(end - QPoint(1, 1), QSize(3, 3))).isEmpty(),
                qPrintable(QString("%1,%2").arg(end.x()).arg(end.y())));
    }

    // Cancelling a dialog is no error: no message, no file.
    void cancelledDialog_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry : {"Salva immagine…", "Esporta PDF…", "Stampa…",
                                  "Esporta scheda PDF…", "Stampa scheda…"})
            QTest::newRow(entry) << QString::fromUtf8(entry);
    }
    void cancelledDialog() {
        QFETCH(QString, entry);
        Driver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        w.grafico();
        w.dialogs->path.clear();
        w.dialogs->printTo = dir.filePath("stampa.pdf");
        w.dialogs->printChosen = false;
        QAction* action = w.action(entry);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QVERIFY2(w.errors.isEmpty(), qPrintable(w.errors.join('\n')));
        QVERIFY(QDir(dir.path()).isEmpty());
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
