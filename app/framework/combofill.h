// Filling the dialogs' combo boxes from the program's fixed tables (payment, statement and fee
// periods, payment types).
#pragma once

#include <span>
#include <string_view>

class QComboBox;

namespace duebell {

// Appends the texts to the combo box's entries, then chooses its first entry. A fill is no
// user's choice, so the box's change signals stay silent.
void FillComboFromArray(std::span<const std::string_view> texts, QComboBox& combo);

} // namespace duebell
