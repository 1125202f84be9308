#include "app/dialogs/loanrebuild.h"

#include "app/framework/loanchanges.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

#include <exception>

namespace duebell {

void RebuildLoans(const std::vector<TMorvaneMortgage*>& loans) {
    std::exception_ptr failure;
    for (TMorvaneMortgage* loan : loans) {
        try {
            LoanChanged(*loan);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

void RebuildAllLoans() {
    std::vector<TMorvaneMortgage*> loans;
    if (const TMorvaneData* book = Data())
        for (TTovObjectItem* loan : *book->Mortgages)
            loans.push_back(static_cast<TMorvaneMortgage*>(loan));
    RebuildLoans(loans);
}

} // namespace duebell
