// The set-up guidance of a new installation: the help context of the first set-up step still
// missing, checked in order - company address and phone (510), notice periods (520), arrears
// administration fee amounts (525), recurring (530) and once-off (540) public holidays, then,
// once the configuration is complete, the first client (550), property (560) and loan (570).
#pragma once

namespace duebell {

class TMorvaneConfiguration;
class TMorvaneData;

// 0 when nothing is missing.
int SetupHelpContext(const TMorvaneConfiguration& configuration, const TMorvaneData& data);

} // namespace duebell
