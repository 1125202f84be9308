// What was typed is checked before any command reads it. A field checks its text when the focus
// leaves it, but a shortcut (Alt+P), a speed button or Enter acts with the focus still in the
// field, so that check has not run: every command that reads a window's fields (a dialog's
// Save, a report's Print and Preview, a list's Add, Edit/View and Delete beside its filter
// dates, a calculator button) asks here first.
#pragma once

class QWidget;

namespace duebell {

// Each field of the window the user can type into (shown, enabled, not read-only) checks its
// text, in the order the window made them: an amount (a number within its range), a whole
// number (the same, and whole), a date (a real date). The first that fails raises its message,
// which names the field, with the field focused and its text selected; nothing is changed.
void CheckTypedFields(const QWidget& window);

} // namespace duebell
