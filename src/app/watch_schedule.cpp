#include "app/watch_schedule.h"

#include <QTimer>
#include <utility>

namespace stowbel {

WatchSchedule::WatchSchedule(const char* timerName, int intervalMs, Hooks hooks, QObject* parent)
    : QObject(parent), timer_(new QTimer(this)), hooks_(std::move(hooks)) {
    timer_->setObjectName(QString::fromLatin1(timerName));
    timer_->setInterval(intervalMs);
    connect(timer_, &QTimer::timeout, this, &WatchSchedule::Tick);
}

void WatchSchedule::Start() {
    timer_->start();
}

void WatchSchedule::Stop() {
    timer_->stop();
    interrupted_ = true;
    deferred_ = false;
}

bool WatchSchedule::IsOn() const {
    return timer_->isActive();
}

void WatchSchedule::TickSoon() {
    QTimer::singleShot(0, this, &WatchSchedule::Tick);
}

void WatchSchedule::DialogOpened() {
    interrupted_ = true;
}

void WatchSchedule::DialogsClosed() {
    if (deferred_ && IsOn()) {
        TickSoon();
    }
}

void WatchSchedule::Tick() {
    if (!IsOn()) {
        return;
    }
    if (running_ || hooks_.dialogOpen() || hooks_.modalOpen()) {
        deferred_ = true;
        return;
    }
    deferred_ = false;
    running_ = true;
    interrupted_ = false;
    hooks_.tick(&interrupted_);
    running_ = false;
    if (interrupted_ && IsOn()) {
        deferred_ = true;
    }
    if (deferred_ && !hooks_.dialogOpen()) {
        TickSoon();
    }
}

}  // namespace stowbel
