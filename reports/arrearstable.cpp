#include "reports/arrearstable.h"

#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "reports/printedform.h"

#include <algorithm>

namespace duebell {

void DrawArrearsTable(const TMorvaneMortgage& mortgage, TfmCustomPrintedReport& form, double y,
                      double date) {
    const auto* day = static_cast<const TMorvaneLocalTransactionDay*>(
        mortgage.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
    if (day == nullptr)
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
    Currency total = day->TotalInstallmentPenalties;
    const auto* fee = static_cast<const TMorvaneAdminFeeTransaction*>(
        mortgage.AdminFeeTransactions->PartialLocate(Variant(TDateTime(date))));
    if (fee != nullptr) {
        canvas.TextOut(component, y + 45, "Arrears Administration Fee");
        canvas.TextOut(amount, y + 45, FormatMoney(fee->FeeAmount));
        total += fee->FeeAmount;
    }
    const Currency arrears = std::max(day->Balance - day->ShadowBalance, Currency());
    canvas.TextOut(component, y + 50, "Arrears");
    canvas.TextOut(amount, y + 50, FormatMoney(arrears));
    total += arrears;

    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(component, y + 60, "TOTAL Arrears");
    canvas.TextOut(amount, y + 60, FormatMoney(total));
    canvas.Font().SetStyle(0);
    canvas.SetCoordsRelativeTo(base);
}

} // namespace duebell
