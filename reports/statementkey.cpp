// The end of the statement of account: the key of its terms and the closing paragraph.
#include "domain/configuration.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"
#include "reports/statementlayout.h"

namespace duebell {

namespace {

// A term of the key, the dots that lead to its explanation, and the explanation.
struct KeyTerm {
    const char* Term;
    int Dots;
    const char* Explanation;
};

constexpr KeyTerm KeyTerms[] = {
    {"Acct", 57, "  - Indicates an payment or interest charge."},
    {"Balance", 51, "  - The daily outstanding amount of your account (excluding Fees)."},
    {"Closing Balance", 42, "  - The closing balance of this Statement of Account."},
    {"Credit", 52, "  - Amounts (payment or fee) paid by you to your account."},
    {"Current Annual Rate", 46,
     "  - The annual interest rate of the account as of the date of this statement."},
    {"Date", 54, "  - The date the transaction occurred."},
    {"Debit", 54, "  - Amounts (payment or fee) charged to your account."},
    {"Description", 52, "  - A short description of the transaction."},
    {"Due", 57, "  - The periodical repayment frequency."},
    {"FFee", 57, "  - Indicates a full fee transaction."},
    {"IFee", 57, "  - Indicates an instalment fee transaction."},
    {"Opening Balance", 57, "  - The closing balance of the previous Statement of Account."},
    {"Payment Amount", 57, "  - The periodical repayment as of the date of this statement."},
    {"Rate", 57, "  - Indicates the initial, final or changes to the annual interest rate."},
};

} // namespace

void DrawStatementKey(TfmCustomPrintedReport& form, double y) {
    TPqCanvas& canvas = form.Canvas();
    canvas.Rectangle(20, y + 23, 190, y + 75);
    canvas.Font().SetSize(8);
    canvas.Font().SetStyle(fsBold | fsUnderline);
    canvas.TextOut(30, y + 25, "Key:");
    canvas.Font().SetSize(7);
    canvas.Font().SetStyle(0);
    // A leader stops where its explanation's first mark stands (after the two blanks it
    // opens with) rather than run on under it.
    const double leaderEnd = 105 - 30 + canvas.TextWidth("  ");
    double line = y + 30;
    for (const KeyTerm& term : KeyTerms) {
        std::string text = term.Term;
        for (int i = 0; i < term.Dots && canvas.TextWidth(text + " .") <= leaderEnd; ++i)
            text += " .";
        canvas.TextOut(30, line, text);
        canvas.TextOut(105, line, term.Explanation);
        line += 3;
    }
}

void DrawStatementClosing(TfmCustomPrintedReport& form, double y) {
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    TPqCanvas& canvas = form.Canvas();
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
    canvas.TextOut(20, y + 80,
                   "Please verify all figures. If you believe there is an error, or should you "
                   "have any queries regarding this");
    canvas.TextOut(20, y + 85, "document, please call our office during business hours.");
    canvas.TextOut(20, y + 95, "Regards");
    canvas.TextOut(20, y + 100, configuration.UserName);
    canvas.TextOut(20, y + 105, configuration.Company);
}

} // namespace duebell
