// The blocks under the letterhead of the client and accounting forms.
#include "domain/details.h"
#include "domain/mortgage.h"
#include "objectlist/exceptions.h"
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

    canvas.Font().SetStyle(0);
    const std::string clientName = loan.ClientName();
    const std::string clientName2 = loan.ClientName2();
    const std::string address = loan.PropertyAddress();
    canvas.TextOut(55, 95, loan.LoanNumber);
    canvas.TextOut(55, 99, clientName);
    canvas.TextOut(55, 103, clientName2);
    canvas.TextOut(55, 107, address);
    canvas.TextOut(145, 95, bank.BSBNo + " / " + bank.AccountNo);
    canvas.TextOut(145, 99, bank.BankName);
    canvas.TextOut(145, 103, bank.BranchName);

    // The address that shows through the envelope's window.
    canvas.TextOut(30, 70, clientName);
    canvas.TextOut(30, 75, clientName2);
    canvas.TextOut(30, 80, address);
}

void TfmCustomAccountingReport::DrawHeaderBlock() {
    TfmCustomPrintedReport::DrawHeaderBlock();
    const TMorvaneMortgage& loan = RequireMortgage(Mortgage);
    TPqCanvas& canvas = Canvas();
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(10, 68, "For: " + loan.PropertyAddress());
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
}

} // namespace duebell
