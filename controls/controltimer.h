// Timers of the controls (a speed button's auto-repeat, the spin button's repeat) are made
// through one replaceable factory, so tests drive the repeat timing by hand instead of
// sleeping.
#pragma once

#include <functional>
#include <memory>

namespace duebell {

class ControlTimer {
public:
    virtual ~ControlTimer() = default;
    // (Re)starts the timer with the given interval in milliseconds.
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    // A new interval takes effect from the next tick.
    virtual void SetInterval(int intervalMs) = 0;
    virtual int Interval() const = 0;
    virtual bool IsActive() const = 0;

    // Called on every tick; the default timer runs it through GuardEvent.
    std::function<void()> OnTimer;
};

using TimerFactory = std::function<std::unique_ptr<ControlTimer>()>;

// A new timer from the installed factory (by default one on QTimer).
std::unique_ptr<ControlTimer> CreateControlTimer();
// Installs a factory and returns the previous one; an empty factory restores the default.
TimerFactory SetTimerFactory(TimerFactory factory);

} // namespace duebell
