// An alert: a notice that falls due on a loan, raised from its ledger. Current alerts live in
// memory; the ones the user cleared are stored with the loan book.
#pragma once

#include "domain/enums.h"
#include "objectlist/objectitem.h"

#include <cstdint>
#include <string>

namespace duebell {

class TMorvaneAlert : public TTovRecord<TMorvaneAlert> {
public:
    using TTovRecord::TTovRecord;

    std::string LoanNumber;
    std::string PropertyAddress;
    std::string ClientName;
    std::string AlertMessage;
    TMorvaneAlertType AlertType = atStatementDue;
    TMorvaneMortgageStatus MortgageStatus = msAhead;
    std::int32_t StatementNumber = 0;
    std::int32_t FeeNumber = 0;
    TDate FeeTransactionDate;
    TDateTime AlertDay;

    static void DeclareProperties(TTovPropertyTable<TMorvaneAlert>& table);
};

} // namespace duebell
