// Shows the plot of the worked example for a while (60 s unless given),
// growing the window by a pixel each second so that Timer1 draws it again,
// and samples the resident memory once a second. Prints the ticks and the
// memory after the first second and at the end; exits non-zero if a redraw
// is missed or the memory grows by more than 1 MiB.
//   xvfb-run -a build/bench/soak [SECONDS]
#include "main_window/Form1.h"
#include "main_window/Form1Driver.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cstdio>

namespace {

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    main_window::Form1 form;
    main_window::Form1Driver driver(form);
    form.show();
    driver.setInputs(QStringLiteral("60"), QStringLiteral("35"), QStringLiteral("10"));
    driver.pressCalcolo();
    driver.pressGrafico();
    const platform::Timer* timer1 = &driver.plotTimer();

    QTest::qWait(1000);
    const long firstSecond = residentKiB();
    long highest = firstSecond;
    int redrawn = 0;
    for (int s = 1; s < seconds; ++s) {
        // Grow the window a little each second, so that the plot is drawn
        // again at once, and leave it resting for the rest of the second.
        const long long before = timer1->tickCount();
        form.resize(form.size() + QSize(1, 0));
        QTest::qWait(1000);
        redrawn += timer1->tickCount() >= before + 2; // the redraw, then a tick that rests
        highest = std::max(highest, residentKiB());
    }
    const long growth = highest - firstSecond;
    std::printf("seconds: %d\n", seconds);
    std::printf("ticks: %lld\n", timer1->tickCount());
    std::printf("seconds_with_a_redraw: %d\n", redrawn);
    std::printf("rss_kib_after_first_second: %ld\n", firstSecond);
    std::printf("rss_kib_highest: %ld\n", highest);
    std::printf("rss_growth_kib: %ld\n", growth);
    for (const QString& message : driver.errors())
        std::printf("error: %s\n", qPrintable(message));
    return redrawn == seconds - 1 && growth <= 1024 ? 0 : 1;
}
