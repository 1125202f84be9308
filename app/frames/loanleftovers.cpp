#include "app/frames/loanleftovers.h"

#include "domain/alert.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "objectlist/objectlist.h"

namespace duebell {

namespace {

// Frees every record of the list whose loan number is the one given (a walk, so that a record
// without a number, which no key lookup takes, is found too).
template <class Record> bool FreeRecordsOf(TTovObjectList& list, const std::string& loanNumber) {
    bool freed = false;
    TTovObjectItem* item = list.First();
    while (item != nullptr) {
        if (static_cast<Record*>(item)->LoanNumber != loanNumber) {
            item = list.Next();
            continue;
        }
        list.Delete();
        delete item;
        freed = true;
        item = list.Current();
    }
    return freed;
}

} // namespace

bool ForgetLoanLeftovers(TMorvaneData& book, TMorvaneConfiguration* configuration,
                         const std::string& loanNumber) {
    FreeRecordsOf<TMorvaneAlert>(*book.CurrentAlerts, loanNumber);
    FreeRecordsOf<TMorvaneAlert>(*book.ClearedDuebells, loanNumber);
    book.HasAlerts = book.CurrentAlerts->Count() > 0;
    book.Mortgages->NotifyListeners(ckItemAdded, nullptr);

    return configuration != nullptr &&
           FreeRecordsOf<TMorvaneMortgageRate>(*configuration->MortgageRates, loanNumber);
}

} // namespace duebell
