// What a deleted loan leaves behind. Alerts, cleared alerts and the rate history are kept by
// loan number, and the next loan added takes the number of a deleted last loan: left in
// place, they would pass to it (old rate changes in its ledger, its statement alert hidden by
// an old cleared one). A rate history written at once for a loan that was never saved is
// left behind the same way, so a new loan forgets what its number holds too.
#pragma once

#include <string>

namespace duebell {

class TMorvaneConfiguration;
class TMorvaneData;

// Drops the loan number's current and cleared alerts from the book, sets HasAlerts from the
// alerts left and tells the loan list's listeners (the refresh signal), so the alert list and
// the alert tab follow. Then drops the number's rate history from the configuration, when
// there is one. True when the configuration changed.
bool ForgetLoanLeftovers(TMorvaneData& book, TMorvaneConfiguration* configuration,
                         const std::string& loanNumber);

} // namespace duebell
