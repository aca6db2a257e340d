#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace platform {

// A form's timer: while enabled, runs its handler every interval on the
// user-interface thread. A timer without a handler never wakes the process.
// A handler whose tick changed nothing may let the timer rest: it still reads
// as enabled with its interval, but wakes the process only once a second
// until wake() says that something changed.
class Timer : public QObject {
    Q_OBJECT

  public:
    static constexpr int kRestIntervalMs = 1000;

    Timer(QObject* parent, int intervalMs, bool enabled);

    void setHandler(std::function<void()> handler);
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    int interval() const { return interval_; }
    // True while the process is actually woken for it.
    bool isTicking() const { return timer_.isActive(); }
    // How often the process is woken for it now, in ms.
    int wakeIntervalMs() const { return timer_.interval(); }

    void rest();
    void wake();

    // One tick, as the event loop would deliver it.
    void tick();
    // How many ticks ran the handler so far.
    long long tickCount() const { return ticks_; }

  private:
    void sync();

    QTimer timer_;
    int interval_;
    bool enabled_ = false;
    bool resting_ = false;
    long long ticks_ = 0;
    std::function<void()> handler_;
};

} // namespace platform
