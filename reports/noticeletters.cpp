#include "reports/noticeletters.h"

#include "domain/configuration.h"
#include "domain/money.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

namespace duebell {

namespace {

// The letters' lines were written as Format("%s %s", ...) and Format("%s %s %s", ...): the
// pattern's blanks stay, so a part that ends or begins with a blank gives a double blank.
std::string Format2(const std::string& a, const std::string& b) {
    return a + " " + b;
}
std::string Format3(const std::string& a, const std::string& b, const std::string& c) {
    return a + " " + b + " " + c;
}

// Draws the lines of a letter, each at its offset below `y`.
struct Line {
    double offset;
    std::string text;
};
void DrawLines(TfmCustomPrintedReport& form, double y, std::initializer_list<Line> lines) {
    const double x = form.BodyLeft() + 10;
    for (const Line& line : lines)
        form.Canvas().TextOut(x, y + line.offset, line.text);
}

} // namespace

TNoticeTerms::TNoticeTerms(double today, const TMorvaneSystemConfiguration& periods,
                           int feeNoticePeriod)
    : DefaultDays(feeNoticePeriod + periods.DefaultPeriod), ArrearsRemedyDate(today + DefaultDays),
      DefaultRemedyDate(today + DefaultDays + periods.ForeclosePeriod),
      DefaultNoticeDate(today - periods.ForeclosePeriod),
      VacateByDate(today + periods.EvictionPeriod),
      TerminationDate(today - periods.EvictionPeriod) {}

void DrawLoanArrearsLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms) {
    DrawLines(form, y,
              {{0, "Our records indicate that your loan account is currently in arrears. The "
                   "nature of the arrears is detailed in the"},
               {5, "table below."},
               {15, "We understand that it is often easy to overlook a payment; we would "
                    "appreciate if you could arrange to pay"},
               {20, "the arrears within the next few days. If you have made the required payment "
                    "please disregard this notice."},
               {30, Format3("Failure to remedy the situation before the ",
                            DateToStr(terms.ArrearsRemedyDate),
                            " may result in a default and breach of contract.")},
               {40, "If you have any difficulties making the payment, please contact our office "
                    "to make an alternative payment"},
               {45, "arrangement."}});
}

void DrawFeeArrearsLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms) {
    DrawLines(form, y,
              {{0, "As part of our service, we like to keep you informed of the status of your "
                   "account, a review today"},
               {5, "indicates the fee detailed below is now due for the amount listed under "
                   "'Arrears'."},
               {15, "Of course, we understand that you may have simply overlooked the account, or "
                    "circumstances may have"},
               {20, Format3("prevented its payment. Therefore, an extension has been granted until",
                            DateToStr(terms.ArrearsRemedyDate), " to allow you to settle the")},
               {25, "balance. Payment by this date will prevent any recovery action proceeding "
                    "and a default notice being issued."},
               {35, "If you have any difficulties making the payment, please contact our office "
                    "to make an alternative payment"},
               {40, "arrangement."}});
}

void DrawDefaultLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms,
                       const std::string& paymentPeriod) {
    const std::string remedyDate = DateToStr(terms.DefaultRemedyDate);
    DrawLines(
        form, y,
        {{0, Format2("You are the purchaser under the Contract. Under the Contract, you agreed to "
                     "pay your debt by",
                     paymentPeriod)},
         {5, "Instalments and pay rates, taxes and other fees and charges as they are requested "
             "of you."},
         {15, "You have failed to pay the instalments, rates, taxes and other fees and charges as "
              "they have fallen due for"},
         {20, "payment under the Contract, and have incurred arrears administration fees where "
              "applicable, which are"},
         {25, "detailed in the table below. You are now in default under the Contract in that you "
              "have not made these"},
         {30, Format3("payments, and in particular within", IntToStr(terms.DefaultDays),
                      " days of the dates they fell due for payment.")},
         {40, "Accordingly, under the Contract we give Notice of Default that if you do not bring "
              "your instalments,"},
         {45, "contributions to rates, taxes and other fees and charges up to date and pay the "
              "arrears administration fees"},
         {50, Format3("(where applicable) by the ", remedyDate,
                      ", by payment of the sum detailed below in full, together with instalment")},
         {55, Format3("payments and contributions which fall due up to the ", remedyDate,
                      ", then your continuing default will entitle us to")},
         {60, "terminate the Contract and will be relied upon to terminate the Contract."}});
    DrawLegalWarning(form, y + 65);
}

void DrawTerminationLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms) {
    DrawLines(
        form, y,
        {{0, "You are the purchaser under the Contract. You are now in default under the "
             "Contract, as you have failed to"},
         {5, Format3("comply with a Notice of Default dated", DateToStr(terms.DefaultNoticeDate),
                     " which has been served upon you and which required you") +
                 " "},
         {10, "to remedy the default under the Contract described in the Notice of Default."},
         {20, "Accordingly, we give Notice of Termination of the Contract, which is effective upon "
              "the date of service of this"},
         {25, "Notice. You must now deliver up vacant possession of the property, in default of "
              "which we will take steps to"},
         {30, "retake possession of the property, without delay. You also leave the property in a "
              "clean, orderly, neat and"},
         {35, "attractive condition."},
         {45, Format3("To allow you to vacate the property in an orderly manner, we give you until "
                      "the ",
                      DateToStr(terms.VacateByDate), " before any legal")},
         {50, "proceedings are commenced."}});
    DrawLegalWarning(form, y + 55);
}

void DrawVacateLetter(TfmCustomPrintedReport& form, double y, const TNoticeTerms& terms) {
    DrawLines(form, y,
              {{0, Format3("A Notice of Termination of Contract was served upon you on the",
                           DateToStr(terms.TerminationDate), ". You have failed to comply with")},
               {5, "that notice."},
               {15, "This notice is to inform you that you must now vacate the property. Please "
                    "make arrangements to move"},
               {20, "immediately and contact our office to advise the handover date, arrange for "
                    "a final inspection and to hand"},
               {25, "over the key."}});
}

void DrawLegalWarning(TfmCustomPrintedReport& form, double y) {
    TPqCanvas& canvas = form.Canvas();
    canvas.Font().SetSize(7);
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(
        form.BodyLeft() + 31, y,
        "WARNING: THIS IS A LEGAL DOCUMENT AND FAILURE TO COMPLY MAY HAVE SERIOUS LEGAL");
    canvas.TextOut(form.BodyLeft() + 45, y + 3,
                   "CONSEQUENCES. IF YOU ARE IN ANY DOUBT YOU SHOULD OBTAIN LEGAL ADVICE.");
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
}

void DrawNoticeClosing(TfmCustomPrintedReport& form, double y, bool feeApplied) {
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    if (feeApplied) {
        const Currency fee = configuration.AdminFeeAmountAt(TDate(Date()));
        DrawLines(form, y,
                  {{0, "We regret to inform you that as a result of arrears due to insufficient "
                       "funds an arrears administrative fee"},
                   {5, Format3("of ", FormatMoney(fee), " has been debited from your account.")}});
        y += 15;
    }
    DrawLines(form, y, {{0, "Regards"}, {5, configuration.UserName}, {10, configuration.Company}});
}

} // namespace duebell
