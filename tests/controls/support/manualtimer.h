// Timers that tick only when a test says so, installed as the controls' timer factory for the
// lifetime of a ManualTimers object.
#pragma once

#include "controls/controltimer.h"

#include <vector>

namespace duebell::test {

class ManualTimer : public ControlTimer {
public:
    void Start(int intervalMs) override;
    void Stop() override { active_ = false; }
    void SetInterval(int intervalMs) override { interval_ = intervalMs; }
    int Interval() const override { return interval_; }
    bool IsActive() const override { return active_; }
    // One tick, as if the interval had passed.
    void Fire();
    // Every interval the timer was started or running with, in order of the ticks asked for.
    std::vector<int> history;

private:
    int interval_ = 0;
    bool active_ = false;
};

class ManualTimers {
public:
    ManualTimers();
    ~ManualTimers();
    ManualTimers(const ManualTimers&) = delete;
    ManualTimers& operator=(const ManualTimers&) = delete;
    // The timers made since the object was created.
    std::vector<ManualTimer*> made;
    ManualTimer& Last() { return *made.back(); }

private:
    TimerFactory previous_;
};

} // namespace duebell::test
