// The lender's configuration as the reports read it: letterhead, notice periods, signature.
#pragma once

namespace duebell {

class TMorvaneConfiguration;

// The process-wide configuration; an internal error before the program has loaded one.
const TMorvaneConfiguration& LoadedConfiguration();

} // namespace duebell
