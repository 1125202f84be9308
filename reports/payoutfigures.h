// What a borrower must pay to clear a loan on an effective date, without a window: the ledger
// balance of that day, the fees allocated to the payout (the day's full-fee balance and the
// unpaid arrears administration fees always, instalment fees as the user moves them over) and
// the break costs (the interest accrued and not yet in that balance always, amounts the user
// adds). The Notice of Payout shows and prints these. Each sum is of the amounts to the cent,
// as they are shown, and the payout figure is the sum of the three.
#pragma once

#include "app/dialogs/payoutbreakcost.h"
#include "objectlist/currency.h"
#include "objectlist/objectlist.h"
#include "objectlist/ownedobjectlist.h"

#include <cstdint>
#include <string>

namespace duebell {

class TMorvaneMortgage;

// An instalment fee still to be charged, or the full-fee balance line (InternalFee -1).
class TPayoutOutstandingFee : public TTovRecord<TPayoutOutstandingFee> {
public:
    using TTovRecord::TTovRecord;

    // -1: the full-fee line (first) and the unpaid arrears administration fees, which stay
    // allocated.
    std::int32_t InternalFee = 0;
    std::string FeeDescription;
    // The instalment fee's priority: two fees of one description are still two lines.
    std::int32_t Priority = 0;
    Currency Amount;

    static void DeclareProperties(TTovPropertyTable<TPayoutOutstandingFee>& table);
};

inline constexpr const char* OutstandingInterestCost = "Outstanding Interest";
inline constexpr const char* OutstandingFullFeesLine = "Outstanding Full Fees";
// Sorts after the full-fee line, which stays first.
inline constexpr const char* OpenAdminFeesLine = "Unpaid Arrears Administration Fees";

class TPayoutFigures {
public:
    TPayoutFigures();

    // Break costs by "Description"; outstanding instalment fees by "FeeDescription,Priority";
    // allocated fees by "InternalFee,FeeDescription,Priority", so the full-fee line is first.
    TTovObjectList& BreakCosts() const { return *breakCosts_; }
    TTovObjectList& OutstandingFees() const { return *outstandingFees_; }
    TTovObjectList& AllocatedFees() const { return *allocatedFees_; }

    // The figures for the loan on `date`: a new loan also drops the user's break costs; the
    // instalment fees start outstanding again. False when the loan's ledger has no such day
    // (before the draw-down, or too far ahead): then nothing is calculated (Clear).
    bool Recalculate(const TMorvaneMortgage& loan, double date, bool newLoan);
    // No figures: the fee lists and the interest line emptied, every amount 0; a new loan also
    // drops the user's break costs.
    void Clear(bool newLoan = false);
    // Whether the figures stand for EffectiveDate().
    bool Calculated() const { return calculated_; }
    double EffectiveDate() const { return effectiveDate_; }

    // Moves an outstanding fee over to the allocated ones, or an allocated instalment fee
    // back; the full-fee line never leaves. False when the fee is not in the list it leaves.
    bool Allocate(TPayoutOutstandingFee& fee);
    bool Unallocate(TPayoutOutstandingFee& fee);

    // "Loan Balance", "Full Fees + Instalment Fees", "Break Costs" and "Payout Figure".
    Currency LoanBalance() const { return loanBalance_; }
    Currency FeesPenalties() const { return feesPenalties_; }
    Currency BreakCostTotal() const { return breakCostTotal_; }
    Currency PayoutFigure() const { return loanBalance_ + feesPenalties_ + breakCostTotal_; }

    // The sums again, after the lists changed.
    void SumAllocatedFees();
    void SumBreakCosts();

private:
    void BuildOutstandingFees(const TMorvaneMortgage& loan);
    static bool Move(TPayoutOutstandingFee& fee, TTovObjectList& from, TTovObjectList& to);

    TTovOwnedObjectList breakCosts_;
    TTovOwnedObjectList outstandingFees_;
    TTovOwnedObjectList allocatedFees_;
    double effectiveDate_ = 0;
    bool calculated_ = false;
    Currency loanBalance_;
    Currency feesPenalties_;
    Currency breakCostTotal_;
};

} // namespace duebell
