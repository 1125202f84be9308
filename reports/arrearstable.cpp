#include "reports/arrearstable.h"

#include "domain/computedrecords.h"
#include "domain/ledger.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "reports/printedform.h"

namespace duebell {

std::optional<TArrearsDetails> ArrearsDetailsOn(const TMorvaneMortgage& mortgage, double date) {
    const auto* day = static_cast<const TMorvaneLocalTransactionDay*>(
        mortgage.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
    if (day == nullptr)
        return std::nullopt;
    TArrearsDetails details;
    details.AdminFees =
        RoundToCents(mortgage.LocalTransactionDays.Ledger().OpenAdminFees(DayOf(date)));
    details.Arrears = AmountBehind(day->Balance, day->ShadowBalance);
    details.Total =
        details.AdminFees + details.Arrears + RoundToCents(day->TotalInstallmentPenalties);
    return details;
}

bool NoArrearsOn(const TMorvaneMortgage& mortgage, double date) {
    const std::optional<TArrearsDetails> details = ArrearsDetailsOn(mortgage, date);
    return !details || details->Arrears.isZero();
}

void DrawArrearsTable(const TMorvaneMortgage& mortgage, TfmCustomPrintedReport& form, double y,
                      double date) {
    const std::optional<TArrearsDetails> details = ArrearsDetailsOn(mortgage, date);
    if (!details)
        return;

    TPqCanvas& canvas = form.Canvas();
    const double component = form.BodyLeft() + 30;
    const double amount = form.BodyLeft() + 145;

    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold | fsUnderline);
    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    form.TextOutCentred("Arrears Details", y + 5);
    canvas.SetCoordsRelativeTo(pqFromPage);

    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(component, y + 35, "Component");
    canvas.TextOut(amount, y + 35, "Amount");

    canvas.Font().SetStyle(0);
    if (!details->AdminFees.isZero()) {
        canvas.TextOut(component, y + 45, "Arrears Administration Fee");
        canvas.TextOut(amount, y + 45, FormatMoney(details->AdminFees));
    }
    canvas.TextOut(component, y + 50, "Arrears");
    canvas.TextOut(amount, y + 50, FormatMoney(details->Arrears));

    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(component, y + 60, "TOTAL Arrears");
    canvas.TextOut(amount, y + 60, FormatMoney(details->Total));
    canvas.Font().SetStyle(0);
    canvas.SetCoordsRelativeTo(base);
}

} // namespace duebell
