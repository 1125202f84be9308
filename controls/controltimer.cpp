#include "controls/controltimer.h"

#include "controls/uihooks.h"

#include <QTimer>

namespace duebell {

namespace {

class QtControlTimer : public ControlTimer {
public:
    QtControlTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            GuardEvent([this] {
                if (OnTimer)
                    OnTimer();
            });
        });
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void Stop() override { timer_.stop(); }
    void SetInterval(int intervalMs) override { timer_.setInterval(intervalMs); }
    int Interval() const override { return timer_.interval(); }
    bool IsActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

std::unique_ptr<ControlTimer> DefaultFactory() {
    return std::make_unique<QtControlTimer>();
}

TimerFactory& factory() {
    static TimerFactory f = DefaultFactory;
    return f;
}

} // namespace

std::unique_ptr<ControlTimer> CreateControlTimer() {
    return factory()();
}

TimerFactory SetTimerFactory(TimerFactory f) {
    TimerFactory previous = factory();
    factory() = f ? std::move(f) : TimerFactory(DefaultFactory);
    return previous;
}

} // namespace duebell
