#include "app/dialogs/spinrangecheck.h"

#include "controls/exspinedit.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <cmath>

namespace duebell {

namespace {

[[noreturn]] void Refuse(TExSpinEdit& spin, const std::string& message) {
    if (spin.isEnabled())
        spin.setFocus();
    throw Exception(message);
}

std::string Whole(double value) {
    return IntToStr(static_cast<std::int64_t>(std::llround(value)));
}

} // namespace

void RequireSpinInRange(const std::string& fieldName, TExSpinEdit& spin) {
    // Equal bounds mean no range, as they do for the field itself.
    if (spin.MinValue() == spin.MaxValue())
        return;
    const double value = spin.GetValue();
    if (value < spin.MinValue())
        Refuse(spin, "You must provide a value greater than or equal to " + Whole(spin.MinValue()) +
                         " for the \"" + fieldName + "\" field");
    if (value > spin.MaxValue())
        Refuse(spin, "You must provide a value less than or equal to " + Whole(spin.MaxValue()) +
                         " for the \"" + fieldName + "\" field");
}

} // namespace duebell
