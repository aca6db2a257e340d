#include "main_window/Dialogs.h"
#include "platform/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

// Qt's own dialogs and menus speak Italian like the rest of the program, and
// the save dialog starts where the user keeps such files.
class TestDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<main_window::SystemDialogs> dialogs_;
    QString folder_;    // where the last save dialog started
    QStringList words_; // its buttons, as the user reads them

    // Asks for a file name as the window does; the dialog is answered with that file, or
    // cancelled without one.
    QString ask(const char* suggested, const QString& answer = {}) {
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            folder_ = dialog->directory().absolutePath();
            words_ = QStringList{dialog->labelText(QFileDialog::Accept),
                                 dialog->labelText(QFileDialog::Reject)}
                         .replaceInStrings("&", "");
            dialog->selectFile(answer);
            answer.isEmpty() ? dialog->reject() : dialog->QDialog::accept();
        });
        return dialogs_->saveFileName(nullptr, "Salva immagine", suggested, "Immagini PNG (*.png)");
    }

  private slots:
    // A home with Pictures but without Documents.
    void initTestCase() {
        QVERIFY(platform::installQtTranslations());
        QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
        QVERIFY(QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                    .removeRecursively());
    }
    void init() { dialogs_ = std::make_unique<main_window::SystemDialogs>(); }

    // A PDF first goes to Documents, or, where the desktop has none, home.
    void pdfWithoutDocuments() {
        QCOMPARE(ask("scheda.pdf"), QString());
        QCOMPARE(folder_, QDir::homePath());
    }

    // A picture first goes to Pictures; cancelled, nothing is chosen; once a file is
    // chosen, the next dialog starts in its folder.
    void saveDialog() {
        QCOMPARE(ask("grafico.png"), QString());
        QCOMPARE(folder_, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
        QCOMPARE(words_, QStringList({"Salva", "Annulla"}));
        const QString chosen = QDir::home().filePath("scelta/grafico.png");
        QVERIFY(QDir().mkpath(QFileInfo(chosen).path()));
        QCOMPARE(ask("grafico.png", chosen), chosen);
        ask("scheda.pdf");
        QCOMPARE(folder_, QFileInfo(chosen).path());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
