#include "platform/Timer.h"

namespace platform {

Timer::Timer(QObject* parent, int intervalMs, bool enabled) : QObject(parent), enabled_(enabled) {
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
    sync();
}

void Timer::setHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
    sync();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    sync();
}

void Timer::tick() {
    if (!enabled_ || !handler_)
        return;
    ++ticks_;
    handler_();
}

void Timer::sync() {
    const bool wanted = enabled_ && handler_;
    if (wanted && !timer_.isActive())
        timer_.start();
    else if (!wanted)
        timer_.stop();
}

} // namespace platform
