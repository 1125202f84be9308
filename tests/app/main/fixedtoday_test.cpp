// The test-only DUEBELL_TODAY: a YYYY-MM-DD day fixes today while the time of day runs on;
// anything else is refused with what the variable must hold.
#include "app/main/fixedtoday.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(FixedToday, ADayFixesTodayAndAnythingElseIsRefused) {
    EXPECT_EQ(ReadFixedToday(""), std::nullopt);
    EXPECT_EQ(ReadFixedToday("2026-03-02"), EncodeDate(2026, 3, 2));
    EXPECT_EQ(ReadFixedToday("2024-02-29"), EncodeDate(2024, 2, 29));
    for (const char* bad : {"2025-02-29", "2026-3-2", "02/03/2026", "2026-03-02x", "tomorrow"}) {
        try {
            ReadFixedToday(bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const Exception& error) {
            EXPECT_NE(std::string(error.what()).find("DUEBELL_TODAY must be a date as YYYY-MM-DD"),
                      std::string::npos);
        }
    }

    ScopedFixedClock restore(0); // gives the previous clock back at the end
    SetFixedToday(EncodeDate(2026, 3, 2) + 0.75);
    EXPECT_EQ(Date(), EncodeDate(2026, 3, 2));
    EXPECT_GE(Now() - Date(), 0.0);
    EXPECT_LT(Now() - Date(), 1.0);
}

} // namespace
} // namespace duebell
