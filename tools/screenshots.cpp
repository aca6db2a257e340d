// Usage: screenshots OUTPUT_DIR
// Enters the worked example into the real window, presses "Calcolo" and then
// "Grafico", and saves what the window shows after each.
#include "main_window/Form1.h"
#include "main_window/Form1Driver.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget& window, const QString& path) {
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    main_window::Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    main_window::Form1Driver driver(form);
    driver.setInputs(QStringLiteral("60"), QStringLiteral("35"), QStringLiteral("10"));
    driver.pressCalcolo();
    bool ok = save(form, out.filePath(QStringLiteral("report.png")));
    driver.pressGrafico();
    QTest::qWait(50); // a few ticks of the plot's timer
    ok = save(form, out.filePath(QStringLiteral("plot.png"))) && ok;
    return ok ? 0 : 1;
}
