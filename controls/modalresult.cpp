#include "controls/modalresult.h"

#include <QDialog>
#include <QVariant>

namespace duebell {

int FormModalResult(const QWidget* form) {
    return form == nullptr ? mrNone : form->property("ModalResult").toInt();
}

void SetFormModalResult(QWidget* form, int result) {
    if (form != nullptr)
        form->setProperty("ModalResult", result);
}

void CloseOnModalResult(QWidget* form) {
    auto* dialog = qobject_cast<QDialog*>(form);
    const int result = FormModalResult(form);
    if (dialog != nullptr && result != mrNone && dialog->isVisible())
        dialog->done(result);
}

} // namespace duebell
