// Usage: screenshots OUTPUT_DIR
// Types the worked example into the real window, clicks "Calcolo" and then
// "Grafico", and saves what the window shows after each click.
#include "main_window/Form1.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
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
    QTest::keyClicks(form.findChild<QLineEdit*>("Text1"), QStringLiteral("60"));
    QTest::keyClicks(form.findChild<QLineEdit*>("Text2"), QStringLiteral("35"));
    QTest::keyClicks(form.findChild<QLineEdit*>("Text4"), QStringLiteral("10"));
    QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    bool ok = save(form, out.filePath(QStringLiteral("report.png")));
    QTest::mouseClick(form.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QTest::qWait(50); // a few ticks of the plot's timer
    ok = save(form, out.filePath(QStringLiteral("plot.png"))) && ok;
    return ok ? 0 : 1;
}
