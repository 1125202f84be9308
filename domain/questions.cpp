#include "domain/questions.h"

#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <memory>

namespace duebell {

bool AskPrintPaymentChangeNotice() {
    return AskYesNo("Would you like to print a payment change notice for this change?");
}

bool ApplyArrearsAdminFee(TMorvaneMortgage& loan, const std::string& description) {
    const TMorvaneConfiguration* configuration = Configuration();
    if (configuration == nullptr) {
        throw InternalError("The configuration is not loaded.");
    }
    const double today = Date();
    const Currency amount = configuration->AdminFeeAmountAt(TDate(today));
    if (!AskYesNoCancel("Do you want to apply an arrears administration fee of " +
                        FormatMoneyText(amount) + "?")) {
        return false;
    }
    auto fee = MakeItem<TMorvaneAdminFeeTransaction>(&loan);
    fee->TransactionDate = TDateTime(today);
    fee->FeeDescription = description;
    fee->FeeAmount = amount;
    loan.AdminFeeTransactions->Add(std::move(fee));
    SetDataModified(true);
    loan.BuildLedger();
    return true;
}

} // namespace duebell
