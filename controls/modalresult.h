// A form's modal result, as buttons set it. The form keeps it in its "ModalResult" property
// (a declared Q_PROPERTY or a dynamic one); a dialog whose result becomes non-zero closes
// with it once the click that set it has finished.
#pragma once

class QWidget;

namespace duebell {

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};

int FormModalResult(const QWidget* form);
void SetFormModalResult(QWidget* form, int result);
// Ends the form with its modal result when it is a dialog and the result is not mrNone.
void CloseOnModalResult(QWidget* form);

} // namespace duebell
