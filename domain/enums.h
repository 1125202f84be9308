// The enumerations of the loan book. Files store them as their ordinal, so the order of the
// values is part of the file format.
#pragma once

namespace duebell {

// The mode in which a dialog shows a record.
enum TModifyMode { mmView, mmEdit, mmAdd, mmDelete };

// The kind of one movement of a loan's daily ledger.
enum TMorvaneLocalTransactionType {
    ltOpeningBalance,
    ltRateChange,
    ltLoanInterest,
    ltInstallmentFee,
    ltInstallmentFeePayment,
    ltLoanPayment,
    ltFee,
    ltFeePayment,
    ltAdminFee,
    ltAdminFeePayment,
    ltClosingBalance,
    ltDaySummary,
};

// How far a loan (or a fee) has fallen behind.
enum TMorvaneMortgageStatus { msAhead, msInArrears, msDefaulted, msForeclosed, msEviction };

// What an alert asks the lender to do.
enum TMorvaneAlertType {
    atStatementDue,
    atLoanArrears,
    atFeeArrears,
    atPaymentChange,
    atPayoutNotice
};

} // namespace duebell
