#include "platform/Timer.h"

namespace platform {

Timer::Timer(QObject* parent, int intervalMs, bool enabled)
    : QObject(parent), interval_(intervalMs), enabled_(enabled) {
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
    sync();
}

void Timer::setHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
    sync();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    resting_ = false;
    sync();
}

void Timer::rest() {
    resting_ = true;
    sync();
}

void Timer::wake() {
    resting_ = false;
    sync();
}

void Timer::tick() {
    if (!enabled_ || !handler_)
        return;
    ++ticks_;
    handler_();
}

void Timer::sync() {
    const int wanted = resting_ ? kRestIntervalMs : interval_;
    if (!enabled_ || !handler_)
        timer_.stop();
    else if (!timer_.isActive() || timer_.interval() != wanted)
        timer_.start(wanted);
}

} // namespace platform
