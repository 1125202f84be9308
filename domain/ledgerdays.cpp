#include "domain/ledgerdays.h"

#include "domain/computedrecords.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace duebell {

namespace {

constexpr double OneSecond = 1.0 / 86400;

// The ledger's movements grouped by day, each day's in the order they were made.
std::vector<const TLedgerMovement*> MovementsByDay(const TLedger& ledger) {
    std::vector<const TLedgerMovement*> movements;
    movements.reserve(ledger.Movements().size());
    for (const TLedgerMovement& movement : ledger.Movements()) {
        movements.push_back(&movement);
    }
    std::stable_sort(movements.begin(), movements.end(),
                     [](const auto* a, const auto* b) { return a->Date < b->Date; });
    return movements;
}

void AddMovementRecord(const TLedgerMovement& movement, TMorvaneLocalTransactionDay& day) {
    auto record = MakeItem<TMorvaneLocalTransaction>(&day);
    record->PaymentType = movement.Text;
    record->LocalTransactionType = movement.Type;
    record->TransactionAmount = movement.Amount;
    record->Rate = TPercentage{movement.Rate};
    record->DateAdded = TDateTime(movement.DateAdded);
    while (day.LocalTransactions->Find(*record) != nullptr) {
        record->DateAdded = TDateTime(record->DateAdded.value + OneSecond);
    }
    day.LocalTransactions->Add(std::move(record));
}

} // namespace

TLedgerDayList::TLedgerDayList(TTovOwnedObjectList records) : records_(std::move(records)) {}

void TLedgerDayList::Assign(TLedger ledger, TTovObjectItem* owner) {
    records_->FreeAll();
    ledger_ = std::move(ledger);
    owner_ = owner;
    recordsMade_ = false;
    if (recordsRead_) {
        Records();
    }
}

TLedger TLedgerDayList::Release() {
    records_->FreeAll();
    recordsMade_ = true;
    return std::exchange(ledger_, TLedger());
}

TTovObjectList& TLedgerDayList::Records() const {
    recordsRead_ = true;
    if (!recordsMade_) {
        try {
            MakeLedgerRecords(ledger_, *records_, owner_);
        } catch (...) {
            records_->FreeAll(); // never half a ledger
            throw;
        }
        recordsMade_ = true;
    }
    return *records_;
}

void MakeLedgerRecords(const TLedger& ledger, TTovObjectList& days, TTovObjectItem* owner) {
    const std::vector<const TLedgerMovement*> movements = MovementsByDay(ledger);
    auto next = movements.begin();
    for (const TLedgerDay& source : ledger.Days()) {
        auto day = MakeItem<TMorvaneLocalTransactionDay>(owner);
        day->TransactionDate = AsDate(source.Date);
        day->Balance = source.Balance;
        day->ShadowBalance = source.ShadowBalance;
        day->FeeBalance = source.FeeBalance;
        day->PMTAmount = source.PMTAmount;
        day->ActualRate = source.ActualRate.toDouble();
        day->DailyInterest = source.DailyInterest;
        day->AccumulatedInterest = source.AccumulatedInterest;
        day->TotalInstallmentPenalties = source.InstalmentFeeArrears;
        for (; next != movements.end() && (*next)->Date == source.Date; ++next) {
            AddMovementRecord(**next, *day);
        }
        days.Add(std::move(day));
    }
}

} // namespace duebell
