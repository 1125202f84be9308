// The top of the statement of account: the period's line, the account summary and the opening
// row of the table.
#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "reports/printedform.h"
#include "reports/statementbody.h"
#include "reports/statementlayout.h"
#include "reports/statementperiods.h"

namespace duebell {

namespace {

constexpr double SummaryLabel = 55;
constexpr double SummaryValue = 135;

std::string RateText(double rate) {
    return FormatFloat("0.00##", rate) + "%";
}

// The opening row's figures: the balance at the end of the day before the period (the first
// day's own for the first period, which has no day before it). A period that starts after the
// ledger's last day has no balance to show; one that starts before the ledger's first day
// (a ledger not built) shows the amount lent and the reference rate.
void DrawOpeningFigures(TPqCanvas& canvas, const TMorvaneMortgage& mortgage,
                        const TStatementPeriod& period) {
    const TDayNumber start = DayOf(period.Start);
    const TMorvaneLocalTransactionDay* opening = FindLedgerDay(mortgage, start - 1);
    if (opening == nullptr)
        opening = FindLedgerDay(mortgage, start);
    if (opening != nullptr) {
        canvas.TextOut(statementcolumn::Balance, 160, FormatMoney(opening->Balance));
        canvas.TextOut(statementcolumn::Rate, 160, RateText(opening->ActualRate));
        return;
    }
    const auto* first =
        static_cast<const TMorvaneLocalTransactionDay*>(mortgage.LocalTransactionDays->PeekFirst());
    if (first != nullptr && first->TransactionDate.value <= period.Start)
        return; // past the ledger's end
    const TMorvaneContract& contract = *mortgage.Contract;
    canvas.TextOut(statementcolumn::Balance, 160,
                   FormatMoney(contract.ContractAmount - contract.Deposit));
    canvas.TextOut(statementcolumn::Rate, 160, RateText(contract.ReferenceRate.value.toDouble()));
}

} // namespace

const TMorvaneLocalTransactionDay* FindLedgerDay(const TMorvaneMortgage& mortgage, TDayNumber day) {
    return static_cast<const TMorvaneLocalTransactionDay*>(
        mortgage.LocalTransactionDays->LocateNoMove(Variant(AsDate(day))));
}

void DrawStatementColumnHeads(TPqCanvas& canvas, double y) {
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(statementcolumn::Date, y, "Date");
    canvas.TextOut(statementcolumn::Description, y, "Description");
    canvas.TextOut(statementcolumn::Rate, y, "Rate");
    canvas.TextOut(statementcolumn::Type, y, "Type");
    canvas.TextOut(statementcolumn::Debit, y, "Debit");
    canvas.TextOut(statementcolumn::Credit, y, "Credit");
    canvas.TextOut(statementcolumn::Balance, y, "Balance");
}

std::string StatementDueText(const TMorvaneContract& contract) {
    switch (contract.PaymentPeriodIndex()) {
    case 0:
        return "Weekly";
    case 1:
        return "Fortnightly";
    case 2: {
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(contract.PossessionDate.value, year, month, day);
        return OrdinalDayText(day) + " of the Month";
    }
    default:
        return {};
    }
}

Currency StatementPaymentAmount(const TMorvaneMortgage& mortgage,
                                const TMorvaneLocalTransactionDay& day) {
    const double date = day.TransactionDate.value;
    Currency amount = day.PMTAmount;
    for (TTovObjectItem* item : *mortgage.InstallmentFees) {
        const auto& fee = static_cast<const TMorvaneInstallmentFee&>(*item);
        const double stopped = fee.StopLastPaymentDate.value;
        if (fee.FirstPaymentDate().value <= date && date <= fee.LastPaymentDate().value &&
            (stopped == 0 || stopped >= date))
            amount += Currency::fromDouble(fee.PaymentAmount);
    }
    return amount;
}

void DrawStatementHeader(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage,
                         const TStatementPeriod& period) {
    TPqCanvas& canvas = form.Canvas();
    const TMorvaneLocalTransactionDay* rateDay = FindLedgerDay(mortgage, DayOf(period.End) - 1);

    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold | fsUnderline);
    form.TextOutCentred("Account Summary", 95);
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
    form.TextOutCentred("Statement No. " + IntToStr(period.Number) + ":  From " +
                            DateToStr(period.Start) + " to " + DateToStr(period.End),
                        30);
    canvas.SetCoordsRelativeTo(base);

    canvas.TextOut(SummaryLabel, 125, "Current Annual Rate:");
    canvas.TextOut(SummaryLabel, 132, "Payment Amount:");
    canvas.TextOut(SummaryLabel, 139, "Due:");
    if (rateDay != nullptr) {
        canvas.TextOut(SummaryValue, 125, FloatToStr(rateDay->ActualRate) + "%");
        canvas.TextOut(SummaryValue, 132, FormatMoney(StatementPaymentAmount(mortgage, *rateDay)));
    }
    canvas.TextOut(SummaryValue, 139, StatementDueText(*mortgage.Contract));

    DrawStatementColumnHeads(canvas, 150);
    canvas.TextOut(statementcolumn::Date, 160, DateToStr(period.Start));
    canvas.TextOut(statementcolumn::Description, 160, "Opening Balance");
    DrawOpeningFigures(canvas, mortgage, period);
    canvas.Font().SetStyle(0);
}

} // namespace duebell
