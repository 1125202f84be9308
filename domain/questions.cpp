#include "domain/questions.h"

#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <cmath>
#include <memory>

namespace duebell {

bool AskPrintPaymentChangeNotice() {
    return AskYesNo("Would you like to print a payment change notice for this change?");
}

namespace {

// What the loan has been charged in arrears administration fees on the day.
Currency AdminFeesChargedOn(const TMorvaneMortgage& loan, double day) {
    Currency charged;
    for (const TTovObjectItem* item : *loan.AdminFeeTransactions) {
        const auto* fee = static_cast<const TMorvaneAdminFeeTransaction*>(item);
        if (std::floor(fee->TransactionDate.value) == day)
            charged += fee->FeeAmount;
    }
    return charged;
}

} // namespace

bool ApplyArrearsAdminFee(TMorvaneMortgage& loan, const std::string& description) {
    const TMorvaneConfiguration* configuration = Configuration();
    if (configuration == nullptr) {
        throw InternalError("The configuration is not loaded.");
    }
    const double today = Date();
    const Currency amount = configuration->AdminFeeAmountAt(TDate(today));
    // A notice printed again the same day (a paper jam) is no second reason to charge.
    const Currency chargedToday = AdminFeesChargedOn(loan, today);
    const bool charge =
        chargedToday == Currency()
            ? AskYesNoCancel("Do you want to apply an arrears administration fee of " +
                             FormatMoneyText(amount) + "?")
            : AskYesNoCancelDefaultNo(
                  "Loan " + loan.LoanNumber + " has already been charged " +
                  FormatMoneyText(chargedToday) +
                  " in arrears administration fees today.\rDo you want to apply another "
                  "arrears administration fee of " +
                  FormatMoneyText(amount) + "?");
    if (!charge) {
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
