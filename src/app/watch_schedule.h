#pragma once

#include <QObject>
#include <atomic>
#include <functional>

class QTimer;

namespace stowbel {

// When watch mode ticks: every interval while it is on, never inside another tick and never
// behind an open dialog (a tick there would replace the order and the report the user is working
// with); a tick that had to wait runs as soon as it can. A tick is stopped between orders when a
// dialog opens or watch mode is turned off.
class WatchSchedule : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // Runs one tick: the orders ready in IN, stopping between them once interrupted is set.
        // Never throws.
        std::function<void(const std::atomic<bool>* interrupted)> tick;
        // Whether a dialog of the program is open (a waiting tick then waits for it to close).
        std::function<bool()> dialogOpen;
        // Whether any modal window is up, the program's dialogs or others.
        std::function<bool()> modalOpen;
    };

    // The timer is named timerName; it ticks every intervalMs while watch mode is on.
    WatchSchedule(const char* timerName, int intervalMs, Hooks hooks, QObject* parent);

    void Start();
    void Stop();
    bool IsOn() const;

    // One tick, now or as soon as nothing stands in its way.
    void Tick();
    // A dialog opened: a running tick stops after its current order.
    void DialogOpened();
    // The last dialog closed: a tick that waited for it runs.
    void DialogsClosed();

private:
    void TickSoon();

    QTimer* timer_ = nullptr;
    Hooks hooks_;
    bool running_ = false;
    // A tick that had to wait (a dialog open, or a tick already running) runs when it can.
    bool deferred_ = false;
    std::atomic<bool> interrupted_{false};
};

}  // namespace stowbel
