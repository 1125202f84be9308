// TTovObjectListControlAware, the binder of a record dialog: a table of rows, each tying a
// control property ("Text", "Value", "Date", "Lines", ...) to a record property path
// ("PostalAddress.Suburb", "Contract.ContractAmount"). The dialog base fills the controls from
// the record before the dialog shows (ObjectToControls) and writes them back on Save
// (ControlsToObject), so no dialog copies values by hand.
//
// Control properties are found through Qt's meta-object system ignoring case. Besides them:
//   - a memo (QPlainTextEdit, QTextEdit) bound by "Lines" moves its whole text, lines parted by
//     CR LF in the record as the loan book's files keep them;
//   - a drop-down-list combo box (a QComboBox that cannot be edited) bound by "ItemIndex0"
//     holds the 0-based position of its entry in the record, by "ItemIndex1" the 1-based one,
//     and by anything else ("Text") chooses the entry of that text, or none;
//   - an editable combo box bound by "Text" moves its edit text;
//   - a pick-list grid box (drop-down-list style) chooses the row whose code is the value.
// Filling never fires a control's change handlers: each control is filled with its signals
// blocked.
#pragma once

#include "objectlist/exceptions.h"

#include <QObject>
#include <QPointer>
#include <initializer_list>
#include <string>
#include <vector>

class QWidget;

namespace duebell {

class TTovObject;
class TTovObjectItem;

// A control's value that its record property cannot take: the conversion's own message, and
// the control, so that a dialog can put the focus on it.
class EControlValueError : public EConvertError {
public:
    EControlValueError(const std::string& message, QObject* control)
        : EConvertError(message), control_(control) {}
    // Nothing once the control has been destroyed.
    QObject* Control() const { return control_; }

private:
    QPointer<QObject> control_;
};

class TTovObjectListControlAware : public QObject {
    Q_OBJECT

public:
    struct Row {
        QObject* Control = nullptr; // nothing once the control has been destroyed
        std::string ControlProperty;
        std::string PropertyName; // empty: the row does nothing
    };

    explicit TTovObjectListControlAware(QObject* parent = nullptr);

    // Adds rows; a destroyed control drops out of every row that names it (the rows stay).
    void AddRow(QObject* control, std::string controlProperty, std::string propertyName);
    void AddRows(std::initializer_list<Row> rows);
    const std::vector<Row>& Rows() const { return rows_; }

    // Adds a row with an empty property path for each of "Text", "Value" and "Caption" that a
    // named control under Owner (at any depth) can read and write, unless a row binds it.
    void AutoFill(const QWidget& owner);

    // Copies the record's values into the controls; with no record every control is emptied
    // (texts cleared, numbers 0). A row whose record path does not resolve is skipped.
    void ObjectToControls(TTovObjectItem* item);
    // The same for each record among the objects in turn: the controls show the last one.
    void ObjectToControls(const std::vector<TTovObject*>& items);

    // Copies the controls' values into the record's properties that have setters. All or
    // nothing: every value is converted before any is written, so a value the property
    // cannot take (letters for a number) raises EControlValueError, naming the first such
    // control in row order, with the record untouched.
    void ControlsToObject(TTovObjectItem& item);
    // The same values into every record among the objects.
    void ControlsToObject(const std::vector<TTovObject*>& items);

private:
    void ControlDestroyed(QObject* control);
    void ControlsToRecords(const std::vector<TTovObjectItem*>& records);

    std::vector<Row> rows_;
};

} // namespace duebell
