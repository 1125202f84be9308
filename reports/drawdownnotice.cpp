#include "reports/drawdownnotice.h"

#include "domain/configuration.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "reports/fittedtext.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

namespace duebell {

namespace {

// A heading centred between the margins `y` below the top margin, 12 point bold underlined;
// leaves the canvas at 10 point bold.
void DrawHeading(TfmCustomPrintedReport& form, const std::string& title, double y) {
    TPqCanvas& canvas = form.Canvas();
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold | fsUnderline);
    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    form.TextOutCentred(title, y);
    canvas.SetCoordsRelativeTo(base);
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(fsBold);
}

int PaymentsPerYear(const TMorvaneContract& contract) {
    const int index = contract.PaymentPeriodIndex();
    if (index < 0)
        throw InternalError("The loan's payment period \"" + contract.PaymentPeriod +
                            "\" is none of the periods.");
    return PeriodsPerYear[static_cast<std::size_t>(index)];
}

} // namespace

std::string TfmReportDrawDown::ReportTitle() const {
    return "Notice of Draw Down";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportDrawDown::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportDrawDown::DrawBody(TfmCustomPrintedReport& form) {
    if (Mortgage() == nullptr)
        throw InternalError("A notice was drawn without its loan.");
    DrawDrawDownBody(form, *Mortgage());
}

void DrawDrawDownBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage) {
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    const TMorvaneContract& contract = *mortgage.Contract;
    TPqCanvas& canvas = form.Canvas();
    TPqFont saved; // the canvas font, put back at the end
    saved.Assign(canvas.Font());
    const double label = form.BodyLeft() + 30;
    const double value = form.BodyLeft() + 100;
    const double amount = form.BodyLeft() + 145;
    const std::string rate =
        FloatToStr((contract.ReferenceRate.value + contract.RateSpread.value).toDouble()) + "%";

    DrawHeading(form, "Draw Down Details", 95);
    const std::pair<const char*, std::string> details[] = {
        {"Date of Draw down", DateToStr(contract.PossessionDate.value)},
        {"Organisation", configuration.Company},
        {"Amount", FormatMoney(contract.ContractAmount - contract.Deposit)},
        {"Annual Interest Rate", rate},
        {"Term", IntToStr(contract.ContractTerm) + " years"},
        {"Number of Payments",
         IntToStr(std::int64_t(PaymentsPerYear(contract)) * contract.ContractTerm)},
        {"Payment Frequency", contract.PaymentPeriod},
        {"Security", mortgage.PropertyAddress()}};
    double y = 125;
    for (const auto& [caption, text] : details) {
        canvas.Font().SetStyle(fsBold);
        canvas.TextOut(label, y, caption);
        canvas.Font().SetStyle(0);
        // Up to the right margin, above the next detail.
        FittedTextOut(canvas, value, y, 190 - value, 7, text);
        y += 7;
    }

    DrawHeading(form, "Repayment Details", 165);
    canvas.TextOut(label, 195, "Component");
    canvas.TextOut(amount, 195, "Initial");
    canvas.Font().SetStyle(0);
    canvas.TextOut(label, 205, "Annual Interest Rate");
    canvas.TextOut(amount, 205, rate);
    Currency total = mortgage.CalcPaymentAmount();
    canvas.TextOut(label, 210, "Payment");
    canvas.TextOut(amount, 210, FormatMoney(total));

    y = 215;
    for (TTovObjectItem* item : *mortgage.InstallmentFees) {
        const auto* fee = static_cast<const TMorvaneInstallmentFee*>(item);
        const Currency payment = Currency::fromDouble(fee->PaymentAmount);
        canvas.TextOut(label, y, fee->FeeDescription);
        canvas.TextOut(amount, y, FormatMoney(payment));
        total += payment;
        if (y > 255) {
            form.NewPage();
            y = 75;
        }
        y += 5;
    }

    y += 5;
    canvas.Font().SetStyle(fsBold | fsUnderline);
    canvas.TextOut(label, y, "TOTAL Repayment");
    canvas.TextOut(amount, y, FormatMoney(total));
    canvas.Font().SetStyle(fsBold);
    if (y > 220) {
        form.NewPage();
        y = 70;
    }
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
    const double text = form.BodyLeft() + 10;
    canvas.TextOut(text, y + 10,
                   "Please verify all figures. If you believe there is an error, or should you "
                   "have any queries regarding this");
    canvas.TextOut(text, y + 15, "document, please call our office during business hours.");
    canvas.TextOut(text, y + 25, "Regards");
    canvas.TextOut(text, y + 30, configuration.UserName);
    canvas.TextOut(text, y + 35, configuration.Company);
    canvas.Font().Assign(saved);
}

} // namespace duebell
