#include "domain/periods.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(PeriodLookup, PaymentPeriodIgnoresCase) {
    EXPECT_EQ(PaymentPeriodIndex("Weekly"), 0);
    EXPECT_EQ(PaymentPeriodIndex("FORTNIGHTLY"), 1);
    EXPECT_EQ(PaymentPeriodIndex("monthly"), 2);
}

TEST(PeriodLookup, UnknownOrPartialNamesAreAbsent) {
    EXPECT_EQ(PaymentPeriodIndex("Daily"), -1);
    EXPECT_EQ(PaymentPeriodIndex(""), -1);
    EXPECT_EQ(PaymentPeriodIndex("Month"), -1);
    EXPECT_EQ(PaymentPeriodIndex("Monthly "), -1);
    EXPECT_EQ(StatementPeriodIndex("Weekly"), -1);
}

TEST(PeriodLookup, StatementPeriodsAndTheirMonths) {
    EXPECT_EQ(StatementPeriodIndex("monthly"), 0);
    EXPECT_EQ(StatementPeriodIndex("Quarterly"), 1);
    EXPECT_EQ(StatementPeriodIndex("tri-yearly"), 2);
    EXPECT_EQ(StatementPeriodIndex("HALF-YEARLY"), 3);
    // Every statement period divides the year into whole statements.
    for (int months : StatementPeriodMonths)
        EXPECT_EQ(12 % months, 0) << months;
}

TEST(PeriodLookup, IndexOfTextOverAnyTable) {
    EXPECT_EQ(IndexOfText("annually", FrequencyNames), 4);
    EXPECT_EQ(IndexOfText("Quarterly", FrequencyNames), 3);
    EXPECT_EQ(IndexOfText("payment", PaymentTypeNames), 0);
    EXPECT_EQ(IndexOfText("Weekly", std::span<const std::string_view>()), -1);
}

TEST(PeriodTables, PaymentAndFeeFrequenciesAgreeWhereTheyShareAName) {
    // An instalment fee converts between the loan's period and its own by the ratio of
    // periods per year, so shared names must count the same.
    for (std::size_t i = 0; i < PaymentPeriodNames.size(); ++i) {
        int fee = IndexOfText(PaymentPeriodNames[i], FrequencyNames);
        ASSERT_GE(fee, 0) << PaymentPeriodNames[i];
        EXPECT_EQ(PeriodsPerYear[i], FrequencyPeriodsPerYear[fee]);
    }
}

} // namespace
} // namespace duebell
