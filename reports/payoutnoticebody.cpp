#include "reports/payoutnoticebody.h"

#include "domain/configuration.h"
#include "domain/money.h"
#include "objectlist/datetime.h"
#include "reports/fittedtext.h"
#include "reports/payoutfigures.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

#include <vector>

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

constexpr double RowPitch = 5;
// The first body line of a later page: 10 mm under the letterhead's date, as the window
// address stands on the first.
constexpr double LaterPageTop = 70;

struct ListRow {
    std::string Text;
    Currency Amount;
};

// A list's closing line, in bold, the given distance below its last row.
struct ClosingLine {
    double Offset;
    std::string Text;
    Currency Amount;
};

// A heading at `y`, its rows 5 mm apart under it and its closing lines under the last row;
// gives the last row's height on its page. A list that fits on a page is never split: when
// what is left of this page is too short, the whole list starts the next page. A longer one
// runs on at the top of the next pages, its last row going with the closing lines, so a
// heading never stands without its first row nor a subtotal without its list.
double DrawList(TfmCustomPrintedReport& form, double y, const std::string& heading,
                const std::vector<ListRow>& rows, const std::vector<ClosingLine>& closing) {
    TPqCanvas& canvas = form.Canvas();
    // Headings, rows' texts (up to the amounts) and amounts.
    const double headingX = form.BodyLeft() + 15;
    const double itemX = form.BodyLeft() + 25;
    const double amountX = form.BodyLeft() + 100;
    const double extent = closing.back().Offset;
    const double length = RowPitch * static_cast<double>(rows.size()) + extent;
    if (y + length > LastBodyLineY &&
        (LaterPageTop + length <= LastBodyLineY || y + RowPitch > LastBodyLineY)) {
        form.NewPage();
        y = LaterPageTop;
    }
    canvas.TextOut(headingX, y, heading);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        y += RowPitch;
        if (y + (i + 1 == rows.size() ? extent : 0) > LastBodyLineY) {
            form.NewPage();
            y = LaterPageTop;
        }
        FittedTextOut(canvas, itemX, y, amountX - itemX - 2, RowPitch, rows[i].Text);
        canvas.TextOut(amountX, y, FormatMoney(rows[i].Amount));
    }
    canvas.Font().SetStyle(fsBold);
    for (const ClosingLine& line : closing) {
        canvas.TextOut(itemX, y + line.Offset, line.Text);
        canvas.TextOut(amountX, y + line.Offset, FormatMoney(line.Amount));
    }
    canvas.Font().SetStyle(0);
    return y;
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

    y += 25;
    std::vector<ListRow> fees;
    for (const TTovObjectItem* record : figures.AllocatedFees()) {
        const auto& fee = static_cast<const TPayoutOutstandingFee&>(*record);
        fees.push_back({fee.FeeDescription, fee.Amount});
    }
    y = DrawList(form, y, "Fees", fees, {{10, "Subtotal:", figures.FeesPenalties()}});

    y += 20;
    std::vector<ListRow> costs;
    for (const TTovObjectItem* record : figures.BreakCosts()) {
        const auto& cost = static_cast<const TPayoutBreakCost&>(*record);
        costs.push_back({cost.Description, cost.Amount});
    }
    y = DrawList(form, y, "Break Costs", costs,
                 {{5, "Subtotal:", figures.BreakCostTotal()},
                  {15, "Total Payout (as of " + date + "):", figures.PayoutFigure()}});

    if (y + 50 > LastBodyLineY) {
        form.NewPage();
        y = 55;
    }
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
