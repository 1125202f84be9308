#include "reports/payoutfigures.h"

#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"

namespace duebell {

namespace {

TTovOwnedObjectList SortedList(TTovObjectItemClass itemClass, const char* sortFields) {
    TTovOwnedObjectList list(new TTovObjectList(itemClass));
    list->SetSortFields(sortFields);
    list->SetSorted(true);
    return list;
}

// The instalment fee still runs on the date: within its instalments, and not stopped before.
bool OutstandingOn(const TMorvaneInstallmentFee& fee, double date) {
    return fee.FirstPaymentDate().value <= date && date <= fee.LastPaymentDate().value &&
           (fee.StopLastPaymentDate.value == 0 || fee.StopLastPaymentDate.value >= date);
}

} // namespace

void TPayoutOutstandingFee::DeclareProperties(TTovPropertyTable<TPayoutOutstandingFee>& table) {
    table.Property("InternalFee", &TPayoutOutstandingFee::InternalFee)
        .Property("FeeDescription", &TPayoutOutstandingFee::FeeDescription)
        .Property("Priority", &TPayoutOutstandingFee::Priority)
        .Property("Amount", &TPayoutOutstandingFee::Amount);
}

TPayoutFigures::TPayoutFigures()
    : breakCosts_(SortedList(&TPayoutBreakCost::ClassManager(), "Description")),
      outstandingFees_(
          SortedList(&TPayoutOutstandingFee::ClassManager(), "FeeDescription,Priority")),
      allocatedFees_(SortedList(&TPayoutOutstandingFee::ClassManager(),
                                "InternalFee,FeeDescription,Priority")) {}

bool TPayoutFigures::Recalculate(const TMorvaneMortgage& loan, double date, bool newLoan) {
    if (newLoan)
        breakCosts_->FreeAll();
    outstandingFees_->FreeAll();
    allocatedFees_->FreeAll();
    effectiveDate_ = date;
    BuildOutstandingFees(loan);

    const auto* day = static_cast<const TMorvaneLocalTransactionDay*>(
        loan.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
    if (day == nullptr) {
        // Figures of another day must not stand beside this date.
        Clear();
        return false;
    }

    auto* interest = static_cast<TPayoutBreakCost*>(
        breakCosts_->LocateNoMove(Variant(std::string(OutstandingInterestCost))));
    if (interest == nullptr) {
        auto cost = MakeItem<TPayoutBreakCost>(nullptr);
        cost->Description = OutstandingInterestCost;
        interest = breakCosts_->Add(std::move(cost));
    }
    interest->Amount = day->AccumulatedInterest;
    loanBalance_ = RoundToCents(day->Balance);

    auto fullFees = MakeItem<TPayoutOutstandingFee>(nullptr);
    fullFees->InternalFee = -1;
    fullFees->FeeDescription = OutstandingFullFeesLine;
    fullFees->Amount = day->FeeBalance;
    allocatedFees_->Add(std::move(fullFees));
    // Charged and not yet paid, they are owed like the rest; like the full fees they stay in.
    if (const Currency open = loan.LocalTransactionDays.Ledger().OpenAdminFees(DayOf(date));
        !open.isZero()) {
        auto adminFees = MakeItem<TPayoutOutstandingFee>(nullptr);
        adminFees->InternalFee = -1;
        adminFees->FeeDescription = OpenAdminFeesLine;
        adminFees->Amount = open;
        allocatedFees_->Add(std::move(adminFees));
    }

    calculated_ = true;
    SumBreakCosts();
    SumAllocatedFees();
    return true;
}

void TPayoutFigures::Clear(bool newLoan) {
    if (newLoan)
        breakCosts_->FreeAll();
    outstandingFees_->FreeAll();
    allocatedFees_->FreeAll();
    if (TTovObjectItem* interest =
            breakCosts_->Locate(Variant(std::string(OutstandingInterestCost)))) {
        breakCosts_->Delete();
        delete interest;
    }
    calculated_ = false;
    loanBalance_ = Currency();
    SumBreakCosts();
    SumAllocatedFees();
}

void TPayoutFigures::BuildOutstandingFees(const TMorvaneMortgage& loan) {
    for (const TTovObjectItem* item : *loan.InstallmentFees) {
        const auto& fee = static_cast<const TMorvaneInstallmentFee&>(*item);
        if (!OutstandingOn(fee, effectiveDate_))
            continue;
        auto line = MakeItem<TPayoutOutstandingFee>(nullptr);
        line->FeeDescription = fee.FeeDescription;
        line->Priority = fee.Priority;
        line->Amount = Currency::fromDouble(fee.PaymentsRemaining() * fee.PaymentAmount);
        outstandingFees_->Add(std::move(line));
    }
}

bool TPayoutFigures::Move(TPayoutOutstandingFee& fee, TTovObjectList& from, TTovObjectList& to) {
    if (from.FindItem(fee) != &fee)
        return false;
    from.Delete();
    to.Add(std::unique_ptr<TPayoutOutstandingFee>(&fee));
    return true;
}

bool TPayoutFigures::Allocate(TPayoutOutstandingFee& fee) {
    if (!Move(fee, *outstandingFees_, *allocatedFees_))
        return false;
    SumAllocatedFees();
    return true;
}

bool TPayoutFigures::Unallocate(TPayoutOutstandingFee& fee) {
    if (fee.InternalFee == -1 || !Move(fee, *allocatedFees_, *outstandingFees_))
        return false;
    SumAllocatedFees();
    return true;
}

void TPayoutFigures::SumAllocatedFees() {
    Currency sum;
    for (const TTovObjectItem* item : *allocatedFees_)
        sum += RoundToCents(static_cast<const TPayoutOutstandingFee&>(*item).Amount);
    feesPenalties_ = sum;
}

void TPayoutFigures::SumBreakCosts() {
    Currency sum;
    for (const TTovObjectItem* item : *breakCosts_)
        sum += RoundToCents(static_cast<const TPayoutBreakCost&>(*item).Amount);
    breakCostTotal_ = sum;
}

} // namespace duebell
