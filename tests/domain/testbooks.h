// A full loan book and a full configuration built in code: every class, every stored
// property set to a value of its own, texts that need escaping, and values a file holds
// exactly (whole days, whole seconds, doubles of at most 15 digits).
#pragma once

#include "domain/accountingreports.h"
#include "domain/alert.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"

#include <string>

namespace duebell::testing {

inline TDate Day(int year, int month, int day) {
    return TDate(EncodeDate(year, month, day));
}

inline TDateTime Moment(int year, int month, int day, int hour, int minute, int second) {
    return TDateTime(EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0));
}

inline Currency Money(std::int64_t cents) {
    return Currency::fromRaw(cents * 100);
}

inline void FillAddress(TMorvaneAddress& address, const std::string& tag) {
    address.UnstructuredAddress = "Unit 4,\r\nThe \"Grange\" & <Annex> " + tag;
    address.StreetNo = "  12A ";
    address.StreetName = "Main St " + tag;
    address.Suburb = "Café Hill";
    address.State = "QLD";
    address.PostCode = "4000";
}

inline void FillContact(TMorvaneContactDetails& contact, const std::string& tag) {
    contact.PhoneNo = "07 3123 4567";
    contact.FaxNo = "07 3123 4568";
    contact.MobileNo = "0412 345 678";
    contact.EmailAddress = tag + "@example.com";
    contact.WebAddress = "https://example.com/?a=1&b=2";
}

inline TMorvaneMortgage* AddFullLoan(TMorvaneData& data, const std::string& number) {
    auto loan = MakeItem<TMorvaneMortgage>(&data);
    loan->LoanNumber = number;
    loan->PropertyCode = "0000001";
    loan->ClientCode = "0000001";
    loan->LastFeeNumber = 2;
    loan->LastStatementNumber = 3;
    loan->RateChangePeriod = 30;
    TMorvaneContract& contract = *loan->Contract;
    contract.PossessionDate = Day(2020, 1, 31);
    contract.ContractAmount = Money(25000000);
    contract.Deposit = Currency::fromRaw(250005000); // 25000.50
    contract.ContractTerm = 25;
    contract.ReferenceRate = TPercentage{Currency::fromRaw(72500)};
    contract.RateSpread = TPercentage{Currency::fromRaw(15000)};
    contract.PaymentPeriod = "Fortnightly";
    contract.StatementPeriod = "Quarterly";
    TMorvaneBankDetails& bank = *loan->BankDetails;
    bank.BankName = "Bank of Hilltop";
    bank.BranchName = "Main Street";
    bank.AccountName = "A & B Nguyen";
    bank.BSBNo = "064-000";
    bank.AccountNo = "12345678";

    for (int i = 0; i < 3; ++i) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(loan.get());
        payment->TransactionDate = Day(2020, 2, 14 + 14 * (i / 2));
        payment->DateAdded = Moment(2020, 2, 14, 9, i, 30);
        payment->PaymentType = "Payment";
        payment->Rate = TPercentage{Currency::fromRaw(87500)};
        payment->TransactionAmount = Currency::fromRaw(8654321 + i);
        loan->LoanTransactions->Add(std::move(payment));
    }
    for (int i = 0; i < 2; ++i) {
        auto fee = MakeItem<TMorvaneInstallmentFee>(loan.get());
        fee->UserPaymentAmount = Money(50000 + i);
        fee->UserNumberOfPayments = 10 + i;
        fee->UserPaymentPeriod = i == 0 ? "Monthly" : "Quarterly";
        fee->FeeDescription = i == 0 ? "Legal Fees" : "Valuation";
        fee->TransactionDate = Day(2020, 4, 1 + i);
        fee->NumberOfPayments = 22 + i;
        fee->PaymentAmount = 227.272727272727;
        fee->StopTransactionDate = Moment(2021, 1, 4, 10, 20, 30);
        fee->StopLastPaymentDate = Moment(2021, 1, 11, 0, 0, 0);
        loan->InstallmentFees->Add(std::move(fee));
    }
    auto feeCharge = MakeItem<TMorvaneFeeTransaction>(loan.get());
    feeCharge->TransactionDate = Day(2020, 4, 1);
    feeCharge->FeeDescription = "Legal Fees";
    feeCharge->FeeAmount = Money(360000);
    feeCharge->DateAdded = Moment(2020, 4, 1, 11, 11, 11);
    loan->InstallmentFeeTransactions->Add(std::move(feeCharge));

    auto adminFee = MakeItem<TMorvaneAdminFeeTransaction>(loan.get());
    adminFee->TransactionDate = Moment(2021, 6, 1, 0, 0, 0);
    adminFee->FeeDescription = "Loan Arrears";
    adminFee->FeeAmount = Money(3000);
    adminFee->AmountLeft = Money(1250);
    adminFee->DateAdded = Moment(2021, 6, 1, 14, 45, 0);
    loan->AdminFeeTransactions->Add(std::move(adminFee));

    for (int number = 1; number <= 2; ++number) {
        auto fee = MakeItem<TMorvaneFeeTransaction>(loan.get());
        fee->FeeNumber = number;
        fee->TransactionDate = Day(2020, 6, 15 * number);
        fee->FeeDescription = number == 1 ? "Council Rates" : "Insurance";
        fee->FeeAmount = Currency::fromRaw(8452000 * number);
        fee->DateAdded = Moment(2020, 6, 15 * number, 10, 0, 0);
        for (int p = 0; p < number; ++p) {
            auto payment = MakeItem<TMorvaneFeePayment>(fee.get());
            payment->TransactionDate = Moment(2020, 7, 1 + p, 0, 0, 0);
            payment->FeePaymentAmount = Currency::fromRaw(3001000 + p);
            payment->DateAdded = Moment(2020, 7, 1 + p, 9, 30, 0);
            fee->FeePayments->Add(std::move(payment));
        }
        loan->FeeTransactions->Add(std::move(fee));
    }
    for (int number = 1; number <= 3; ++number) {
        auto statement = MakeItem<TMorvaneIssuedStatement>(loan.get());
        statement->StatementNumber = number;
        loan->IssuedStatements->Add(std::move(statement));
    }
    TMorvaneInitialAccountingReport& initial = *loan->InitialAccountingReport;
    initial.NameOfPurchaser = "Anh Thi Nguyen";
    initial.DateOfPurchase = Moment(2020, 1, 20, 0, 0, 0);
    initial.PurchasePriceLand = Money(12000000);
    initial.PurchasePriceBuilding = Money(13000000);
    initial.LegalFeeCost = Money(145055);
    initial.InspectionReportCost = Money(45000);
    initial.GovernmentTaxCost = Money(875000);
    initial.OtherCost = Money(1);
    // Every final figure a different amount, through the property table.
    int cents = 101;
    for (const TTovPropInfo* prop : loan->FinalAccountingReport->ItemManager().Properties()) {
        prop->SetCurrency(*loan->FinalAccountingReport, Money(cents));
        cents += 101;
    }
    return data.Mortgages->Add(std::move(loan));
}

inline void BuildFullLoanBook(TMorvaneData& data) {
    for (int i = 1; i <= 2; ++i) {
        auto property = MakeItem<TMorvaneProperty>(&data);
        property->PropertyCode = "000000" + std::to_string(i);
        FillAddress(*property->Address, "P" + std::to_string(i));
        data.Properties->Add(std::move(property));

        auto client = MakeItem<TMorvaneClient>(&data);
        client->ClientCode = "000000" + std::to_string(i);
        client->Surname = "Nguyen";
        client->GivenNames = "Anh Thi";
        client->Surname2 = "Tran";
        client->GivenNames2 = "Bình";
        FillContact(*client->ContactDetails, "client" + std::to_string(i));
        FillAddress(*client->PostalAddress, "C" + std::to_string(i));
        data.Clients->Add(std::move(client));
    }
    AddFullLoan(data, "0000001");
    auto bare = MakeItem<TMorvaneMortgage>(&data);
    bare->LoanNumber = "0000002";
    data.Mortgages->Add(std::move(bare));

    const TMorvaneAlertType types[] = {atLoanArrears, atFeeArrears};
    for (int i = 0; i < 2; ++i) {
        auto alert = MakeItem<TMorvaneAlert>(&data);
        alert->LoanNumber = "0000001";
        alert->PropertyAddress = "12 Main St, Hilltop, QLD, 4000";
        alert->ClientName = "Nguyen, Anh Thi";
        alert->AlertMessage =
            i == 0 ? "ARREARS notice for LOAN now due" : "DEFAULT notice for FEE \"1\" now due";
        alert->AlertType = types[i];
        alert->MortgageStatus = i == 0 ? msInArrears : msDefaulted;
        alert->StatementNumber = 4 + i;
        alert->FeeNumber = i;
        alert->FeeTransactionDate = Day(2020, 6, 15);
        alert->AlertDay = Moment(2021, 7, 14 + i, 0, 0, 0);
        data.ClearedDuebells->Add(std::move(alert));
    }
}

inline void BuildFullConfiguration(TMorvaneConfiguration& config) {
    config.UserName = "Margaret Lee";
    config.Company = "Lee Home Finance Pty Ltd";
    config.OperatingNumber = "ACL 123456";
    FillAddress(*config.Address, "office");
    FillContact(*config.ContactDetails, "office");
    TMorvaneSystemConfiguration& system = *config.SystemConfiguration;
    system.DefaultPeriod = 10;
    system.ForeclosePeriod = 20;
    system.EvictionPeriod = 30;
    system.InstallmentFeePeriod = 14;
    system.FinancialYearDay = 1;
    system.FinancialYearMonth = 7;
    system.AccountingReportPeriod = 3;
    system.FirstAccountingYear = 2020;

    const char* fees[] = {"Insurance", "Council Rates"};
    for (int i = 0; i < 2; ++i) {
        auto fee = MakeItem<TMorvaneFeeConfiguration>(&config);
        fee->FeeDescription = fees[i];
        fee->NoticePeriod = 14 + 16 * i;
        config.FeeList->Add(std::move(fee));
    }
    auto rates = MakeItem<TMorvaneMortgageRate>(&config);
    rates->LoanNumber = "0000001";
    for (int i = 0; i < 2; ++i) {
        auto change = MakeItem<TMorvaneRateChange>(rates.get());
        change->TransactionDate = Day(2021, 2 + i, 1);
        change->Rate = TPercentage{Currency::fromRaw(68500 + i * 2500)};
        change->NewPaymentAmount = Currency::fromRaw(8013700 + i);
        change->DateAdded = Moment(2021, 2 + i, 1, 8, 0, 0);
        rates->RateChanges->Add(std::move(change));
    }
    config.MortgageRates->Add(std::move(rates));

    auto holiday = MakeItem<TMorvanePublicHoliday>(&config);
    holiday->TransactionDate = Day(2024, 4, 25);
    holiday->Description = "Anzac Day";
    config.PublicHolidayList->Add(std::move(holiday));
    const std::pair<int, int> recurring[] = {{12, 25}, {12, 26}, {1, 1}};
    for (const auto& [month, day] : recurring) {
        auto entry = MakeItem<TMorvaneRecurringPublicHoliday>(&config);
        entry->Month = month;
        entry->Day = day;
        entry->Description = "Holiday " + std::to_string(day);
        config.RecurringPublicHolidayList->Add(std::move(entry));
    }
    const std::pair<TDate, std::int64_t> penalties[] = {{Day(2020, 1, 1), 2550},
                                                        {Day(2022, 7, 1), 3500}};
    for (const auto& [date, cents] : penalties) {
        auto entry = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(&config);
        entry->TransactionDate = date;
        entry->PenaltyAmount = Money(cents);
        config.InstallmentFeePenalties->Add(std::move(entry));
    }
    auto report = MakeItem<TMorvanePeriodicAccountingReport>(&config);
    report->AccountingReportNo = 1;
    report->StartDate = Moment(2020, 7, 1, 0, 0, 0);
    report->EndDate = Moment(2020, 9, 30, 23, 59, 59);
    report->ReportStatus = "Final";
    auto line = MakeItem<TMorvanePeriodicAccountingMortgage>(report.get());
    line->LoanNumber = "0000001";
    line->OtherAmount = Money(500);
    line->FinanceDetailsRepayments = Money(259629);
    report->Mortgages->Add(std::move(line));
    config.AccountingPeriodicalReports->Add(std::move(report));
}

} // namespace duebell::testing
