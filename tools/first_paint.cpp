// Starts the window exactly as the program does and prints the wall-clock
// time (ns since the epoch) at which its first paint has finished, then
// quits. script/measure-startup subtracts the time it launched it.
#include "main_window/Form1.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Let the paint finish and reach the screen, then report.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    main_window::Form1 form;
    FirstPaint probe;
    form.installEventFilter(&probe);
    form.show();
    return QApplication::exec();
}
