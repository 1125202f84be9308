// The range check of a whole-number field (TExSpinEdit) before a dialog saves it. A spin edit
// clamps only what is written into it, so a typed "-5" or "0" reaches its Value untouched;
// Save refuses it here, naming the field, with the focus on it.
#pragma once

#include <string>

namespace duebell {

class TExSpinEdit;

// "You must provide a value greater than or equal to <MinValue> for the "<field>" field", or
// "... less than or equal to <MaxValue> ..." when the value lies outside the field's range
// (a field whose bounds are equal has none).
void RequireSpinInRange(const std::string& fieldName, TExSpinEdit& spin);

} // namespace duebell
