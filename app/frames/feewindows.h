// The fee windows, registered by name: the instalment-fee list dialog
// ("TfmFeesInstallmentConfig": Configuration > Fees > Instalment Fees, and a new loan's
// instalment fees, the request's loan chosen at once) and the frame of the "Full Fee
// Transactions" tab ("TfmeFeeTransaction").
#pragma once

namespace duebell {

void RegisterFeeWindows();

} // namespace duebell
