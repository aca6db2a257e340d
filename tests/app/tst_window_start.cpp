#include "app/Window.h"
#include "main_window/Form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

class TestWindowStart : public QObject {
    Q_OBJECT

  private slots:
    // The bare program's way up, as main takes it: the window shown, the
    // focus in Temperatura, and Qt's own words in Italian, whatever the
    // system's language (the boxes' menu, as a user opens it).
    void startsAsTheProgramDoes() {
        char name[] = "raggio-limite";
        char* argv[] = {name, nullptr};
        int argc = 1;
        QStringList seen;
        const int status = app::runWindow(argc, argv, [&](main_window::Form1& form) {
            seen << form.windowTitle() << QString::number(form.isVisible())
                 << (form.focusWidget() ? form.focusWidget()->objectName() : QString());
            const std::unique_ptr<QMenu> menu(
                form.findChild<QLineEdit*>("Text1")->createStandardContextMenu());
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    seen << action->text().remove('&').section('\t', 0, 0);
            QApplication::quit();
        });
        QCOMPARE(status, 0);
        QCOMPARE(seen, (QStringList{"Form1", "1", "Text1", "Annulla", "Rifai", "Taglia", "Copia",
                                    "Incolla", "Elimina", "Seleziona tutto"}));
    }
};

QTEST_APPLESS_MAIN(TestWindowStart)
#include "tst_window_start.moc"
