// The letters of the arrears, default, termination and vacate notices, shared by the loan
// notices and the fee notices: fixed sentences, one per printed line, with dates reckoned in
// plain calendar days from today and the configuration's notice periods, and the closing with
// the arrears administration fee paragraph when a fee was charged.
//
// Every routine draws at the form's BodyLeft() + 10 from the running position `y` (115 in
// every notice; paper coordinates, millimetres) and leaves the canvas at 10 point, not bold.
#pragma once

#include <string>

namespace duebell {

class TMorvaneSystemConfiguration;
class TfmCustomPrintedReport;

// The dates and day counts a notice prints.
struct TNoticeTerms {
    // From today and the notice periods; `feeNoticePeriod` is a fee's own notice period, which
    // the arrears and default letters' days and dates add (0 for a loan).
    TNoticeTerms(double today, const TMorvaneSystemConfiguration& periods, int feeNoticePeriod = 0);

    int DefaultDays;          // "within N days": the fee's period and the default period
    double ArrearsRemedyDate; // the arrears letter's last day: today + its days
    double DefaultRemedyDate; // the default letter's "by the": today + its days + foreclosure
    double DefaultNoticeDate; // the termination letter's default notice: today - foreclosure
    double VacateByDate;      // the termination letter's "until the": today + eviction
    double TerminationDate;   // the vacate letter's termination served: today - eviction
};

void DrawLoanArrearsLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms);
// The arrears letter about one full fee: its extension runs to the terms' ArrearsRemedyDate.
void DrawFeeArrearsLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms);
// `paymentPeriod`: the contract's "Weekly", "Fortnightly" or "Monthly".
void DrawDefaultLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms,
                       const std::string& paymentPeriod);
void DrawTerminationLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms);
void DrawVacateLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms);

// The two warning lines of the default and termination letters, 7 point bold, from `y`.
void DrawLegalWarning(TfmCustomPrintedReport& form, double y);

// The end of every notice from `y`: with `feeApplied` the paragraph on the arrears
// administration fee in force today, then "Regards", the lender's name and company.
void DrawNoticeClosing(TfmCustomPrintedReport& form, double y, bool feeApplied);

} // namespace duebell
