#include "app/dialogs/feetypecharges.h"

#include "domain/loanbook.h"
#include "domain/mortgage.h"

#include <memory>

namespace duebell {

namespace {

std::vector<TMorvaneFeeTransaction*> ChargesOf(const TMorvaneMortgage& loan,
                                               const std::string& description) {
    std::vector<TMorvaneFeeTransaction*> charges;
    for (TTovObjectItem* item : *loan.FeeTransactions) {
        auto* charge = static_cast<TMorvaneFeeTransaction*>(item);
        if (charge->FeeDescription == description)
            charges.push_back(charge);
    }
    return charges;
}

// Unlinks a record of a sorted list: the list is positioned on it by its key.
void Unlink(TTovObjectList& list, TTovObjectItem& record) {
    if (list.Find(record) == &record) {
        list.Delete();
        return;
    }
    for (TTovObjectItem* item = list.First(); item != nullptr; item = list.Next())
        if (item == &record) {
            list.Delete();
            return;
        }
}

} // namespace

int CountFeeCharges(const TMorvaneData& book, const std::string& description) {
    int count = 0;
    for (TTovObjectItem* item : *book.Mortgages)
        count +=
            static_cast<int>(ChargesOf(static_cast<TMorvaneMortgage&>(*item), description).size());
    return count;
}

std::vector<TMorvaneMortgage*> LoansWithFeeCharges(const TMorvaneData& book,
                                                   const std::string& description) {
    std::vector<TMorvaneMortgage*> loans;
    for (TTovObjectItem* item : *book.Mortgages) {
        auto* loan = static_cast<TMorvaneMortgage*>(item);
        if (!ChargesOf(*loan, description).empty())
            loans.push_back(loan);
    }
    return loans;
}

std::vector<TMorvaneMortgage*> RenameFeeCharges(TMorvaneData& book, const std::string& from,
                                                const std::string& to) {
    if (from == to)
        return {};
    std::vector<TMorvaneMortgage*> loans = LoansWithFeeCharges(book, from);
    for (TMorvaneMortgage* loan : loans)
        for (TMorvaneFeeTransaction* charge : ChargesOf(*loan, from))
            charge->FeeDescription = to;
    return loans;
}

std::vector<TMorvaneMortgage*> DeleteFeeCharges(TMorvaneData& book,
                                                const std::string& description) {
    std::vector<TMorvaneMortgage*> loans = LoansWithFeeCharges(book, description);
    for (TMorvaneMortgage* loan : loans) {
        const std::vector<TMorvaneFeeTransaction*> charges = ChargesOf(*loan, description);
        // From the last to the first, each one unlinked (its listeners told) before it goes.
        for (auto it = charges.rbegin(); it != charges.rend(); ++it) {
            std::unique_ptr<TMorvaneFeeTransaction> charge(*it);
            Unlink(*loan->FeeTransactions, *charge);
        }
    }
    return loans;
}

} // namespace duebell
