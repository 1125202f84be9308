#include "domain/alertrules.h"

#include "domain/alert.h"
#include "domain/calculationcontext.h"
#include "domain/configuration.h"
#include "domain/feedates.h"
#include "domain/ledger.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/schedule.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <array>
#include <optional>

namespace duebell {

namespace {

// The notice of each stage, by TMorvaneMortgageStatus (msAhead has none).
constexpr std::array<const char*, 5> StageNotices{"", "ARREARS", "DEFAULT", "TERMINATION",
                                                  "VACATE"};

// Frees and unlinks every current alert of the loan; they follow one another, the list being
// sorted by loan number first.
void RemoveLoanAlerts(TTovObjectList& alerts, const std::string& loanNumber) {
    TTovObjectItem* item =
        loanNumber.empty() ? alerts.First() : alerts.PartialLocate(Variant(loanNumber));
    while (item != nullptr && static_cast<TMorvaneAlert*>(item)->LoanNumber == loanNumber) {
        alerts.Delete();
        delete item;
        item = alerts.Current();
    }
}

bool OnSchedule(const TLedgerDay& day) {
    return AmountBehind(day.Balance, day.ShadowBalance).isZero();
}

// The last day up to the reference day on which the loan was on schedule; 0 when none was.
TDayNumber LastDayOnSchedule(const TLedger& ledger, const TLedgerDay& reference) {
    const std::vector<TLedgerDay>& days = ledger.Days();
    for (auto after = static_cast<std::size_t>(&reference - days.data()) + 1; after > 0; --after) {
        const TLedgerDay& day = days[after - 1];
        if (OnSchedule(day)) {
            return day.Date;
        }
    }
    return 0;
}

// Makes the alerts of one loan, with the loan's address and client name looked up once.
class TLoanAlerts {
public:
    TLoanAlerts(const TMorvaneMortgage& loan, TMorvaneData& book) : loan_(loan), book_(book) {}

    std::unique_ptr<TMorvaneAlert> Make(TMorvaneAlertType type, std::string message,
                                        TMorvaneMortgageStatus status, TDayNumber alertDay) {
        if (!propertyAddress_) {
            propertyAddress_ = loan_.PropertyAddress();
            clientName_ = loan_.ClientName();
        }
        auto alert = MakeItem<TMorvaneAlert>(&book_);
        alert->LoanNumber = loan_.LoanNumber;
        alert->PropertyAddress = *propertyAddress_;
        alert->ClientName = clientName_;
        alert->AlertMessage = std::move(message);
        alert->AlertType = type;
        alert->MortgageStatus = status;
        alert->AlertDay = TDateTime(alertDay);
        return alert;
    }

    void Raise(TMorvaneAlertType type, std::string message, TMorvaneMortgageStatus status,
               TDayNumber alertDay) {
        AddAlert(book_, Make(type, std::move(message), status, alertDay));
    }

    void Raise(std::unique_ptr<TMorvaneAlert> alert) { AddAlert(book_, std::move(alert)); }

private:
    const TMorvaneMortgage& loan_;
    TMorvaneData& book_;
    std::optional<std::string> propertyAddress_;
    std::string clientName_;
};

} // namespace

TMorvaneMortgageStatus ArrearsStage(int daysBehind, const TMorvaneSystemConfiguration* periods) {
    const int defaultPeriod = periods != nullptr ? periods->DefaultPeriod : 0;
    const int foreclosePeriod = periods != nullptr ? periods->ForeclosePeriod : 0;
    const int evictionPeriod = periods != nullptr ? periods->EvictionPeriod : 0;
    if (daysBehind >= defaultPeriod + foreclosePeriod + evictionPeriod) {
        return msEviction;
    }
    if (daysBehind >= defaultPeriod + foreclosePeriod) {
        return msForeclosed;
    }
    if (daysBehind >= defaultPeriod) {
        return msDefaulted;
    }
    return msInArrears;
}

std::string LoanArrearsMessage(TMorvaneMortgageStatus stage) {
    return std::string(StageNotices[stage]) + " notice for LOAN now due";
}

std::string FeeArrearsMessage(TMorvaneMortgageStatus stage, int feeNumber) {
    return std::string(StageNotices[stage]) + " notice for FEE \"" + IntToStr(feeNumber) +
           "\" now due";
}

std::string StatementDueMessage(int statementNumber) {
    return "Statement \"" + IntToStr(statementNumber) + "\" now due";
}

void AddAlert(TMorvaneData& book, std::unique_ptr<TMorvaneAlert> alert) {
    if (book.ClearedDuebells->Find(*alert) != nullptr) {
        return;
    }
    book.CurrentAlerts->Add(std::move(alert));
}

void ClearAlert(TMorvaneData& book, const TMorvaneAlert& alert) {
    TTovObjectList& current = *book.CurrentAlerts;
    auto* held = static_cast<TMorvaneAlert*>(current.Find(alert));
    if (held == nullptr) {
        throw InternalError("Attempted to clear non-existent alert");
    }
    // Unlinked, the alert is ours to hand to the cleared alerts; should they refuse it, it
    // goes back where it was.
    current.Delete();
    std::unique_ptr<TMorvaneAlert> moving(held);
    try {
        book.ClearedDuebells->Add(std::move(moving));
    } catch (...) {
        current.Add(std::move(moving));
        throw;
    }
}

namespace {

// The steps of the rules, the loan's earlier alerts removed.
void RaiseLoanAlerts(TMorvaneMortgage& loan, TMorvaneData& book,
                     const TCalculationContext& context) {
    const TLedger& ledger = loan.LocalTransactionDays.Ledger();
    const TLedgerDay* reference = ledger.LastBefore(context.Today);
    if (reference == nullptr) {
        return; // not drawn down before today
    }
    const TDayNumber referenceDay = reference->Date;
    const TMorvaneSystemConfiguration* periods =
        context.Configuration != nullptr ? context.Configuration->SystemConfiguration.get()
                                         : nullptr;
    TLoanAlerts alerts(loan, book);

    if (!OnSchedule(*reference)) {
        const TMorvaneMortgageStatus stage =
            ArrearsStage(referenceDay - LastDayOnSchedule(ledger, *reference), periods);
        alerts.Raise(atLoanArrears, LoanArrearsMessage(stage), stage, referenceDay);
    }

    for (TTovObjectItem* item : *loan.FeeTransactions) {
        const auto& fee = *static_cast<TMorvaneFeeTransaction*>(item);
        if (DayOf(fee.TransactionDate) > referenceDay) {
            break;
        }
        const TDayNumber effectiveFrom =
            FeeEffectiveFrom(fee, context.Configuration, context.Calendar);
        if (effectiveFrom > referenceDay || fee.BalanceAt(AsDate(referenceDay)) <= Currency()) {
            continue;
        }
        const TMorvaneMortgageStatus stage = ArrearsStage(referenceDay - effectiveFrom, periods);
        auto alert =
            alerts.Make(atFeeArrears, FeeArrearsMessage(stage, fee.FeeNumber), stage, referenceDay);
        alert->FeeNumber = fee.FeeNumber;
        alert->FeeTransactionDate = fee.TransactionDate;
        alerts.Raise(std::move(alert));
    }

    const TStatementDates statements =
        CountStatementDates(StatementPeriodIndex(loan.Contract->StatementPeriod),
                            DayOf(loan.Contract->PossessionDate), referenceDay);
    if (statements.Count > loan.LastStatementNumber) {
        auto alert = alerts.Make(atStatementDue, StatementDueMessage(statements.Count), msAhead,
                                 statements.Following);
        alert->StatementNumber = statements.Count;
        alerts.Raise(std::move(alert));
    }

    for (TTovObjectItem* item : *loan.InstallmentFees) {
        const auto& fee = *static_cast<TMorvaneInstallmentFee*>(item);
        const TDayNumber first = InstalmentFeeFirstPaymentDate(fee, loan, context.Configuration);
        if (InstalmentFeeLastPaymentDate(fee, loan, first, context.Calendar) == referenceDay) {
            alerts.Raise(atPaymentChange, PaymentChangeMessage, msAhead, referenceDay);
            return; // a payment change holds back the payout notice
        }
    }

    const TLedgerDay& lastDay = ledger.Days().back();
    if (lastDay.Balance <= Currency()) {
        alerts.Raise(atPayoutNotice, PayoutMessage, msAhead, lastDay.Date);
    }
}

} // namespace

void GenerateLoanAlerts(TMorvaneMortgage& loan, TMorvaneData& book,
                        const TCalculationContext& context) {
    const TTovListUpdate batch(*book.CurrentAlerts); // the loan's alerts shown again once
    RemoveLoanAlerts(*book.CurrentAlerts, loan.LoanNumber);
    try {
        RaiseLoanAlerts(loan, book, context);
    } catch (...) {
        RemoveLoanAlerts(*book.CurrentAlerts, loan.LoanNumber); // never half a loan's alerts
        throw;
    }
}

} // namespace duebell
