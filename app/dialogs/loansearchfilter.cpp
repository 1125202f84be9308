#include "app/dialogs/loansearchfilter.h"

#include "domain/details.h"
#include "domain/mortgage.h"
#include "objectlist/textcase.h"

#include <initializer_list>

namespace duebell {

namespace {

bool AnyHolds(std::initializer_list<std::string> fields, const std::string& upperText) {
    for (const std::string& field : fields)
        if (UpperCaseAscii(field).find(upperText) != std::string::npos)
            return true;
    return false;
}

} // namespace

bool LoanMatchesSearch(const TMorvaneMortgage& loan, TLoanSearchField field,
                       const std::string& text) {
    if (text.empty())
        return true;
    const std::string upper = UpperCaseAscii(text);
    switch (field) {
    case lsfPropertyAddress:
        return AnyHolds({loan.PropertyAddress()}, upper);
    case lsfClientName:
        return AnyHolds({loan.ClientName()}, upper);
    case lsfBankDetails: {
        const TMorvaneBankDetails& bank = *loan.BankDetails;
        return AnyHolds(
            {bank.BankName, bank.BranchName, bank.AccountName, bank.BSBNo, bank.AccountNo}, upper);
    }
    }
    return false;
}

} // namespace duebell
