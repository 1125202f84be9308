// The alert rules: from each loan's ledger, the notices that fall due. A loan or full fee in
// arrears escalates from ARREARS to DEFAULT, TERMINATION and VACATE as the configured notice
// periods pass; a statement falls due; an instalment fee ends and changes the payment; the loan
// is paid out. Alerts the user cleared are kept in the loan book and not raised again while
// their loan, day and message stay the same.
#pragma once

#include "domain/enums.h"

#include <memory>
#include <string>

namespace duebell {

class TMorvaneAlert;
class TMorvaneData;
class TMorvaneMortgage;
class TMorvaneSystemConfiguration;
struct TCalculationContext;

// The stage of arrears some days behind, by the default, foreclose and eviction periods:
// msInArrears, then msDefaulted from D days, msForeclosed from D + F, msEviction from D + F + E.
TMorvaneMortgageStatus ArrearsStage(int daysBehind, const TMorvaneSystemConfiguration* periods);

// "ARREARS notice for LOAN now due" and the other stages.
std::string LoanArrearsMessage(TMorvaneMortgageStatus stage);
// "ARREARS notice for FEE "7" now due" and the other stages.
std::string FeeArrearsMessage(TMorvaneMortgageStatus stage, int feeNumber);
// "Statement "3" now due".
std::string StatementDueMessage(int statementNumber);
inline constexpr const char* PaymentChangeMessage = "PAYMENT CHANGE notice now due";
inline constexpr const char* PayoutMessage = "PAYOUT notice now due";

// Adds the alert to the current alerts of the loan book, unless the book's cleared alerts hold
// one of the same loan, day and message: that alert is dropped. An alert equal to a current
// one is refused with the list's duplicate-record error.
void AddAlert(TMorvaneData& book, std::unique_ptr<TMorvaneAlert> alert);
// Moves a current alert to the cleared ones. An alert that is not current raises "Internal
// error.  Attempted to clear non-existent alert" and nothing moves. The caller marks the loan
// book modified.
void ClearAlert(TMorvaneData& book, const TMorvaneAlert& alert);

// Replaces the loan's current alerts with those its ledger raises as at the context's today.
// A failure on the way leaves the loan with no alerts.
void GenerateLoanAlerts(TMorvaneMortgage& loan, TMorvaneData& book,
                        const TCalculationContext& context);

} // namespace duebell
