#include "EngineText.h"
#include "Expected.h"
#include "FormDriver.h"
#include "Locale.h"
#include "PdfPages.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

class TestContextMenu : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(test_locale::asAsked(), test_locale::kMissing); }
    // Copia testo (Ctrl+Shift+C): the printed lines, exactly as
    // "raggio-limite calcolo" prints them; nothing when nothing is printed.
    // Ctrl+C stays with the boxes. Shift+F10 opens the menu.
    void fromTheKeyboard() {
        MenuDriver w;
        QGuiApplication::clipboard()->setText("prima");
        QTest::keyClick(w.control("Command1"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "prima");
        w.calcolo("60", "35", "10");
        QTest::keyClick(w.control("Command1"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const auto c = engine::Calculation::fromTexts("60", "35", "10");
        QCOMPARE(QGuiApplication::clipboard()->text(), reportOf(c).join('\n') + '\n');
        w.control<QLineEdit>("Text1")->selectAll();
        QTest::keyClick(w.control("Text1"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "60");
        QMenu* opened = nullptr;
        QTimer::singleShot(10, [&] { // closes the menu as soon as it is up: never a hang
            if ((opened = qobject_cast<QMenu*>(QApplication::activePopupWidget())))
                opened->close();
        });
        QTest::keyClick(w.control("Text1"), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_COMPARE(opened, &w.actions.menu());
    }

    // After Calcolo alone, the report and no axis caption over it in every
    // picture of the menu: Copia immagine and Salva immagine (Ctrl+S) as the
    // window shows it, Esporta PDF and Stampa (Ctrl+P) against their pictures.
    void picturesOfTheReport() {
        MenuDriver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        QCOMPARE(w.axisLabelsShown(), 0);
        w.entry("Copia immagine")->trigger();
        QCOMPARE(w.pixelsUnlikeTheWindow(QGuiApplication::clipboard()->image()), 0);
        w.dialogs->path = dir.filePath("resoconto.png");
        QTest::keyClick(w.control("Command1"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.pixelsUnlikeTheWindow(QImage(w.dialogs->path)), 0);
        w.dialogs->path = dir.filePath("resoconto.pdf");
        w.entry("Esporta PDF…")->trigger();
        QCOMPARE(expected::pixelsUnlikeOwn(pdf_pages::page(w.dialogs->path, 1, 96),
                                           TEXT_EXPECTED_DIR "/esporta-resoconto.png"),
                 0);
        w.dialogs->printTo = dir.filePath("stampa.pdf");
        QTest::keyClick(w.control("Command1"), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(expected::pixelsUnlikeOwn(pdf_pages::page(w.dialogs->printTo, 1, 96),
                                           TEXT_EXPECTED_DIR "/stampa-resoconto.png"),
                 0);
        QVERIFY(w.errors.isEmpty());
    }

    // After Grafico, Copia immagine and Salva immagine (Ctrl+S) give the
    // window's picture, and Salva immagine and Esporta PDF the very files of
    // "raggio-limite grafico" (the command line's cases grafico-png and
    // grafico-pdf).
    void pictureOutOfTheWindow() {
        MenuDriver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        w.grafico();
        w.entry("Copia immagine")->trigger();
        QCOMPARE(w.pixelsUnlikeTheWindow(QGuiApplication::clipboard()->image()), 0);
        w.dialogs->path = dir.filePath("grafico.png");
        QTest::keyClick(w.control("Command1"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.pixelsUnlikeTheWindow(QImage(w.dialogs->path)), 0);
        QCOMPARE(expected::pixelsUnlike(QImage(w.dialogs->path), "grafico-png"), 0);
        w.dialogs->path = dir.filePath("grafico.pdf");
        w.entry("Esporta PDF…")->trigger();
        QCOMPARE(expected::pixelsUnlike(pdf_pages::page(w.dialogs->path, 1, 96), "grafico-pdf"), 0);
        QVERIFY(w.errors.isEmpty());
    }

    // Stampa (Ctrl+P) after Grafico: the picture as large as the printer's
    // paper allows, landscape, whole on A4 and on US Letter (glyphs at the
    // printer's own dots).
    void printedPicture_data() {
        QTest::addColumn<QPageSize>("paper");
        QTest::addColumn<QString>("picture");
        QTest::newRow("A4") << QPageSize(QPageSize::A4) << "stampa-grafico.png";
        QTest::newRow("Letter") << QPageSize(QPageSize::Letter) << "stampa-grafico-letter.png";
    }
    void printedPicture() {
        QFETCH(QPageSize, paper);
        QFETCH(QString, picture);
        MenuDriver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        w.grafico();
        w.dialogs->printTo = dir.filePath("stampa.pdf");
        w.dialogs->paper = paper;
        QTest::keyClick(w.control("Command1"), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(pdf_pages::page(w.dialogs->printTo, 2, 9).isNull());
        const QImage page = pdf_pages::page(w.dialogs->printTo, 1, 96);
        const int unlike =
            expected::pixelsUnlikeOwn(page, QStringLiteral(TEXT_EXPECTED_DIR "/") + picture);
        const int most = page.width() * page.height() / 100;
        QVERIFY2(unlike >= 0 && unlike <= most, qPrintable(QString::number(unlike)));
        QVERIFY(w.errors.isEmpty());
    }

    // A cancelled dialog is no error: no message, no file. A failed write is
    // one message, and no file either.
    // The save dialog asks with its caption, a suggested name and a filter.
    void saveOrCancel_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file"); // the chosen one; empty: cancelled
        QTest::addColumn<QString>("asked");
        const char* const kAsked[][2] = {
            {"Salva immagine…", "Salva immagine|raggio-limite.png|Immagini PNG (*.png)"},
            {"Esporta PDF…", "Esporta PDF|raggio-limite.pdf|Documenti PDF (*.pdf)"},
            {"Stampa…", ""},
            {"Esporta scheda PDF…",
             "Esporta scheda PDF|scheda-di-calcolo.pdf|Documenti PDF (*.pdf)"},
            {"Stampa scheda…", ""},
            {"Salva la pagina per il browser…",
             "Salva la pagina per il browser|raggio-limite.html|Pagine HTML (*.html)"}};
        for (const auto& [entry, asked] : kAsked)
            QTest::newRow(entry) << QString::fromUtf8(entry) << QString()
                                 << QString::fromUtf8(asked);
        QTest::newRow("cartella che manca")
            << "Salva immagine…"
            << "manca/grafico.png"
            << "Salva immagine|raggio-limite.png|Immagini PNG (*.png)";
    }
    void saveOrCancel() {
        QFETCH(QString, entry);
        QFETCH(QString, file);
        QFETCH(QString, asked);
        MenuDriver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "10");
        w.grafico();
        w.dialogs->path = file.isEmpty() ? file : dir.filePath(file);
        w.dialogs->printTo = dir.filePath("stampa.pdf");
        w.dialogs->printChosen = false;
        QVERIFY(w.entry(entry)->isEnabled());
        w.entry(entry)->trigger();
        QCOMPARE(w.dialogs->asked, asked);
        QCOMPARE(w.errors.size(), file.isEmpty() ? 0 : 1);
        QVERIFY(w.errors.isEmpty() || w.errors[0].startsWith("Impossibile scrivere il file"));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // A printer that fails before the page is done (a full disk, for a PDF
    // printer): one message, and the window goes on.
    void printFails_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry : {"Stampa…", "Stampa scheda…"})
            QTest::newRow(entry) << QString::fromUtf8(entry);
    }
    void printFails() {
        QFETCH(QString, entry);
        MenuDriver w;
        w.calcolo("60", "35", "10");
        w.dialogs->printTo = "/dev/full";
        w.entry(entry)->trigger();
        QCOMPARE(w.errors, QStringList{"Impossibile stampare: la stampa non è stata completata."});
    }
};

QTEST_MAIN(TestContextMenu)
#include "tst_context_menu.moc"
