#include "objectlist/clock.h"

#include "objectlist/datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace duebell {

namespace {

double systemNow() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto msec = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(msec));
}

ClockSource& currentSource() {
    static ClockSource source;
    return source;
}

} // namespace

double Now() {
    const ClockSource& source = currentSource();
    return source ? source() : systemNow();
}

double Date() {
    return std::trunc(Now());
}

void SetClockForTesting(ClockSource source) {
    currentSource() = std::move(source);
}

void SetFixedToday(double day) {
    const double today = std::trunc(day);
    currentSource() = [today] {
        const double now = systemNow();
        return today + (now - std::trunc(now));
    };
}

ScopedFixedClock::ScopedFixedClock(double now) : now_(now), previous_(currentSource()) {
    currentSource() = [this] { return now_; };
}

ScopedFixedClock::~ScopedFixedClock() {
    currentSource() = std::move(previous_);
}

} // namespace duebell
