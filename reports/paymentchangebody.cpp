#include "reports/paymentchangebody.h"

#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace duebell {

namespace {

constexpr double BodyTop = 115;
constexpr std::size_t MaxColumns = 5;
constexpr const char* RatePattern = "0.0#%";

struct RateChange {
    double effectiveFrom;
    double rate; // the new reference rate, per cent
};

// What today's changes are about, for the "Change Indicator" table.
struct ChangeFlags {
    bool rate = false;
    bool adminFee = false;
    bool fee = false;
};

// One column of the "Repayment Breakdown": a date from which the repayment is what it shows.
struct Column {
    double date = 0;
    double referenceRate = 0;
    const TMorvaneLocalTransactionDay* paymentDay = nullptr; // its rate's first ledger day
    Currency total;
};

// Dates may carry a time of day; the notice reasons in whole days.
double Day(double dateTime) {
    return std::floor(dateTime);
}

bool Active(const TMorvaneInstallmentFee& fee) {
    return fee.Priority != -1;
}

std::vector<const TMorvaneInstallmentFee*> ActiveFees(const TMorvaneMortgage& mortgage) {
    std::vector<const TMorvaneInstallmentFee*> fees;
    for (TTovObjectItem* item : *mortgage.InstallmentFees) {
        const auto* fee = static_cast<const TMorvaneInstallmentFee*>(item);
        if (Active(*fee))
            fees.push_back(fee);
    }
    return fees;
}

// The loan's rate changes in date order; those recorded today add their effective dates.
std::vector<RateChange> CollectRateChanges(const TMorvaneConfiguration& configuration,
                                           const TMorvaneMortgage& mortgage, double today,
                                           std::vector<double>& dates, ChangeFlags& flags) {
    std::vector<RateChange> changes;
    const auto* history = static_cast<const TMorvaneMortgageRate*>(
        configuration.MortgageRates->LocateNoMove(Variant(mortgage.LoanNumber)));
    if (history == nullptr)
        return changes;
    for (TTovObjectItem* item : *history->RateChanges) {
        const auto* change = static_cast<const TMorvaneRateChange*>(item);
        changes.push_back({Day(change->EffectiveFrom().value), change->Rate.value.toDouble()});
        if (Day(change->TransactionDate.value) == today) {
            dates.push_back(changes.back().effectiveFrom);
            flags.rate = true;
        }
    }
    return changes;
}

// The date from which each instalment fee started, ended or stopped today changes the
// repayment.
void CollectFeeChanges(const TMorvaneMortgage& mortgage, double today, std::vector<double>& dates,
                       ChangeFlags& flags) {
    for (const TMorvaneInstallmentFee* fee : ActiveFees(mortgage)) {
        const double lastPayment = Day(fee->LastPaymentDate().value);
        if (Day(fee->TransactionDate.value) == today)
            dates.push_back(Day(fee->FirstPaymentDate().value));
        else if (lastPayment == today - 1)
            dates.push_back(lastPayment);
        else if (Day(fee->StopTransactionDate.value) == today)
            dates.push_back(Day(fee->StopLastPaymentDate.value) + 1);
        else
            continue;
        flags.fee = true;
    }
}

const TMorvaneLocalTransactionDay* LedgerDay(const TMorvaneMortgage& mortgage, double date) {
    return static_cast<const TMorvaneLocalTransactionDay*>(
        mortgage.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
}

// The rate change that sets a column's rate: the one taking effect last after today and no
// later than the column's date; none when the rate of today still holds then.
const RateChange* ApplyingChange(const std::vector<RateChange>& changes, double today,
                                 double date) {
    const RateChange* applying = nullptr;
    for (const RateChange& change : changes)
        if (change.effectiveFrom > today && change.effectiveFrom <= date &&
            (applying == nullptr || change.effectiveFrom >= applying->effectiveFrom))
            applying = &change;
    return applying;
}

// Whether an instalment fee is charged with the loan instalment due on a date.
bool FeeRunsOn(const TMorvaneInstallmentFee& fee, double date) {
    const double stop = Day(fee.StopLastPaymentDate.value);
    return date >= Day(fee.FirstPaymentDate().value) && date <= Day(fee.LastPaymentDate().value) &&
           !(stop > 0 && date > stop);
}

void SetFont(TPqCanvas& canvas, int size, TFontStyles style) {
    canvas.Font().SetSize(size);
    canvas.Font().SetStyle(style);
}

// A heading of the letter, 12 point bold underlined, centred between the margins `y` below
// the top margin; leaves the canvas at 10 point bold.
void DrawTableTitle(TfmCustomPrintedReport& form, const std::string& title, double y) {
    TPqCanvas& canvas = form.Canvas();
    SetFont(canvas, 12, fsBold | fsUnderline);
    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    form.TextOutCentred(title, y);
    canvas.SetCoordsRelativeTo(base);
    SetFont(canvas, 10, fsBold);
}

void DrawChangeIndicator(TfmCustomPrintedReport& form, double& y, const ChangeFlags& flags) {
    TPqCanvas& canvas = form.Canvas();
    const double left = form.BodyLeft();
    canvas.TextOut(20, y,
                   "This notice is to inform you that your payment and/or arrears administration "
                   "fee have changed. The change");
    canvas.TextOut(20, y + 5,
                   "indicator table indicates that the nature of the change, whereas the repayment "
                   "breakdown table below");
    canvas.TextOut(20, y + 10, "explains the effect of the change.");
    DrawTableTitle(form, "Change Indicator", y);
    SetFont(canvas, 10, 0);
    y += 30;

    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(left + 25, y, "Component");
    canvas.TextOut(left + 125, y, "Change");
    const std::pair<const char*, bool> rows[] = {{"Annual Interest Rate", flags.rate},
                                                 {"Arrears Administration Fee", flags.adminFee},
                                                 {"Other Fees and Charges", flags.fee}};
    double row = y + 10;
    for (const auto& [component, changed] : rows) {
        canvas.Font().SetStyle(0);
        canvas.TextOut(left + 20, row, component);
        canvas.Font().SetStyle(fsBold);
        canvas.TextOut(left + 125, row, changed ? "Yes" : "No");
        row += 5;
    }
    canvas.Font().SetStyle(0);
    canvas.TextOut(20, y + 30,
                   "Note: An arrears administration fee will only apply if your loan is in "
                   "arrears and will only be applied once per");
    canvas.TextOut(20, y + 35, "arrears notice.");
    y += 45;
}

void DrawRepaymentBreakdown(TfmCustomPrintedReport& form, double& y,
                            const TMorvaneMortgage& mortgage, std::vector<Column>& columns,
                            double today) {
    TPqCanvas& canvas = form.Canvas();
    const double left = form.BodyLeft();
    const auto columnX = [left](std::size_t i) { return left + 60 + 25 * double(i); };

    DrawTableTitle(form, "Repayment Breakdown", y - 20);
    y += 5;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const double date = columns[i].date;
        if (date == today) {
            canvas.TextOut(columnX(i), y + 10, "Current");
        } else if (date == today - 1) {
            canvas.TextOut(columnX(i), y + 10, "Previous");
        } else {
            canvas.TextOut(columnX(i), y + 5, "As of");
            canvas.TextOut(columnX(i), y + 10, DateToStr(date));
        }
    }

    const double spread = mortgage.Contract->RateSpread.value.toDouble();
    const std::pair<const char*, double> rows[] = {
        {"Reference Rate", y + 20}, {"Annual Interest Rate", y + 25}, {"Payments", y + 30}};
    for (const auto& [label, rowY] : rows)
        canvas.TextOut(left + 20, rowY, label);
    canvas.Font().SetStyle(0);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Column& column = columns[i];
        canvas.TextOut(columnX(i), y + 20, FormatFloat(RatePattern, column.referenceRate));
        canvas.TextOut(columnX(i), y + 25, FormatFloat(RatePattern, column.referenceRate + spread));
        if (column.paymentDay != nullptr) {
            column.total = column.paymentDay->PMTAmount;
            canvas.TextOut(columnX(i), y + 30, FormatMoney(column.total));
        }
    }

    y += 35;
    for (const TMorvaneInstallmentFee* fee : ActiveFees(mortgage)) {
        canvas.Font().SetStyle(fsBold);
        canvas.TextOut(left + 20, y, fee->FeeDescription);
        canvas.Font().SetStyle(0);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const Currency amount = FeeRunsOn(*fee, columns[i].date)
                                        ? Currency::fromDouble(fee->PaymentAmount)
                                        : Currency();
            canvas.TextOut(columnX(i), y, FormatMoney(amount));
            columns[i].total += amount;
        }
        if (y > 255) {
            form.NewPage();
            y = 80;
        }
        y += 5;
    }

    y += 5;
    canvas.Font().SetStyle(fsBold | fsUnderline);
    canvas.TextOut(left + 20, y, "TOTAL Repayment");
    for (std::size_t i = 0; i < columns.size(); ++i)
        // A column whose ledger day is missing has no repayment to add up.
        if (columns[i].paymentDay != nullptr)
            canvas.TextOut(columnX(i), y, FormatMoney(columns[i].total));
    canvas.Font().SetStyle(0);
}

void DrawClosing(TfmCustomPrintedReport& form, double& y, double today) {
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    TPqCanvas& canvas = form.Canvas();
    const double left = form.BodyLeft();
    if (y > 220) {
        form.NewPage();
        y = 80;
    }
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(left + 40, y + 10, "Arrears Administration Fee (per arrears notice)");
    canvas.TextOut(left + 125, y + 10, FormatMoney(configuration.AdminFeeAmountAt(TDate(today))));
    canvas.Font().SetStyle(0);
    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    form.TextOutCentred("Note: The repayment and loan term amount are only valid for the "
                        "interest rate specified above.",
                        y + 5);
    canvas.SetCoordsRelativeTo(base);
    canvas.TextOut(left + 10, y + 35, "Regards");
    canvas.TextOut(left + 10, y + 40, configuration.UserName);
    canvas.TextOut(left + 10, y + 45, configuration.Company);
}

} // namespace

void DrawPaymentChangeBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage) {
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    const double today = Date();

    std::vector<double> dates{today};
    ChangeFlags flags;
    const std::vector<RateChange> rateChanges =
        CollectRateChanges(configuration, mortgage, today, dates, flags);
    CollectFeeChanges(mortgage, today, dates, flags);
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    if (dates.size() > MaxColumns)
        dates.resize(MaxColumns);
    flags.adminFee =
        configuration.InstallmentFeePenalties->LocateNoMove(Variant(TDate(today))) != nullptr;

    const TMorvaneLocalTransactionDay* todayInLedger = LedgerDay(mortgage, today);
    if (todayInLedger == nullptr || LedgerDay(mortgage, today - 1) == nullptr) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "Could not find internal records for the effective date specified.  "
                              "Please select another day.");
        return;
    }

    // Each column's rate, and the ledger day from which the loan instalment at that rate runs.
    const double todaysReferenceRate =
        todayInLedger->ActualRate - mortgage.Contract->RateSpread.value.toDouble();
    std::vector<Column> columns;
    bool databaseFault = false;
    for (const double date : dates) {
        Column column;
        column.date = date;
        const RateChange* applying = ApplyingChange(rateChanges, today, date);
        column.referenceRate = applying != nullptr ? applying->rate : todaysReferenceRate;
        column.paymentDay =
            LedgerDay(mortgage, applying != nullptr ? applying->effectiveFrom + 1 : today);
        databaseFault = databaseFault || column.paymentDay == nullptr;
        columns.push_back(column);
    }
    if (databaseFault)
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "There is an error in the Database. Please notify the distributor ");

    double y = BodyTop;
    DrawChangeIndicator(form, y, flags);
    DrawRepaymentBreakdown(form, y, mortgage, columns, today);
    DrawClosing(form, y, today);
}

} // namespace duebell
