#include "reports/feenoticebody.h"

#include "domain/configuration.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "reports/noticeletters.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

namespace duebell {

namespace {

constexpr double BodyTop = 115;

void DrawLine(TfmCustomPrintedReport& form, double y, const std::string& text) {
    form.Canvas().TextOut(form.BodyLeft() + 10, y, text);
}

// The "Fee Details" table: its title centred `y` below the top margin, the headings 30 mm and
// the fee's row 40 mm below `y` from the paper's top edge. `amountHeading` heads the amount.
// Leaves the canvas at 10 point, regular, in the coordinate base it had.
void DrawFeeDetails(TfmCustomPrintedReport& form, double y, const TMorvaneFeeTransaction& fee,
                    const std::string& amountHeading, Currency amount) {
    TPqCanvas& canvas = form.Canvas();
    const int left = form.BodyLeft();
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold | fsUnderline);
    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    form.TextOutCentred("Fee Details", y);
    canvas.SetCoordsRelativeTo(base);
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(fsBold);

    y += 30;
    canvas.TextOut(left + 30, y, "Fee Number");
    canvas.TextOut(left + 60, y, "Description");
    canvas.TextOut(left + 145, y, amountHeading);
    canvas.Font().SetStyle(0);

    y += 10;
    canvas.TextOut(left + 30, y, FormatInt(fee.FeeNumber, 7));
    canvas.TextOut(left + 60, y, fee.FeeDescription);
    canvas.TextOut(left + 145, y, FormatMoney(amount));
}

} // namespace

std::string FeeNoticeTitle(TFeeNoticeStage stage) {
    switch (stage) {
    case TFeeNoticeStage::Arrears:
        return "Notice of Fee in Arrears";
    case TFeeNoticeStage::Default:
        return "Notice of Default due to Fee Arrears";
    case TFeeNoticeStage::Termination:
        return "Notice of Termination";
    case TFeeNoticeStage::Vacate:
        break;
    }
    return "Notice to Vacate Property";
}

void DrawFeeChargeBody(TfmCustomPrintedReport& form, const TMorvaneFeeTransaction& fee,
                       int noticePeriod) {
    double y = BodyTop;
    // Format("%s %s %s", ...): the pattern's blanks stay beside the parts' own.
    const std::string dueDate = DateToStr(Date() + noticePeriod);
    DrawLine(form, y,
             "This notice is to inform you a fee charge is now due. As a valued customer we ask "
             "that you make the");
    DrawLine(form, y + 5,
             "payment in full by the  " + dueDate +
                 "  to avoid any unnecessary arrears administration fees being charged to your");
    DrawLine(form, y + 10,
             "account. Please ensure you quote the fee number listed below when making a payment.");
    DrawLine(form, y + 20,
             "Failure to make payment in full by the due date may result in a breach of your loan "
             "agreement.");
    DrawLine(form, y + 30,
             "This fee charge is in addition to your regular periodic loan repayment "
             "committments. If you have any ");
    DrawLine(form, y + 35,
             "difficulties making the payment, please contact our office to make an alternative "
             "payment arrangement.");

    y += 55;
    DrawFeeDetails(form, y, fee, "Amount", fee.FeeAmount);

    y += 60;
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    DrawLine(form, y, "Regards");
    DrawLine(form, y + 5, configuration.UserName);
    DrawLine(form, y + 10, configuration.Company);
}

void DrawFeeNoticeBody(TfmCustomPrintedReport& form, TFeeNoticeStage stage,
                       const TMorvaneMortgage& mortgage, const TMorvaneFeeTransaction& fee,
                       int noticePeriod, bool feeApplied) {
    const TNoticeTerms terms(Date(), *LoadedConfiguration().SystemConfiguration, noticePeriod);
    double y = BodyTop;
    switch (stage) {
    case TFeeNoticeStage::Arrears:
        DrawFeeArrearsLetter(form, y, terms);
        break;
    case TFeeNoticeStage::Default:
        DrawDefaultLetter(form, y, terms, mortgage.Contract->PaymentPeriod);
        break;
    case TFeeNoticeStage::Termination:
        DrawTerminationLetter(form, y, terms);
        break;
    case TFeeNoticeStage::Vacate:
        DrawVacateLetter(form, y, terms);
        break;
    }

    y += 55;
    if (y > 225) {
        form.NewPage();
        y = 60;
    }
    DrawFeeDetails(form, y, fee, "Arrears", fee.Balance());
    y += 40;

    y += 20;
    if (y > 240) {
        form.NewPage();
        y = 80;
    }
    DrawNoticeClosing(form, y, feeApplied);
}

} // namespace duebell
