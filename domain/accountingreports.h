// The bookkeeping figures of a loan (initial and final) and the periodical bookkeeping
// reports of the configuration.
#pragma once

#include "objectlist/objectlist.h"

#include <cstdint>
#include <string>

namespace duebell {

class TMorvaneInitialAccountingReport : public TTovRecord<TMorvaneInitialAccountingReport> {
public:
    using TTovRecord::TTovRecord;

    std::string NameOfPurchaser;
    TDateTime DateOfPurchase;
    Currency PurchasePriceLand;
    Currency PurchasePriceBuilding;
    Currency LegalFeeCost;
    Currency InspectionReportCost;
    Currency GovernmentTaxCost;
    Currency OtherCost;

    static void DeclareProperties(TTovPropertyTable<TMorvaneInitialAccountingReport>& table);
};

class TMorvaneFinalAccountingReport : public TTovRecord<TMorvaneFinalAccountingReport> {
public:
    using TTovRecord::TTovRecord;

    Currency OtherAmount;
    Currency DisbursementFirstMortgage;
    Currency DisbursementOtherMortgages;
    Currency DisbursementJVPayments;
    Currency DisbursementMarketingCosts;
    Currency DisbursementFeePaymentsBank;
    Currency DisbursementFeePaymentsLegal;
    Currency DisbursementFeePaymentsTaxes;
    Currency DisbursementFeePaymentsReports;
    Currency DisbursementOther;
    Currency FirstMortgageInterestCharges;
    Currency FirstMortgageBankCharges;
    Currency FirstMortgageAddOther;
    Currency FirstMortgageRepayments;
    Currency FirstMortgageLessOther;
    Currency FinanceDetailsInterestCharges;
    Currency FinanceDetailsBankCharges;
    Currency FinanceDetailsAddOther;
    Currency FinanceDetailsRepayments;
    Currency FinanceDetailsLessOther;

    static void DeclareProperties(TTovPropertyTable<TMorvaneFinalAccountingReport>& table);
};

// One loan's figures in a periodical report: the final figures, then the loan they belong to.
class TMorvanePeriodicAccountingMortgage
    : public TTovRecord<TMorvanePeriodicAccountingMortgage, TMorvaneFinalAccountingReport> {
public:
    using TTovRecord::TTovRecord;

    std::string LoanNumber;

    // The loan's client names and property address, through the loan of that number in the
    // loan book; empty when there is no such loan.
    std::string ClientName() const;
    std::string ClientName2() const;
    std::string PropertyAddress() const;

    static void DeclareProperties(TTovPropertyTable<TMorvanePeriodicAccountingMortgage>& table);
};

class TMorvanePeriodicAccountingReport : public TTovRecord<TMorvanePeriodicAccountingReport> {
public:
    explicit TMorvanePeriodicAccountingReport(TTovObjectItem* owner);

    std::int32_t AccountingReportNo = 0;
    TDateTime StartDate;
    TDateTime EndDate;
    std::string ReportStatus;
    TTovOwnedObjectList Mortgages; // TMorvanePeriodicAccountingMortgage by "LoanNumber"

    static void DeclareProperties(TTovPropertyTable<TMorvanePeriodicAccountingReport>& table);
};

} // namespace duebell
