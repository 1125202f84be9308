#include "manualtimer.h"

#include <memory>

namespace duebell::test {

void ManualTimer::Start(int intervalMs) {
    interval_ = intervalMs;
    active_ = true;
}

void ManualTimer::Fire() {
    if (!active_)
        return;
    history.push_back(interval_);
    if (OnTimer)
        OnTimer();
}

ManualTimers::ManualTimers() {
    previous_ = SetTimerFactory([this] {
        auto timer = std::make_unique<ManualTimer>();
        made.push_back(timer.get());
        return std::unique_ptr<ControlTimer>(std::move(timer));
    });
}

ManualTimers::~ManualTimers() {
    SetTimerFactory(previous_);
}

} // namespace duebell::test
