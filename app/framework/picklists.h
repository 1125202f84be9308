// The pick lists of the dialogs, list frames and report dialogs: a grid box filled with the
// clients, properties or loans of the loan book, one row per record in key order, the code in
// the first column. Called when a window is made and again whenever the loan list changes;
// a code that is still in the list stays chosen.
#pragma once

namespace duebell {

class TGridBox;

// Client code (80 pixels) and full name (200).
void FillClientPickList(TGridBox& box);
// Property code (80) and address (200).
void FillPropertyPickList(TGridBox& box);
// Loan number (80), the loan's client name (120) and its property's address (200).
void FillMortgagePickList(TGridBox& box);

} // namespace duebell
