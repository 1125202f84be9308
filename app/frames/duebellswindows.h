// The windows of the alert tab, registered by name: the "Duebells" tab's frame
// ("TfmeDuebells"), given the list it shows until the loan book's alerts are known.
#pragma once

namespace duebell {

void RegisterDuebellsWindows();

} // namespace duebell
