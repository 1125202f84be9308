#include "domain/ledgerbuild.h"

#include "domain/configuration.h"
#include "domain/ledgerinputs.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/processobjects.h"
#include "domain/schedule.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace duebell {

namespace {

const std::string InterestText = "Interest";
const std::string MovedInterestText = "Interest- Effective Date: ";
const std::string RateChangeText = "Interest Rate Change";
const std::string ClosingBalanceText = "Closing Balance";

// Statements fall due at most six months apart, so a ledger ends within this many days after
// today plus one year.
constexpr TDayNumber LongestStatementPeriod = 186;

// Nearest whole number, ties to even, as the FPU rounds a Currency. Adding and taking away
// 1.5 x 2^52 leaves a double of this size no fraction to keep; larger values take the library.
double RoundHalfEven(double value) {
    constexpr double Shift = 6755399441055744.0;
    return std::fabs(value) < 1e15 ? (value + Shift) - Shift : std::nearbyint(value);
}

// A day's interest on an amount, to the nearest 0.0001, ties to even.
Currency DayInterest(double dailyRate, Currency amount) {
    return Currency::fromRawDouble(RoundHalfEven(dailyRate * static_cast<double>(amount.raw())));
}

using Entry = TLedgerInputs::Entry;

// Entries in date order, taken day by day as the build walks the calendar. Entries dated
// before the ledger's first day are passed over: no day of the ledger meets them.
class TDayQueue {
public:
    TDayQueue() = default;
    TDayQueue(const std::vector<Entry>& entries, TDayNumber firstDay) : entries_(&entries) {
        while (next_ < entries.size() && entries[next_].Date < firstDay) {
            ++next_;
        }
    }

    bool Due(TDayNumber d) const {
        return entries_ != nullptr && next_ < entries_->size() && (*entries_)[next_].Date == d;
    }

    // The entries dated d, the days before having been taken.
    std::span<const Entry> Take(TDayNumber d) {
        const std::size_t from = next_;
        while (next_ < entries_->size() && (*entries_)[next_].Date == d) {
            ++next_;
        }
        return {entries_->data() + from, next_ - from};
    }

private:
    const std::vector<Entry>* entries_ = nullptr;
    std::size_t next_ = 0;
};

} // namespace

// The running values of one build and the steps of one day, in the order they happen.
class TLedgerBuilder {
public:
    TLedgerBuilder(TMorvaneMortgage& loan, const TCalculationContext& context,
                   const TMorvaneMortgageRate* rates, TLedger storage);
    TLedger Run();

private:
    struct OpenAdminFee {
        Currency Left;
        const Entry* Fee;
    };

    std::size_t RecordIndex(TDayNumber date);
    TLedgerDay& Current() { return ledger_.days_[current_]; }
    void MakeCurrent(TDayNumber date) { current_ = RecordIndex(date); }
    void WriteBalances();
    void AddMovement(TMorvaneLocalTransactionType type, const std::string& text, Currency amount,
                     double dateAdded, Currency rate = Currency());
    void SetRate(Currency rate);

    void OpenDay(TDayNumber d);
    void ChargeInstalmentFees(TDayNumber d);
    void ChargeAdminFees(TDayNumber d);
    void ApplyPayment(const Entry& payment);
    void PassPaymentDate();
    void PostInterest(TDayNumber d);
    void AccrueInterest(TDayNumber d);
    bool RateChangeDue(TDayNumber d) const {
        return nextRateChange_ < inputs_.RateChanges.size() &&
               inputs_.RateChanges[nextRateChange_].EffectiveFrom == d;
    }
    void ChangeRate(TDayNumber d);
    void ChargeFullFees(TDayNumber d);
    void ApplyFullFeePayments(TDayNumber d);
    void CloseDay(TDayNumber d);

    const TCalculationContext& context_;
    TLedgerInputs inputs_;
    TLedger ledger_;
    std::size_t current_ = 0;

    int paymentPeriod_;
    int statementPeriod_;
    int perYear_;
    int paymentCount_;       // over the whole term
    int instalmentPayments_; // the payments instalment_ repays principal_ in
    TDayNumber first_;
    TDayNumber last_;
    TDayNumber todayPlusYear_;

    Currency principal_;
    Currency balance_;
    Currency shadowBalance_;
    Currency feeBalance_;
    Currency rateSpread_;
    Currency rate_;
    Currency instalment_; // of principal_ at rate_
    TDayNumber periodStart_;
    TDayNumber nextPaymentDate_;
    int interestCount_ = 1;
    TDayNumber nextInterestDate_;
    TDayNumber nextStatementDate_;
    int statementsPassed_ = 0;
    int paymentsPassed_ = -1;
    Currency accruedInterest_;
    Currency accruedShadowInterest_;

    TDayNumber nextYearStart_ = TLedgerDay::NoDay; // the year of the daily rate ends here
    int daysInYear_ = 365;
    double dailyRate_ = 0.0;

    std::vector<OpenAdminFee> openAdminFees_;
    std::vector<Currency> feeArrears_; // outstanding instalments, like inputs_.InstalmentFees
    Currency feeArrearsTotal_;         // their sum
    // Today is an interest date that is no business day: its interest was posted on this
    // later day, NoDay otherwise.
    TDayNumber postedAheadTo_ = TLedgerDay::NoDay;
    TDayQueue payments_;
    TDayQueue adminFees_;
    TDayQueue fullFees_;
    TDayQueue fullFeePayments_;
    std::size_t nextRateChange_ = 0;
};

TLedgerBuilder::TLedgerBuilder(TMorvaneMortgage& loan, const TCalculationContext& context,
                               const TMorvaneMortgageRate* rates, TLedger storage)
    : context_(context), ledger_(std::move(storage)) {
    ledger_.days_.clear();
    ledger_.movements_.clear();
    for (TTovObjectItem* item : *loan.InstallmentFees) {
        auto* fee = static_cast<TMorvaneInstallmentFee*>(item);
        fee->PaymentsCharged = 0;
        fee->AmountPaid = 0.0;
    }
    loan.CheckContract();
    const TMorvaneContract& contract = *loan.Contract;
    paymentPeriod_ = contract.PaymentPeriodIndex();
    if (paymentPeriod_ < 0) {
        throw InternalError("Unknown frequency");
    }
    statementPeriod_ = StatementPeriodIndex(contract.StatementPeriod);
    perYear_ = PeriodsPerYear[paymentPeriod_];
    paymentCount_ = contract.ContractTerm * perYear_;
    instalmentPayments_ = paymentCount_;
    first_ = DayOf(contract.PossessionDate);
    last_ = IncDate(duYears, contract.ContractTerm, first_);
    todayPlusYear_ = IncDate(duYears, 1, context.Today);

    principal_ = contract.ContractAmount - contract.Deposit;
    balance_ = principal_;
    shadowBalance_ = principal_;
    rateSpread_ = contract.RateSpread.value;
    SetRate(contract.ReferenceRate.value + rateSpread_);
    periodStart_ = first_;
    nextPaymentDate_ = NextPaymentDate(paymentPeriod_, first_);
    nextInterestDate_ = IncDate(duMonths, interestCount_, first_);
    nextStatementDate_ = NthStatementDate(statementPeriod_, 1, first_);

    inputs_ = GatherLedgerInputs(loan, context.Configuration, context.Calendar, rates);
    payments_ = TDayQueue(inputs_.Payments, first_);
    adminFees_ = TDayQueue(inputs_.AdminFees, first_);
    fullFees_ = TDayQueue(inputs_.FullFees, first_);
    fullFeePayments_ = TDayQueue(inputs_.FullFeePayments, first_);
    while (nextRateChange_ < inputs_.RateChanges.size() &&
           inputs_.RateChanges[nextRateChange_].EffectiveFrom < first_) {
        ++nextRateChange_; // effective before the draw-down date: never met
    }
    feeArrears_.resize(inputs_.InstalmentFees.size());
    if (last_ >= first_) {
        const TDayNumber end = std::clamp(todayPlusYear_ + LongestStatementPeriod, first_, last_);
        const auto days = static_cast<std::size_t>(end - first_);
        ledger_.days_.reserve(days + 8);
        // A movement per entry, and an interest posting and a closing marker up to once a
        // month: grown one copy at a time, the movements would take fresh memory twice over.
        const std::size_t entries = inputs_.Payments.size() + inputs_.AdminFees.size() +
                                    inputs_.FullFees.size() + inputs_.FullFeePayments.size() +
                                    inputs_.RateChanges.size();
        ledger_.movements_.reserve(entries + 2 * (days / 28 + 1));
    }
}

TLedger TLedgerBuilder::Run() {
    for (TDayNumber d = first_; d <= last_; ++d) {
        OpenDay(d);
        if (d == periodStart_ + 1) {
            ChargeInstalmentFees(d);
        }
        if (adminFees_.Due(d)) {
            ChargeAdminFees(d);
        }
        for (const Entry& payment : payments_.Take(d)) {
            ApplyPayment(payment);
        }
        if (d >= nextPaymentDate_) {
            PassPaymentDate();
        }
        if (d >= nextInterestDate_) {
            PostInterest(d);
        }
        if (d == nextStatementDate_ - 1) {
            AddMovement(ltClosingBalance, ClosingBalanceText, Currency(), 0.0);
        }
        if (d == nextStatementDate_) {
            // Counted from the draw-down, as the statements print, so month ends do not drift.
            nextStatementDate_ =
                NthStatementDate(statementPeriod_, ++statementsPassed_ + 1, first_);
            if (d > todayPlusYear_) {
                break; // the rest of this day is not built
            }
        }
        AccrueInterest(d);
        if (RateChangeDue(d)) {
            ChangeRate(d);
        }
        if (fullFees_.Due(d)) {
            ChargeFullFees(d);
        }
        if (fullFeePayments_.Due(d)) {
            ApplyFullFeePayments(d);
        }
        CloseDay(d);
    }
    // Days past the last one built that no interest posting made.
    std::erase_if(ledger_.days_,
                  [](const TLedgerDay& day) { return day.Date == TLedgerDay::NoDay; });
    return std::move(ledger_);
}

std::size_t TLedgerBuilder::RecordIndex(TDayNumber date) {
    auto& days = ledger_.days_;
    const auto index = static_cast<std::size_t>(date - first_);
    if (index == days.size()) {
        days.emplace_back();
    } else if (index > days.size()) {
        days.resize(index + 1); // an interest posting day made ahead
    }
    days[index].Date = date;
    return index;
}

void TLedgerBuilder::WriteBalances() {
    TLedgerDay& day = Current();
    day.Balance = balance_;
    day.ShadowBalance = shadowBalance_;
    day.FeeBalance = feeBalance_;
    day.InstalmentFeeArrears = feeArrearsTotal_;
}

void TLedgerBuilder::AddMovement(TMorvaneLocalTransactionType type, const std::string& text,
                                 Currency amount, double dateAdded, Currency rate) {
    ledger_.movements_.push_back({Current().Date, type, text, amount, rate, dateAdded});
}

void TLedgerBuilder::SetRate(Currency rate) {
    rate_ = rate;
    instalment_ = Instalment(principal_, rate_.toDouble(), perYear_, instalmentPayments_);
    dailyRate_ = rate_.toDouble() / 100 / daysInYear_;
}

// Step 1: the day's record, with the running figures so far.
void TLedgerBuilder::OpenDay(TDayNumber d) {
    MakeCurrent(d);
    WriteBalances();
    Current().ActualRate = rate_;
    Current().PMTAmount = instalment_;
}

// Step 2, the day after a contract payment date: every running instalment fee charges its
// instalment for the coming payment date.
void TLedgerBuilder::ChargeInstalmentFees(TDayNumber d) {
    ++paymentsPassed_;
    const auto due = static_cast<double>(nextPaymentDate_);
    for (std::size_t i = 0; i < inputs_.InstalmentFees.size(); ++i) {
        const TLedgerInputs::InstalmentFee& fee = inputs_.InstalmentFees[i];
        if (fee.FirstPaymentDate > due || fee.LastPaymentDate < due ||
            (fee.StopLastPaymentDate != 0 && fee.StopLastPaymentDate < due)) {
            continue;
        }
        feeArrears_[i] += fee.Amount;
        feeArrearsTotal_ += fee.Amount;
        if (fee.FirstPaymentDate + d - fee.Fee->TransactionDate.value < context_.Today) {
            ++fee.Fee->PaymentsCharged;
        }
        AddMovement(ltInstallmentFee, fee.Fee->FeeDescription, fee.Amount, 0.0);
    }
}

// Step 3: arrears administration fees charged today are owed from now on.
void TLedgerBuilder::ChargeAdminFees(TDayNumber d) {
    for (const Entry& fee : adminFees_.Take(d)) {
        openAdminFees_.push_back({fee.Amount, &fee});
        AddMovement(ltAdminFee, fee.Text, fee.Amount, fee.DateAdded);
    }
}

// Step 4: a payment settles open administration fees (oldest first), then instalment-fee
// arrears (lowest priority first), and what is left goes to the loan. The walks take only
// positive amounts and end with the fees, whatever the sign of the payment.
void TLedgerBuilder::ApplyPayment(const Entry& payment) {
    Currency left = payment.Amount;
    for (OpenAdminFee& fee : openAdminFees_) {
        if (left.isZero()) {
            break;
        }
        const Currency take = std::min(left, fee.Left);
        if (take > Currency()) {
            left -= take;
            fee.Left -= take;
            AddMovement(ltAdminFeePayment, fee.Fee->Text, take, fee.Fee->DateAdded);
        }
    }
    std::erase_if(openAdminFees_, [](const OpenAdminFee& fee) { return fee.Left.isZero(); });

    for (std::size_t i = 0; i < feeArrears_.size(); ++i) {
        if (left.isZero()) {
            break;
        }
        const Currency take = std::min(left, feeArrears_[i]);
        if (take > Currency()) {
            TMorvaneInstallmentFee& fee = *inputs_.InstalmentFees[i].Fee;
            fee.AmountPaid += take.toDouble();
            feeArrears_[i] -= take;
            feeArrearsTotal_ -= take;
            left -= take;
            AddMovement(ltInstallmentFeePayment, fee.FeeDescription, take, payment.DateAdded);
        }
    }

    balance_ -= left;
    WriteBalances();
    AddMovement(ltLoanPayment, payment.Text, left, payment.DateAdded);
}

// Step 5: a contract payment date takes the instalment off the scheduled balance.
void TLedgerBuilder::PassPaymentDate() {
    periodStart_ = nextPaymentDate_;
    nextPaymentDate_ = NextPaymentDate(paymentPeriod_, nextPaymentDate_);
    shadowBalance_ -= Current().PMTAmount;
}

// Step 6: a month's interest is added to both balances and posted on the next business day,
// whose record becomes current (made ahead when that day is yet to come).
void TLedgerBuilder::PostInterest(TDayNumber d) {
    balance_ += accruedInterest_;
    shadowBalance_ += accruedShadowInterest_;
    const TDayNumber postingDay = context_.Calendar.NextBusinessDay(d);
    if (postingDay != d) {
        postedAheadTo_ = postingDay;
    }
    MakeCurrent(postingDay);
    WriteBalances();
    AddMovement(ltLoanInterest, postingDay == d ? InterestText : MovedInterestText + DateToStr(d),
                accruedInterest_, 0.0);
    accruedInterest_ = Currency();
    accruedShadowInterest_ = Currency();
    ++interestCount_;
    nextInterestDate_ = IncDate(duMonths, interestCount_, first_);
}

// Step 9: a day's interest at the rate over the days of the calendar year.
void TLedgerBuilder::AccrueInterest(TDayNumber d) {
    if (d >= nextYearStart_) {
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(d, year, month, day);
        nextYearStart_ = DayOf(EncodeDate(year + 1, 1, 1));
        daysInYear_ = IsLeapYear(year) ? 366 : 365;
        dailyRate_ = rate_.toDouble() / 100 / daysInYear_;
    }
    const Currency interest = DayInterest(dailyRate_, balance_);
    accruedInterest_ += interest;
    accruedShadowInterest_ += DayInterest(dailyRate_, shadowBalance_);
    Current().DailyInterest = interest;
    Current().AccumulatedInterest = accruedInterest_;
}

// Step 10: a rate change taking effect today sets the rate from tomorrow's interest on and
// re-amortises the scheduled balance.
void TLedgerBuilder::ChangeRate(TDayNumber d) {
    TMorvaneRateChange& change = *inputs_.RateChanges[nextRateChange_++].Change;
    const Currency rate = change.Rate.value + rateSpread_;
    Current().ActualRate = rate;
    // The contract's term stays: the scheduled balance is repaid in the payments left, and the
    // schedule expects from now on the very payment the change announces.
    principal_ = shadowBalance_;
    instalmentPayments_ = paymentCount_ - paymentsPassed_;
    SetRate(rate);
    change.NewPaymentAmount = instalment_;
    MakeCurrent(d);
    WriteBalances();
    AddMovement(ltRateChange, RateChangeText, Currency(), change.DateAdded.value, rate);
}

// Step 11: full fees charged today.
void TLedgerBuilder::ChargeFullFees(TDayNumber d) {
    for (const Entry& fee : fullFees_.Take(d)) {
        feeBalance_ += fee.Amount;
        MakeCurrent(d);
        WriteBalances();
        AddMovement(ltFee, fee.Text, fee.Amount, fee.DateAdded);
    }
}

// Step 12: payments made today against full fees.
void TLedgerBuilder::ApplyFullFeePayments(TDayNumber d) {
    for (const Entry& payment : fullFeePayments_.Take(d)) {
        feeBalance_ -= payment.Amount;
        MakeCurrent(d);
        WriteBalances();
        AddMovement(ltFeePayment, payment.Text, payment.Amount, payment.DateAdded);
    }
}

// Step 13: the day's closing figures. An interest date that is no business day owes the
// interest posted ahead and its own day's interest, whatever else was recorded that day: its
// own record holds the balance from before the posting (or, once a rate change or full fee
// made it current again, the balance with the posting), and its accrued interest is what that
// balance still lacks.
void TLedgerBuilder::CloseDay(TDayNumber d) {
    WriteBalances();
    Current().ActualRate = rate_;
    if (postedAheadTo_ != TLedgerDay::NoDay) {
        const Currency dayInterest = ledger_.days_[RecordIndex(postedAheadTo_)].DailyInterest;
        TLedgerDay& day = ledger_.days_[RecordIndex(d)];
        day.InstalmentFeeArrears = feeArrearsTotal_;
        day.DailyInterest = dayInterest;
        day.AccumulatedInterest = accruedInterest_ + (balance_ - day.Balance);
        postedAheadTo_ = TLedgerDay::NoDay;
    }
}

TLedger BuildLoanLedger(TMorvaneMortgage& loan, const TCalculationContext& context,
                        TLedger storage) {
    return BuildLoanLedger(loan, context, FindMortgageRates(loan, context.Configuration),
                           std::move(storage));
}

TLedger BuildLoanLedger(TMorvaneMortgage& loan, const TCalculationContext& context,
                        const TMorvaneMortgageRate* rates, TLedger storage) {
    return TLedgerBuilder(loan, context, rates, std::move(storage)).Run();
}

void RebuildLedger(TMorvaneMortgage& loan, const TCalculationContext& context) {
    TLedger storage = loan.LocalTransactionDays.Release();
    loan.LocalTransactionDays.Assign(BuildLoanLedger(loan, context, std::move(storage)), &loan);
}

void TMorvaneMortgage::BuildLedger() {
    RebuildLedger(*this, TCalculationContext(Configuration(), Date()));
}

bool TMorvaneMortgage::LedgerHoldsTodayAndYesterday() const {
    const TLedger& ledger = LocalTransactionDays.Ledger();
    const TDayNumber today = DayOf(Date());
    return ledger.Find(today) != nullptr && ledger.Find(today - 1) != nullptr;
}

} // namespace duebell
