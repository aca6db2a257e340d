// Usage: first_plot SCALE FIRST.png LATER.png
// Presses "Grafico" on a fresh window, before any "Calcolo", and saves its
// picture right after the press and again once the plot's timer has ticked:
// what the page's first plot must match.
#include "main_window/Form1.h"
#include "main_window/Form1Driver.h"

#include <QApplication>
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
    main_window::Form1Driver driver(form);
    driver.pressGrafico();
    QString problem;
    bool ok = driver.savePicture(QString::fromLocal8Bit(argv[2]), &problem);
    QTest::qWait(50); // a few ticks of Timer1
    ok = ok && driver.savePicture(QString::fromLocal8Bit(argv[3]), &problem);
    if (!ok)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    return ok ? 0 : 1;
}
