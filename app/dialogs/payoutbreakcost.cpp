#include "app/dialogs/payoutbreakcost.h"

namespace duebell {

void TPayoutBreakCost::DeclareProperties(TTovPropertyTable<TPayoutBreakCost>& table) {
    table.Property("Description", &TPayoutBreakCost::Description)
        .Property("Amount", &TPayoutBreakCost::Amount);
}

} // namespace duebell
