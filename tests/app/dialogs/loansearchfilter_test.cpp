// Which loans a search lists, by each choice of "Search By".
#include "app/dialogs/loansearchfilter.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "searchbook.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

std::string Found(TLoanSearchField field, const std::string& text) {
    std::string numbers;
    for (TTovObjectItem* item : *Data()->Mortgages) {
        const auto& loan = static_cast<const TMorvaneMortgage&>(*item);
        if (LoanMatchesSearch(loan, field, text))
            numbers += loan.LoanNumber.substr(6);
    }
    return numbers;
}

TEST(LoanSearchFilter, FindsTheTextAnywhereInTheChosenFieldWhateverItsCase) {
    test::SearchBook book;
    // clang-format off
    const struct {
        TLoanSearchField field;
        const char* text;
        const char* found; // the last digits of the loan numbers
    } cases[] = {
        {lsfClientName, "smith", "12"}, // SMITH, J and Goldsmith, A
        {lsfClientName, "SMITH, J", "1"},
        {lsfClientName, "", "1234"},
        {lsfClientName, "main st", ""},
        {lsfPropertyAddress, "main st", "14"},
        {lsfPropertyAddress, "smith", "3"}, // Smithfield Ave
        {lsfPropertyAddress, "", "1234"},
        {lsfBankDetails, "bank of hilltop", "14"},
        {lsfBankDetails, "toowong", "3"},        // the branch
        {lsfBankDetails, "a goldsmith", "2"},    // the account's name
        {lsfBankDetails, "064-", "134"},         // the BSB
        {lsfBankDetails, "4445", "4"},           // the account number
        {lsfBankDetails, "nothing like it", ""},
        {lsfBankDetails, "", "1234"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Found(c.field, c.text), c.found) << c.field << " \"" << c.text << '"';
}

} // namespace
} // namespace duebell
