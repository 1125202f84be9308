// The statement periods of a loan: counted from the possession date, one after another without
// a gap (possession on 31 January included), as many as whole periods fit in the term, and the
// text the statement list shows for each.
#include "domain/mortgage.h"
#include "objectlist/datetime.h"
#include "reports/statementperiods.h"

#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

struct Terms {
    int Year, Month, Day;
    const char* StatementPeriod;
    int TermYears;
};

std::unique_ptr<TMorvaneContract> Contract(const Terms& terms) {
    auto contract = std::make_unique<TMorvaneContract>(nullptr);
    contract->PossessionDate = TDate(EncodeDate(terms.Year, terms.Month, terms.Day));
    contract->StatementPeriod = terms.StatementPeriod;
    contract->ContractTerm = terms.TermYears;
    return contract;
}

TEST(StatementPeriods, EachPeriodIsCountedFromThePossessionDate) {
    struct Case {
        Terms terms;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {{2026, 3, 15, "Quarterly", 25}, 1, "15/03/2026 -> 14/06/2026"},
        {{2026, 3, 15, "Quarterly", 25}, 2, "15/06/2026 -> 14/09/2026"},
        {{2025, 1, 31, "Monthly", 1}, 1, "31/01/2025 -> 27/02/2025"},
        {{2025, 1, 31, "Monthly", 1}, 2, "28/02/2025 -> 30/03/2025"},
        {{2025, 1, 31, "Monthly", 1}, 3, "31/03/2025 -> 29/04/2025"},
        {{2025, 1, 31, "Monthly", 1}, 12, "31/12/2025 -> 30/01/2026"},
        {{2023, 8, 31, "Half-Yearly", 5}, 1, "31/08/2023 -> 28/02/2024"},
        {{2023, 8, 31, "Half-Yearly", 5}, 2, "29/02/2024 -> 30/08/2024"},
        {{2024, 10, 31, "Tri-Yearly", 2}, 1, "31/10/2024 -> 27/02/2025"},
        {{2024, 10, 31, "Tri-Yearly", 2}, 2, "28/02/2025 -> 29/06/2025"},
        // A period the loan dialog never offers counts as a month.
        {{2025, 5, 10, "Yearly", 1}, 2, "10/06/2025 -> 09/07/2025"},
    };
    for (const Case& c : cases) {
        const TStatementPeriod period = StatementPeriodOf(*Contract(c.terms), c.number);
        EXPECT_EQ(period.Number, c.number);
        EXPECT_EQ(StatementPeriodText(period), c.text)
            << c.terms.StatementPeriod << " " << c.number;
    }
}

TEST(StatementPeriods, TheTermIsCoveredDayByDayWithoutAGap) {
    const std::pair<Terms, std::size_t> cases[] = {
        {{2025, 1, 31, "Monthly", 1}, 12},      {{2024, 2, 29, "Monthly", 3}, 36},
        {{2026, 3, 15, "Quarterly", 25}, 100},  {{2023, 8, 31, "Tri-Yearly", 4}, 12},
        {{2023, 8, 30, "Half-Yearly", 25}, 50}, {{2025, 5, 10, "Yearly", 2}, 24},
    };
    for (const auto& [terms, count] : cases) {
        const std::unique_ptr<TMorvaneContract> contract = Contract(terms);
        const std::vector<TStatementPeriod> periods = StatementPeriods(*contract);
        ASSERT_EQ(periods.size(), count) << terms.StatementPeriod;
        EXPECT_EQ(periods.front().Start, contract->PossessionDate.value);
        for (std::size_t i = 0; i < periods.size(); ++i) {
            EXPECT_EQ(periods[i].Number, static_cast<int>(i) + 1);
            EXPECT_LE(periods[i].Start, periods[i].End);
            if (i > 0) {
                EXPECT_EQ(periods[i].Start, periods[i - 1].End + 1)
                    << StatementPeriodText(periods[i - 1]) << " then "
                    << StatementPeriodText(periods[i]);
            }
        }
        // The last period ends the day before the term's anniversary.
        EXPECT_EQ(periods.back().End,
                  IncMonth(contract->PossessionDate.value, 12 * contract->ContractTerm) - 1);
    }
}

TEST(StatementPeriods, ALoanWithoutATermHasNoStatements) {
    EXPECT_TRUE(StatementPeriods(*Contract({2025, 1, 1, "Monthly", 0})).empty());
    EXPECT_TRUE(StatementPeriods(*Contract({2025, 1, 1, "Monthly", -3})).empty());
    // Whole periods only.
    EXPECT_EQ(StatementPeriods(*Contract({2025, 1, 1, "Half-Yearly", 1})).size(), 2u);
    EXPECT_EQ(StatementPeriods(*Contract({2025, 1, 1, "Tri-Yearly", 1})).size(), 3u);
}

} // namespace
} // namespace duebell
