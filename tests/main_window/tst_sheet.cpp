#include "Expected.h"
#include "FormDriver.h"
#include "Locale.h"
#include "PdfPages.h"

class TestSheet : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(test_locale::asAsked(), test_locale::kMissing); }
    // Off until a Calcolo completes; then the last completed Calcolo, to a
    // file or to the printer, unchanged by Grafico and by whatever was typed
    // and failed after it: the very page that "raggio-limite scheda" writes
    // for those inputs, a case of the command line's tests. On US Letter,
    // wider and shorter than A4, the same page whole, from the same corner.
    void sheet_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QPageSize>("paper");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("most"); // pixels unlike: the printer places glyphs at its own dots
        const QStringList comma{"60,5", "35.4", "10.4"};
        QTest::newRow("virgola e decimali, stampata su A4")
            << "Stampa scheda…" << comma << QPageSize(QPageSize::A4)
            << "scheda-typed-comma-and-halves" << 794 * 1123 / 100;
        QTest::newRow("virgola e decimali, stampata su Letter")
            << "Stampa scheda…" << comma << QPageSize(QPageSize::Letter)
            << "scheda-typed-comma-and-halves" << 816 * 1056 / 100;
        QTest::newRow("punto oltre 8191 yd, esportata")
            << "Esporta scheda PDF…" << QStringList{"60", "35", "-1200"} << QPageSize(QPageSize::A4)
            << "scheda-point-beyond-8191-yd" << 0;
    }
    void sheet() {
        QFETCH(QString, entry);
        QFETCH(QStringList, typed);
        QFETCH(QPageSize, paper);
        QFETCH(QString, page);
        QFETCH(int, most);
        MenuDriver w;
        QTemporaryDir dir;
        w.calcolo("60", "35", "16"); // fails: still nothing to put on a sheet
        QVERIFY(!w.entry(entry)->isEnabled());
        w.calcolo(typed[0], typed[1], typed[2]);
        w.grafico();
        w.calcolo("60", "35", "16");
        w.type("70", "30", "2");
        const QString path = w.dialogs->path = w.dialogs->printTo = dir.filePath("scheda.pdf");
        w.dialogs->paper = paper;
        const qsizetype errors = w.errors.size();
        w.entry(entry)->trigger();
        QCOMPARE(w.errors.size(), errors);
        QVERIFY(pdf_pages::page(path, 2, 9).isNull());
        const QImage printed = pdf_pages::page(path, 1, 96);
        const QImage want = expected::onPaper(expected::picture(page), printed.size());
        QVERIFY2(!want.isNull(), "the sheet has ink where the paper has no room");
        const int unlike = expected::pixelsUnlike(printed, want);
        QVERIFY2(unlike >= 0 && unlike <= most, qPrintable(QString::number(unlike)));
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
