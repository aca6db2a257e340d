#include "main_window/Dialogs.h"
#include "platform/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The texts of a widget's buttons and menu entries, without their "&" marks.
QStringList wordsOf(const QWidget& widget) {
    QStringList words;
    for (const QPushButton* button : widget.findChildren<QPushButton*>())
        words << button->text().remove('&');
    for (const QAction* action : widget.actions())
        words << action->text().remove('&').section('\t', 0, 0);
    return words;
}

// Asks for a file name; answer() sees the dialog the user would see.
QString askWhile(main_window::SystemDialogs& dialogs, const char* suggested,
                 const std::function<void(QFileDialog&)>& answer) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(*dialog);
    });
    return dialogs.saveFileName(nullptr, "Salva immagine", suggested, "Immagini PNG (*.png)");
}

} // namespace

// Qt's own dialogs and menus speak Italian like the rest of the program, and
// the save dialog starts where the user keeps such files.
class TestDialogs : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(platform::installQtTranslations());
        for (auto location : {QStandardPaths::PicturesLocation, QStandardPaths::DocumentsLocation})
            QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(location)));
    }

    void boxMenuIsItalian() {
        QLineEdit box;
        std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        const QStringList words = wordsOf(*menu);
        for (const char* word : {"Annulla", "Taglia", "Copia", "Incolla"})
            QVERIFY2(words.contains(word), qPrintable(words.join(", ")));
    }

    // Cancelled: nothing chosen. Chosen: the next dialog starts in that folder.
    void saveDialog() {
        main_window::SystemDialogs dialogs;
        QString firstFolder;
        QStringList words;
        const QString cancelled = askWhile(dialogs, "grafico.png", [&](QFileDialog& dialog) {
            firstFolder = dialog.directory().absolutePath();
            words = wordsOf(dialog);
            dialog.reject();
        });
        QCOMPARE(cancelled, QString());
        QCOMPARE(firstFolder, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
        QVERIFY2(words.contains("Salva") && words.contains("Annulla"),
                 qPrintable(words.join(", ")));

        const QString chosen = QDir::home().filePath("scelta/grafico.png");
        QVERIFY(QDir().mkpath(QFileInfo(chosen).path()));
        QCOMPARE(askWhile(dialogs, "grafico.png",
                          [&](QFileDialog& dialog) {
                              dialog.selectFile(chosen);
                              static_cast<QDialog&>(dialog).accept();
                          }),
                 chosen);
        askWhile(dialogs, "scheda.pdf", [&](QFileDialog& dialog) {
            firstFolder = dialog.directory().absolutePath();
            dialog.reject();
        });
        QCOMPARE(firstFolder, QFileInfo(chosen).path());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
