// The table of the statement of account: one row per movement of the period's ledger days, and
// the totals under it; then the key and the closing.
#include "reports/statementbody.h"

#include "controls/tcolor.h"
#include "domain/computedrecords.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "print/units.h"
#include "reports/printedform.h"
#include "reports/statementlayout.h"
#include "reports/statementperiods.h"

namespace duebell {

namespace {

constexpr double FirstRowY = 165;
constexpr double RowHeight = 5;
constexpr double LastRowY = 260;
// A new page's table: its column heads and its first row.
constexpr double NextPageHeadsY = 80;
constexpr double NextPageFirstRowY = 90;
constexpr TColor ShadeColour = RGB(229, 229, 229);

// Where a movement's amount goes, which total it feeds and its type code.
enum class AmountColumn { None, Rate, Debit, Credit };
struct MovementKind {
    AmountColumn Column = AmountColumn::None;
    Currency TStatementTotals::*Total = nullptr;
    const char* Code = "";
    bool Bold = false;
};

MovementKind KindOf(TMorvaneLocalTransactionType type) {
    using T = TStatementTotals;
    switch (type) {
    case ltRateChange:
        return {AmountColumn::Rate, nullptr, "Rate", true};
    case ltLoanInterest:
        return {AmountColumn::Debit, &T::Interest, "Acct"};
    case ltInstallmentFee:
        return {AmountColumn::Debit, &T::Fees, "IFee"};
    case ltInstallmentFeePayment:
        return {AmountColumn::Credit, &T::FeePayments, "IFee"};
    case ltLoanPayment:
        return {AmountColumn::Credit, &T::LoanPayments, "Acct"};
    case ltFee:
        return {AmountColumn::Debit, &T::FullFees, "FFee"};
    case ltFeePayment:
        return {AmountColumn::Credit, &T::FullFeePayments, "FFee"};
    case ltAdminFee:
        return {AmountColumn::Debit, &T::Fees, "Adm"};
    case ltAdminFeePayment:
        return {AmountColumn::Credit, &T::FeePayments, "Adm"};
    case ltClosingBalance:
        return {AmountColumn::Rate, nullptr, "", true};
    case ltOpeningBalance:
    case ltDaySummary:
        break;
    }
    return {};
}

// The rows of the table as they are drawn, page by page.
class StatementTable {
public:
    explicit StatementTable(TfmCustomPrintedReport& form)
        : form_(form), canvas_(form.Canvas()),
          shadeRight_(ConvertValue(pqInches, pqMillimeters, form.PqPreview1().PageWidth()) - 20) {}

    double Y() const { return y_; }

    void Row(const TMorvaneLocalTransactionDay& day, const TMorvaneLocalTransaction& movement,
             bool lastOfDay, TStatementTotals& totals) {
        const MovementKind kind = KindOf(movement.LocalTransactionType);
        // A full page goes on to the next only for a row, so no page holds the heads alone.
        if (y_ > LastRowY) {
            form_.NewPage();
            shaded_ = true;
            DrawStatementColumnHeads(canvas_, NextPageHeadsY);
            canvas_.Font().SetStyle(0);
            y_ = NextPageFirstRowY;
        }
        if (shaded_) {
            canvas_.Brush().SetColor(ShadeColour);
            canvas_.Pen().SetStyle(psClear);
            canvas_.FlaggedRectangle(form_.BodyLeft() + 20, y_ - 0.5, shadeRight_, y_ + 4.5);
        }
        canvas_.Font().SetStyle(kind.Bold ? fsBold : 0);
        canvas_.TextOut(statementcolumn::Date, y_, DateToStr(day.TransactionDate.value));
        canvas_.TextOut(statementcolumn::Description, y_, movement.PaymentType);
        switch (kind.Column) {
        case AmountColumn::Debit:
            canvas_.TextOut(statementcolumn::Debit, y_, FormatMoney(movement.TransactionAmount));
            break;
        case AmountColumn::Credit:
            canvas_.TextOut(statementcolumn::Credit, y_, FormatMoney(movement.TransactionAmount));
            break;
        case AmountColumn::Rate:
            canvas_.TextOut(statementcolumn::Rate, y_, FormatFloat("0.00##", day.ActualRate) + "%");
            break;
        case AmountColumn::None:
            break;
        }
        if (kind.Total != nullptr)
            totals.*kind.Total += movement.TransactionAmount;
        if (*kind.Code != '\0')
            canvas_.TextOut(statementcolumn::Type, y_, kind.Code);
        if (lastOfDay)
            canvas_.TextOut(statementcolumn::Balance, y_, FormatMoney(day.Balance));

        canvas_.Font().SetStyle(0);
        canvas_.Brush().SetColor(clWhite);
        canvas_.Pen().SetStyle(psSolid);
        shaded_ = !shaded_;
        y_ += RowHeight;
    }

private:
    TfmCustomPrintedReport& form_;
    TPqCanvas& canvas_;
    double shadeRight_;
    double y_ = FirstRowY;
    bool shaded_ = true;
};

// The four totals under the table; gives where the key goes.
double DrawTotals(TfmCustomPrintedReport& form, double y, const TStatementTotals& totals) {
    TPqCanvas& canvas = form.Canvas();
    if (y + 20 > LastBodyLineY) {
        form.NewPage();
        y = 75;
    }
    canvas.Font().SetStyle(fsBold);
    const auto line = [&](double offset, const char* label) {
        canvas.TextOut(statementcolumn::Description, y + offset, label);
    };
    const auto amount = [&](double offset, double x, Currency value) {
        canvas.TextOut(x, y + offset, FormatMoney(value));
    };
    line(5, "Total Payment Transactions");
    amount(5, statementcolumn::Credit, totals.LoanPayments);
    line(10, "Total Interest Transactions");
    amount(10, statementcolumn::Debit, totals.Interest);
    line(15, "Total Instalment Fee Transactions");
    amount(15, statementcolumn::Debit, totals.Fees);
    amount(15, statementcolumn::Credit, totals.FeePayments);
    line(20, "Total Full Fee Transactions");
    amount(20, statementcolumn::Debit, totals.FullFees);
    amount(20, statementcolumn::Credit, totals.FullFeePayments);
    canvas.Font().SetStyle(0);
    y += 5;
    if (y > 195) {
        form.NewPage();
        y = 60;
    }
    return y;
}

} // namespace

TStatementTotals DrawStatementBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage,
                                   const TStatementPeriod& period) {
    DrawStatementHeader(form, mortgage, period);
    TStatementTotals totals;
    StatementTable table(form);
    // Every day of the period has its ledger day while the ledger lasts; a lookup per date
    // keeps to the period however long the ledger is.
    for (TDayNumber date = DayOf(period.Start); date <= DayOf(period.End); ++date) {
        const TMorvaneLocalTransactionDay* day = FindLedgerDay(mortgage, date);
        if (day == nullptr)
            continue;
        const TTovObjectList& movements = *day->LocalTransactions;
        int left = movements.Count();
        for (TTovObjectItem* item : movements)
            table.Row(*day, static_cast<const TMorvaneLocalTransaction&>(*item), --left == 0,
                      totals);
    }
    double y = DrawTotals(form, table.Y(), totals);
    DrawStatementKey(form, y);
    if (y > 160) {
        form.NewPage();
        y = 0;
    }
    DrawStatementClosing(form, y);
    return totals;
}

} // namespace duebell
