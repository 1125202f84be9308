// When a control's focus loss is an exit (its OnExit): the focus moved to another control of
// the same window. A popup of the control taking the keyboard, or another window becoming
// active, leaves the control the window's focused control, so neither is an exit.
#pragma once

#include <QFocusEvent>

namespace duebell {

inline bool IsFocusExit(const QFocusEvent& event) {
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

} // namespace duebell
