#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace platform {

// A form's timer: while enabled, runs its handler every interval on the
// user-interface thread. A timer without a handler never wakes the process.
class Timer : public QObject {
    Q_OBJECT

  public:
    Timer(QObject* parent, int intervalMs, bool enabled);

    void setHandler(std::function<void()> handler);
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    int interval() const { return timer_.interval(); }
    // True while the process is actually woken for it.
    bool isTicking() const { return timer_.isActive(); }

    // One tick, as the event loop would deliver it.
    void tick();
    // How many ticks ran the handler so far.
    long long tickCount() const { return ticks_; }

  private:
    void sync();

    QTimer timer_;
    bool enabled_ = false;
    long long ticks_ = 0;
    std::function<void()> handler_;
};

} // namespace platform
