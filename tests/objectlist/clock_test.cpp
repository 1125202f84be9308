// The injectable clock: tests fix "today"; without them it follows the system's local time.
#include "objectlist/clock.h"
#include "objectlist/datetime.h"

#include <cmath>
#include <ctime>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(Clock, ScopedFixedClockSetsNowAndToday) {
    const double moment = 45356 + 14.5 / 24; // 05/03/2024 14:30
    {
        ScopedFixedClock clock(moment);
        EXPECT_EQ(Now(), moment);
        EXPECT_EQ(Date(), 45356);
        clock.Advance(1);
        EXPECT_EQ(Date(), 45357);
        clock.Set(36526);
        EXPECT_EQ(Now(), 36526);
    }
    EXPECT_NE(Date(), 36526); // back on the system clock
}

TEST(Clock, NestedOverridesRestoreTheOuterOne) {
    ScopedFixedClock outer(100.5);
    {
        ScopedFixedClock inner(200.25);
        EXPECT_EQ(Now(), 200.25);
    }
    EXPECT_EQ(Now(), 100.5);
    EXPECT_EQ(Date(), 100);
}

TEST(Clock, AnyFunctionCanStandIn) {
    int calls = 0;
    SetClockForTesting([&calls] { return 36526 + 0.01 * ++calls; });
    EXPECT_DOUBLE_EQ(Now(), 36526.01);
    EXPECT_DOUBLE_EQ(Now(), 36526.02);
    EXPECT_EQ(Date(), 36526);
    SetClockForTesting({});
}

TEST(Clock, SystemClockIsLocalTimeToday) {
    // The Unix epoch, 01/01/1970, is day 25569; local time is within 14 hours of UTC.
    double utc = 25569 + static_cast<double>(std::time(nullptr)) / 86400;
    double now = Now();
    EXPECT_NEAR(now, utc, 14.0 / 24 + 1.0 / 86400);
    EXPECT_EQ(Date(), std::floor(Date()));
    EXPECT_LE(Date(), Now());
}

} // namespace
} // namespace duebell
