#include "app/framework/typedfields.h"

#include "controls/datepicker.h"
#include "controls/exspinedit.h"
#include "controls/numedit.h"

#include <QApplication>

namespace duebell {

namespace {

// Checks the field's text when it is a typed field the user can have typed into (shown,
// enabled, not read-only; anything else holds only what the window put there).
void CheckField(QWidget& field, const QWidget& window) {
    if (!field.isVisibleTo(&window) || !field.isEnabledTo(&window))
        return;
    if (auto* amount = qobject_cast<TCustomNumEdit*>(&field)) {
        if (!amount->isReadOnly())
            amount->ValidateValue();
    } else if (auto* whole = qobject_cast<TExSpinEdit*>(&field)) {
        if (!whole->isReadOnly())
            whole->ValidateValue();
    } else if (auto* date = qobject_cast<TDatePicker*>(&field)) {
        if (!date->isReadOnly())
            date->ValidateDate();
    }
}

// The typed field that has the focus, if it is one of the window's: the date picker's text
// line holds the focus for its picker.
QWidget* FocusedField(const QWidget& window) {
    for (QWidget* focused = QApplication::focusWidget(); focused != nullptr;
         focused = focused->parentWidget()) {
        if (!window.isAncestorOf(focused))
            return nullptr;
        if (qobject_cast<TCustomNumEdit*>(focused) || qobject_cast<TExSpinEdit*>(focused) ||
            qobject_cast<TDatePicker*>(focused))
            return focused;
    }
    return nullptr;
}

} // namespace

void CheckTypedFields(const QWidget& window) {
    // The field being typed in first: refusing another would move the focus out of it, and
    // its own check on leaving would speak a second time.
    QWidget* focused = FocusedField(window);
    if (focused != nullptr)
        CheckField(*focused, window);
    for (QWidget* field : window.findChildren<QWidget*>())
        if (field != focused)
            CheckField(*field, window);
}

} // namespace duebell
