#include "domain/accountingreports.h"

#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

namespace duebell {

namespace {

const TMorvaneMortgage* LoanNumbered(const std::string& loanNumber) {
    const TMorvaneData* data = Data();
    return data != nullptr ? data->FindMortgage(loanNumber) : nullptr;
}

} // namespace

void TMorvaneInitialAccountingReport::DeclareProperties(
    TTovPropertyTable<TMorvaneInitialAccountingReport>& table) {
    using T = TMorvaneInitialAccountingReport;
    table.Property("NameOfPurchaser", &T::NameOfPurchaser)
        .Property("DateOfPurchase", &T::DateOfPurchase)
        .Property("PurchasePriceLand", &T::PurchasePriceLand)
        .Property("PurchasePriceBuilding", &T::PurchasePriceBuilding)
        .Property("LegalFeeCost", &T::LegalFeeCost)
        .Property("InspectionReportCost", &T::InspectionReportCost)
        .Property("GovernmentTaxCost", &T::GovernmentTaxCost)
        .Property("OtherCost", &T::OtherCost);
}

void TMorvaneFinalAccountingReport::DeclareProperties(
    TTovPropertyTable<TMorvaneFinalAccountingReport>& table) {
    using T = TMorvaneFinalAccountingReport;
    table.Property("OtherAmount", &T::OtherAmount)
        .Property("DisbursementFirstMortgage", &T::DisbursementFirstMortgage)
        .Property("DisbursementOtherMortgages", &T::DisbursementOtherMortgages)
        .Property("DisbursementJVPayments", &T::DisbursementJVPayments)
        .Property("DisbursementMarketingCosts", &T::DisbursementMarketingCosts)
        .Property("DisbursementFeePaymentsBank", &T::DisbursementFeePaymentsBank)
        .Property("DisbursementFeePaymentsLegal", &T::DisbursementFeePaymentsLegal)
        .Property("DisbursementFeePaymentsTaxes", &T::DisbursementFeePaymentsTaxes)
        .Property("DisbursementFeePaymentsReports", &T::DisbursementFeePaymentsReports)
        .Property("DisbursementOther", &T::DisbursementOther)
        .Property("FirstMortgageInterestCharges", &T::FirstMortgageInterestCharges)
        .Property("FirstMortgageBankCharges", &T::FirstMortgageBankCharges)
        .Property("FirstMortgageAddOther", &T::FirstMortgageAddOther)
        .Property("FirstMortgageRepayments", &T::FirstMortgageRepayments)
        .Property("FirstMortgageLessOther", &T::FirstMortgageLessOther)
        .Property("FinanceDetailsInterestCharges", &T::FinanceDetailsInterestCharges)
        .Property("FinanceDetailsBankCharges", &T::FinanceDetailsBankCharges)
        .Property("FinanceDetailsAddOther", &T::FinanceDetailsAddOther)
        .Property("FinanceDetailsRepayments", &T::FinanceDetailsRepayments)
        .Property("FinanceDetailsLessOther", &T::FinanceDetailsLessOther);
}

std::string TMorvanePeriodicAccountingMortgage::ClientName() const {
    const TMorvaneMortgage* loan = LoanNumbered(LoanNumber);
    return loan != nullptr ? loan->ClientName() : std::string();
}

std::string TMorvanePeriodicAccountingMortgage::ClientName2() const {
    const TMorvaneMortgage* loan = LoanNumbered(LoanNumber);
    return loan != nullptr ? loan->ClientName2() : std::string();
}

std::string TMorvanePeriodicAccountingMortgage::PropertyAddress() const {
    const TMorvaneMortgage* loan = LoanNumbered(LoanNumber);
    return loan != nullptr ? loan->PropertyAddress() : std::string();
}

void TMorvanePeriodicAccountingMortgage::DeclareProperties(
    TTovPropertyTable<TMorvanePeriodicAccountingMortgage>& table) {
    using T = TMorvanePeriodicAccountingMortgage;
    table.Property("LoanNumber", &T::LoanNumber)
        .Property("ClientName", &T::ClientName)
        .Property("ClientName2", &T::ClientName2)
        .Property("PropertyAddress", &T::PropertyAddress);
}

TMorvanePeriodicAccountingReport::TMorvanePeriodicAccountingReport(TTovObjectItem* owner)
    : TTovRecord(owner),
      Mortgages(MakeOwnedObjectList<TMorvanePeriodicAccountingMortgage>("LoanNumber")) {}

void TMorvanePeriodicAccountingReport::DeclareProperties(
    TTovPropertyTable<TMorvanePeriodicAccountingReport>& table) {
    using T = TMorvanePeriodicAccountingReport;
    table.Property("AccountingReportNo", &T::AccountingReportNo)
        .Property("StartDate", &T::StartDate)
        .Property("EndDate", &T::EndDate)
        .Property("ReportStatus", &T::ReportStatus)
        .ChildList("Mortgages", &T::Mortgages);
}

} // namespace duebell
