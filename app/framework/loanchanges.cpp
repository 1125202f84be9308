#include "app/framework/loanchanges.h"

#include "app/framework/longwork.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

#include <exception>

namespace duebell {

void LoanChanged(TMorvaneMortgage& loan) {
    std::exception_ptr failure;
    try {
        loan.Recalculate();
    } catch (...) {
        failure = std::current_exception();
        // The failed build left the ledger empty: drop the alerts raised from the old one.
        loan.GenerateAlerts();
    }
    if (TMorvaneData* book = OwningLoanBook(loan)) {
        book->HasAlerts = book->CurrentAlerts->Count() > 0;
        book->Mortgages->NotifyListeners(ckItemAdded, nullptr);
    }
    if (failure)
        std::rethrow_exception(failure);
}

void RebuildAllLoans() {
    if (TMorvaneData* book = Data()) {
        const LongWork work("Recalculating the loans...");
        book->RefreshAlerts();
    }
}

} // namespace duebell
