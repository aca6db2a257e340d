#include "Locale.h"
#include "engine/Calculation.h"
#include "form/Document.h"
#include "main_window/PrintedDocument.h"

#include "Expected.h"
#include "ExpectedText.h"
#include "PdfPages.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every kind of block, over two pages: what the other documents of the
// program will be made of.
form::Document everyBlock() {
    const engine::Calculation c = engine::Calculation::fromTexts("52.3", "36", "4");
    form::Page first{{
        form::Title{"Documento di prova"},
        form::FieldLines{{{"Nome", 30}, {"Classe", 8}, {"Data", 14}}},
        form::Heading{"Una tabella"},
        form::Table{{0.0, 90.0, 200.0},
                    {"Codice", "Temperatura", "S"},
                    {{"A-01", "52.3", "810"}, {"A-02", "60", "548"}}},
        form::Heading{"Righe come stampate"},
        form::ReportLines{{"S=  548 Yd", "", "sa =  35  pt x 1000 "}},
        form::Heading{"Risposte"},
        form::AnswerSpaces{{{"velocità", "ft/s"}, {"raggio", "ft"}, {"S", "Yd"}}},
        form::Message{"Fine della prima pagina."},
    }};
    form::Page second{{
        form::Title{"Seconda pagina"},
        form::Plot{c.values, form::plotArea(), form::axisCaptions()},
        form::Message{"Sotto il grafico."},
    }};
    return {"Documento di prova", {first, second}};
}

QString expectedPicture(int page, const char* paper) {
    return QStringLiteral(TEXT_EXPECTED_DIR "/documento-%1-pagina-%2.png").arg(paper).arg(page);
}

} // namespace

class TestPrintedDocument : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(test_locale::asAsked(), test_locale::kMissing); }
    // Any document, block by block and page by page: as a PDF file of A4
    // pages (its title, page count, text and each page's pixels against
    // expected files), and on a printer's US Letter paper, the same pages from
    // the same corner.
    void everyKindOfBlock() {
        QTemporaryDir dir;
        const QString path = dir.filePath("documento.pdf");
        QString problem;
        QVERIFY2(main_window::PrintedDocument::savePdf(everyBlock(), path, &problem),
                 qPrintable(problem));
        QVERIFY(expected_text::matches(
            "documento", (pdf_pages::facts(path) + pdf_pages::text(path)).toStdString()));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("stampa.pdf"));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        QVERIFY2(main_window::PrintedDocument::print(everyBlock(), printer, &problem),
                 qPrintable(problem));
        for (int page = 1; page <= 2; ++page) {
            const QImage a4 = pdf_pages::page(path, page, 96);
            QCOMPARE(expected::pixelsUnlikeOwn(a4, expectedPicture(page, "a4")), 0);
            const QImage letter = pdf_pages::page(printer.outputFileName(), page, 96);
            const QImage want = expected::onPaper(a4, letter.size());
            QVERIFY2(!want.isNull(), "a page has ink where US Letter has no room");
            const int unlike = expected::pixelsUnlike(letter, want);
            QVERIFY2(unlike >= 0 && unlike <= letter.width() * letter.height() / 100,
                     qPrintable(QString::number(unlike)));
        }
        QVERIFY(pdf_pages::page(path, 3, 9).isNull());
        QVERIFY(pdf_pages::page(printer.outputFileName(), 3, 9).isNull());
    }
};

QTEST_MAIN(TestPrintedDocument)
#include "tst_printed_document.moc"
