// The checks a dialog's Save makes, with the messages the user sees.
#include "app/framework/detailform.h"
#include "domain/mortgage.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"

#include <QString>
#include <QWidget>
#include <cmath>

namespace duebell {

namespace {

// Qt ignores the focus for a disabled or hidden control; asking only when it can take it
// keeps the rule plain.
void FocusIfPossible(QWidget* control) {
    if (control != nullptr && control->isEnabled() && control->isVisibleTo(control->window()))
        control->setFocus();
}

[[noreturn]] void Refuse(QWidget* control, const std::string& message) {
    FocusIfPossible(control);
    throw Exception(message);
}

double Day(double date) {
    return std::floor(date);
}

} // namespace

void TfmCustomDetailForm::RequireValue(const QString& text, const std::string& fieldName,
                                       QWidget* control) {
    if (text.isEmpty())
        Refuse(control, "You must provide a value for the \"" + fieldName + "\" field");
}

void TfmCustomDetailForm::RequireNonZero(const std::string& fieldName, QWidget* control,
                                         double value) {
    if (value == 0)
        Refuse(control, "You must provide a non-zero value for the \"" + fieldName + "\" field");
}

void TfmCustomDetailForm::RequireNonNegative(const std::string& fieldName, QWidget* control,
                                             double value) {
    if (value < 0)
        Refuse(control, "You must provide a value greater than or equal to zero for the \"" +
                            fieldName + "\" field");
}

void TfmCustomDetailForm::RequireGreaterThanZero(const std::string& fieldName, QWidget* control,
                                                 double value) {
    if (value <= 0)
        Refuse(control,
               "You must provide a value greater than zero for the \"" + fieldName + "\" field");
}

void TfmCustomDetailForm::RequireDateInContract(const std::string& fieldName, QWidget* control,
                                                const TMorvaneMortgage& mortgage, double date) {
    if (Day(date) < Day(mortgage.Contract->PossessionDate.value))
        Refuse(control,
               "The date in the \"" + fieldName + "\" field is earlier than the draw down date.");
    if (Day(date) > Day(mortgage.Contract->CompletionDate().value))
        Refuse(control, "The date in the \"" + fieldName +
                            "\" field is later than the mortgage completion date.");
}

void TfmCustomDetailForm::RequireNotAfterToday(const std::string& fieldName, QWidget* control,
                                               double date) {
    if (Day(date) > Day(Date()))
        Refuse(control, "The date in the \"" + fieldName +
                            "\" field must be less than or equal to the current date");
}

} // namespace duebell
