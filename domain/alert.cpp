#include "domain/alert.h"

namespace duebell {

void TMorvaneAlert::DeclareProperties(TTovPropertyTable<TMorvaneAlert>& table) {
    using T = TMorvaneAlert;
    table.Property("LoanNumber", &T::LoanNumber)
        .Property("PropertyAddress", &T::PropertyAddress)
        .Property("ClientName", &T::ClientName)
        .Property("AlertMessage", &T::AlertMessage)
        .Property("AlertType", &T::AlertType)
        .Property("MortgageStatus", &T::MortgageStatus)
        .Property("StatementNumber", &T::StatementNumber)
        .Property("FeeNumber", &T::FeeNumber)
        .Property("FeeTransactionDate", &T::FeeTransactionDate)
        .Property("AlertDay", &T::AlertDay);
}

} // namespace duebell
