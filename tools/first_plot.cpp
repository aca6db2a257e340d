// Usage: first_plot SCALE FIRST.png LATER.png
// Presses "Grafico" on a fresh window, before any "Calcolo", and saves its
// picture right after the click and again once the plot's timer has ticked:
// what the page's first plot must match.
#include "main_window/Form1.h"
#include "main_window/Picture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("Uso: first_plot SCALA PRIMO.png DOPO.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", argv[1]);
    QApplication app(argc, argv);
    main_window::Form1 form;
    form.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QString problem;
    bool ok = main_window::Picture::savePng(form, QString::fromLocal8Bit(argv[2]), &problem);
    QTest::qWait(50); // a few ticks of Timer1
    ok = ok && main_window::Picture::savePng(form, QString::fromLocal8Bit(argv[3]), &problem);
    if (!ok)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    return ok ? 0 : 1;
}
