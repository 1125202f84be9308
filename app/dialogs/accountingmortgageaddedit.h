// TfmReportAccountingMortgageAddEdit: one loan's figures in a periodical bookkeeping report,
// on two pages: the cash flow statement (the other payments and the disbursements) and the
// asset and liability statement (the first mortgage's and the finance's charges and
// repayments). The twenty amounts the lender enters are the figures record's own; the
// calculated figures, subtotals and balances are shown read-only.
#pragma once

#include "app/framework/detailform.h"

namespace duebell {

class TfmReportAccountingMortgageAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmReportAccountingMortgageAddEdit();
};

} // namespace duebell
