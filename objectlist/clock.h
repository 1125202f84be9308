// The one clock of the program. Every "today" and "now" (alerts, ledgers, letters, the daily
// refresh) is taken from here, so tests can fix the date. Values are day numbers as in
// datetime.h; by default they come from the system's local time, to the millisecond.
#pragma once

#include <functional>

namespace duebell {

double Now();  // the current date and time
double Date(); // today at midnight

// Replaces the source of Now(); an empty function restores the system's clock.
using ClockSource = std::function<double()>;
void SetClockForTesting(ClockSource source);

// From now on Date() is the day given (a day number) while the time of day still runs on the
// system's clock. Only for whole-program tests, which start the program on a day of their own.
void SetFixedToday(double day);

// While alive, Now() returns the moment set (and Date() its day); the previous source comes
// back when it ends.
class ScopedFixedClock {
public:
    explicit ScopedFixedClock(double now);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock&) = delete;
    ScopedFixedClock& operator=(const ScopedFixedClock&) = delete;

    void Set(double now) { now_ = now; }
    void Advance(double days) { now_ += days; }

private:
    double now_;
    ClockSource previous_;
};

} // namespace duebell
