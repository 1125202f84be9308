// The printed side of the initial accounting report: the purchase and the sale, one page.
#include "domain/accountingreports.h"
#include "domain/clients.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "reports/accountinginitial.h"
#include "reports/fittedtext.h"
#include "reports/printedform.h"

namespace duebell {

namespace {

constexpr double LabelX = 40;
constexpr double ValueX = 120;
// A value keeps to the right margin and above the next line.
constexpr double ValueWidth = 190 - ValueX;
constexpr double LineHeight = 5;

// A date that was never entered (day 0, 30/12/1899) prints blank.
std::string DateOrBlank(double date) {
    return date == 0.0 ? std::string() : DateToStr(date);
}

struct Line {
    double y;
    const char* label;
    std::string value;
};

void DrawSection(TPqCanvas& canvas, const char* heading, double y,
                 std::initializer_list<Line> lines) {
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(5, y, heading);
    canvas.Font().SetStyle(0);
    for (const Line& line : lines) {
        if (*line.label != '\0')
            canvas.TextOut(LabelX, line.y, line.label);
        FittedTextOut(canvas, ValueX, line.y, ValueWidth, LineHeight, line.value);
    }
}

} // namespace

std::string TfmReportAccountingInitial::ReportTitle() const {
    return "Accounting Report Initial";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportAccountingInitial::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomAccountingReport>(preview);
}

void TfmReportAccountingInitial::DrawBody(TfmCustomPrintedReport& form) {
    if (Mortgage() == nullptr)
        throw InternalError("A report was drawn without its loan.");
    DrawAccountingInitialBody(form, *Mortgage());
}

void DrawAccountingInitialBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage) {
    const TMorvaneInitialAccountingReport& figures = *mortgage.InitialAccountingReport;
    const TMorvaneContract& contract = *mortgage.Contract;
    const TMorvaneProperty* property = mortgage.FindProperty();
    TPqCanvas& canvas = form.Canvas();
    DrawSection(canvas, "Contract Details: Purchase", 80,
                {{90, "Name of Purchaser (Person or Entity)", figures.NameOfPurchaser},
                 {95, "Address of Property:",
                  property != nullptr ? property->Address->FullStreetStr() : ""},
                 {100, "", property != nullptr ? property->Address->FullSuburbStr() : ""},
                 {105, "Date of Purchase:", DateOrBlank(figures.DateOfPurchase.value)},
                 {110, "Purchase Price - Land:", FormatMoney(figures.PurchasePriceLand)},
                 {115, "Purchase Price - Building:", FormatMoney(figures.PurchasePriceBuilding)},
                 {120, "Cost of - Legal Fees:", FormatMoney(figures.LegalFeeCost)},
                 {125, "Cost of - Inspection Reports:", FormatMoney(figures.InspectionReportCost)},
                 {130, "Cost of - Government Taxes:", FormatMoney(figures.GovernmentTaxCost)},
                 {135, "Cost of - Other:", FormatMoney(figures.OtherCost)}});
    DrawSection(canvas, "Contract Details: Sale", 145,
                {{155, "Name of Client:", mortgage.ClientName()},
                 {160, "Date of Sale:", DateOrBlank(contract.PossessionDate.value)},
                 {165, "Initial Deposit:", FormatMoney(contract.Deposit)},
                 {170, "Loan Amount:", FormatMoney(contract.ContractAmount - contract.Deposit)},
                 {175, "Term of Finance:", IntToStr(contract.ContractTerm) + " years"}});
}

} // namespace duebell
