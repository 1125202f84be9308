// The blocks under the letterhead of the client and accounting forms.
#include "domain/details.h"
#include "domain/mortgage.h"
#include "objectlist/exceptions.h"
#include "reports/fittedtext.h"
#include "reports/printedform.h"

namespace duebell {

namespace {

const TMorvaneMortgage& RequireMortgage(const TMorvaneMortgage* mortgage) {
    // The report dialogs refuse to build without a loan.
    if (mortgage == nullptr)
        throw InternalError("A printed form was drawn without its loan.");
    return *mortgage;
}

} // namespace

void TfmCustomClientReport::DrawHeaderBlock() {
    TfmCustomPrintedReport::DrawHeaderBlock();
    const TMorvaneMortgage& loan = RequireMortgage(Mortgage);
    const TMorvaneBankDetails& bank = *loan.BankDetails;
    TPqCanvas& canvas = Canvas();

    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(25, 95, "Reference No:");
    canvas.TextOut(25, 99, "Applicant 1:");
    canvas.TextOut(25, 103, "Applicant 2:");
    canvas.TextOut(25, 107, "Postal Address:");
    canvas.TextOut(110, 95, "BSB / Account No:");
    canvas.TextOut(110, 99, "Bank:");
    canvas.TextOut(110, 103, "Branch:");

    // Each value keeps to its place: the left column's up to the right column's labels, the
    // right column's and the postal address up to the right margin; a row is 4 mm high, the
    // postal address has the 8 mm down to the body.
    canvas.Font().SetStyle(0);
    const std::string clientName = loan.ClientName();
    const std::string clientName2 = loan.ClientName2();
    const std::string address = loan.PropertyAddress();
    FittedTextOut(canvas, 55, 95, 53, 4, loan.LoanNumber);
    FittedTextOut(canvas, 55, 99, 53, 4, clientName);
    FittedTextOut(canvas, 55, 103, 53, 4, clientName2);
    FittedTextOut(canvas, 55, 107, 135, 8, address);
    FittedTextOut(canvas, 145, 95, 45, 4, bank.BSBNo + " / " + bank.AccountNo);
    FittedTextOut(canvas, 145, 99, 45, 4, bank.BankName);
    FittedTextOut(canvas, 145, 103, 45, 4, bank.BranchName);

    // The address that shows through the envelope's window (20 to 110 mm from the left
    // edge), each line down to the next and the address down to the block.
    FittedTextOut(canvas, 30, 70, 80, 5, clientName);
    FittedTextOut(canvas, 30, 75, 80, 5, clientName2);
    FittedTextOut(canvas, 30, 80, 80, 15, address);
}

void TfmCustomAccountingReport::DrawHeaderBlock() {
    TfmCustomPrintedReport::DrawHeaderBlock();
    const TMorvaneMortgage& loan = RequireMortgage(Mortgage);
    TPqCanvas& canvas = Canvas();
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold);
    // Up to the right margin, down to the body's first heading.
    FittedTextOut(canvas, 10, 68, 180, 12, "For: " + loan.PropertyAddress());
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
}

} // namespace duebell
