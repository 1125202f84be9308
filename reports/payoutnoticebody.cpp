#include "reports/payoutnoticebody.h"

#include "domain/configuration.h"
#include "domain/money.h"
#include "objectlist/datetime.h"
#include "reports/payoutfigures.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

namespace duebell {

namespace {

// A heading, 12 point bold underlined, centred between the margins `y` below the top margin;
// then 10 point regular again.
void Heading(TfmCustomPrintedReport& form, const std::string& text, double y) {
    TPqCanvas& canvas = form.Canvas();
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold | fsUnderline);
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    form.TextOutCentred(text, y);
    canvas.SetCoordsRelativeTo(pqFromPage);
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
}

} // namespace

void DrawPayoutNoticeBody(TfmCustomPrintedReport& form, const TPayoutFigures& figures) {
    TPqCanvas& canvas = form.Canvas();
    const double left = form.BodyLeft();
    const double label = left + 15;
    const double item = left + 25;
    const double amount = left + 100;
    const std::string date = DateToStr(figures.EffectiveDate());
    auto bold = [&](bool on) { canvas.Font().SetStyle(on ? fsBold : 0); };

    // The pattern's blank beside each of the date's own.
    canvas.TextOut(20, 115,
                   "The payout figure is based upon all the items listed below, paid in full by "
                   "the  " + date + " . This figure will");
    canvas.TextOut(20, 120, "change according to the date on which it is paid.");
    canvas.TextOut(20, 130, "The following outlines the itemised details the payout calculations "
                            "are based upon:");

    Heading(form, "Payout Summary", 120);
    canvas.TextOut(label, 150, "Balance:");
    canvas.TextOut(amount, 150, FormatMoney(figures.LoanBalance()));
    canvas.TextOut(label, 157, "Fees:");
    canvas.TextOut(amount, 157, FormatMoney(figures.FeesPenalties()));
    canvas.TextOut(label, 164, "Break Costs:");
    canvas.TextOut(amount, 164, FormatMoney(figures.BreakCostTotal()));
    bold(true);
    canvas.TextOut(label, 171, "Payout Figure:");
    canvas.TextOut(amount, 171, FormatMoney(figures.PayoutFigure()));
    bold(false);

    Heading(form, "Payout Details", 165);
    double y = 185;
    canvas.TextOut(label, y + 10, "Balance (as of " + date + ")");
    bold(true);
    canvas.TextOut(item, y + 15, "Subtotal:");
    canvas.TextOut(amount, y + 15, FormatMoney(figures.LoanBalance()));
    bold(false);

    // Every heading and row is placed only where it ends above the footer, a heading only
    // with room for its first row under it; a list that has no more room goes on from the
    // top of the next page.
    auto room = [&](double lowest, double next) {
        if (lowest > LastBodyLineY) {
            form.NewPage();
            y = next;
        }
    };
    y += 25;
    canvas.TextOut(label, y, "Fees");
    for (const TTovObjectItem* record : figures.AllocatedFees()) {
        const auto& fee = static_cast<const TPayoutOutstandingFee&>(*record);
        y += 5;
        room(y, 70);
        canvas.TextOut(item, y, fee.FeeDescription);
        canvas.TextOut(amount, y, FormatMoney(fee.Amount));
    }
    room(y + 10, 65);
    y += 5;
    bold(true);
    canvas.TextOut(item, y + 5, "Subtotal:");
    canvas.TextOut(amount, y + 5, FormatMoney(figures.FeesPenalties()));
    bold(false);

    y += 15;
    room(y + 5, 60);
    canvas.TextOut(label, y, "Break Costs");
    for (const TTovObjectItem* record : figures.BreakCosts()) {
        const auto& cost = static_cast<const TPayoutBreakCost&>(*record);
        y += 5;
        // A long list goes on to the next page after its row at 255 mm.
        room(y + 10, 65);
        canvas.TextOut(item, y, cost.Description);
        canvas.TextOut(amount, y, FormatMoney(cost.Amount));
    }
    room(y + 15, 60);
    bold(true);
    canvas.TextOut(item, y + 5, "Subtotal:");
    canvas.TextOut(amount, y + 5, FormatMoney(figures.BreakCostTotal()));
    canvas.TextOut(item, y + 15, "Total Payout (as of " + date + "):");
    canvas.TextOut(amount, y + 15, FormatMoney(figures.PayoutFigure()));
    bold(false);

    room(y + 50, 55);
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    const double closing = left + 10;
    canvas.TextOut(closing, y + 25, "Please verify all figures. If you believe there is an "
                                    "error, or should you have any queries regarding this");
    canvas.TextOut(closing, y + 30, "document, please call our office during business hours.");
    canvas.TextOut(closing, y + 40, "Regards");
    canvas.TextOut(closing, y + 45, configuration.UserName);
    canvas.TextOut(closing, y + 50, configuration.Company);
}

} // namespace duebell
