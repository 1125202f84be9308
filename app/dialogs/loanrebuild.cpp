#include "app/dialogs/loanrebuild.h"

#include "app/framework/loanchanges.h"

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

} // namespace duebell
