// The bookkeeping windows of this folder, registered by name: the list of periodical
// bookkeeping reports ("TfmReportAccountingPeriodical"), which saves the configuration to
// the given file after each change of its reports.
#pragma once

#include <string>

namespace duebell {

void RegisterBookkeepingWindows(const std::string& configurationFile);

} // namespace duebell
