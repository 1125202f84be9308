// TfmCustomDetailForm: the base of every record dialog and settings dialog. It runs the edit
// protocol through which a list frame or a menu command edits one record or several at once,
// owns the Help, Save and Cancel buttons and the binder, and offers the checks a dialog's Save
// makes, with their messages.
//
// Writing a dialog on this base
// -----------------------------
//   class TfmPublicHolidaysAddEdit : public TfmCustomDetailForm {
//   public:
//       TfmPublicHolidaysAddEdit();                 // controls and binder rows, nothing else
//   protected:
//       void InitForItem(TModifyMode mode, TTovObjectItem& item) override; // preset by mode
//       void ValidateSave() override;               // the Save handler's checks
//   private:
//       std::unique_ptr<Ui::fmPublicHolidaysAddEdit> ui_;
//   };
//
//   TfmPublicHolidaysAddEdit::TfmPublicHolidaysAddEdit()
//       : TfmCustomDetailForm("fmPublicHolidaysAddEdit", "Add/Edit Once-Off Public Holiday"),
//         ui_(std::make_unique<Ui::fmPublicHolidaysAddEdit>()) {
//       ui_->setupUi(Body());                        // the Designer form fills the body
//       Binder().AddRows({{ui_->edtDescription, "Text", "Description"},
//                         {ui_->edtHolidayDate, "Date", "TransactionDate"}});
//   }
//
// 1. Controls. The body above the button panel (Body()) is the dialog's: fill it from a Qt
//    Designer form (a .ui file beside the class, compiled by AUTOUIC; its root is a plain
//    QWidget with a layout, `setupUi(Body())`) or give Body() a layout in code. Object names
//    are the controls' names in the record dialogs' descriptions (edtSurname1, cmbBankList):
//    the binder, the tests and the help lookup find things by name. Our own controls (date
//    picker, currency edit, grid box) appear in Designer as promoted widgets.
// 2. Name and caption: the constructor's arguments. The name ("fmClientsAddEdit") is the
//    dialog's objectName and chooses its help topic.
// 3. Binder rows (Binder().AddRows): control, control property ("Text", "Value", "Date",
//    "Lines", "ItemIndex0"), record property path ("PostalAddress.Suburb"). EditItems fills the
//    controls from the record before InitForItem runs and writes them back after Save.
// 4. InitForItem (mode, first record) presets controls by mode: a generated code in mmAdd, a
//    key field disabled in mmEdit. The record is already in the controls; Mode() and Item()
//    are already set, so an override need not call the base. InitForList (mode, records) is
//    the same for the whole list.
// 5. ValidateSave is the Save handler: checks in the order the dialog asks them (the Require*
//    checks below, or any Exception with its message), then any question or window that must
//    come before the dialog closes. Returning normally accepts; raising keeps the dialog open
//    with the message shown and the failing control focused. Never call done() from it.
// 6. A frame supplies the dialog as a factory: DetailFormClass<TfmPublicHolidaysAddEdit>().
//
// What Save does, in order: every field the user can type into checks its text
// (CheckTypedFields: amounts, whole numbers, dates); then ValidateSave; then the binder converts
// every bound value and, only when all convert, writes them into every record of the list (a
// value that does not convert is shown, its control focused, and nothing is written);
// DataModified is set; the dialog ends with mrOk. In mmView the base writes nothing and leaves
// DataModified alone. Cancel, Esc and the close box end with mrCancel and change nothing.
#pragma once

#include "domain/enums.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPushButton;
class QString;

namespace duebell {

class TMorvaneMortgage;
class TTovObject;
class TTovObjectItem;
class TTovObjectListControlAware;

class TfmCustomDetailForm : public QDialog {
    Q_OBJECT

public:
    // The dialog with its button panel and an empty body; `name` becomes its objectName.
    TfmCustomDetailForm(const std::string& name, const std::string& caption);
    ~TfmCustomDetailForm() override;

    // --- The edit protocol ------------------------------------------------------------------
    // Edits one record: EditItems on a list of it.
    virtual int EditItem(TModifyMode mode, TTovObjectItem& item);
    // Fills the controls from each record in turn (so they show the last), runs InitForItem
    // on the first record (when there is one) and InitForList, shows the dialog through
    // ExecModal and gives its modal result (mrOk after Save, mrCancel otherwise). Objects in
    // the list that are no records (a grid row's child list) are passed over.
    virtual int EditItems(TModifyMode mode, const std::vector<TTovObject*>& list);

    TModifyMode Mode() const { return mode_; }
    // The first record of the list being edited; nothing before EditItems.
    TTovObjectItem* Item() const { return item_; }

    // --- The buttons ------------------------------------------------------------------------
    // Save: the typed fields' checks, ValidateSave, then the dialog ends with mrOk (which
    // writes the controls back). A failure is shown by the application-wide handler and the
    // dialog stays open.
    void SaveClick();
    // Help: the help topic of the dialog's name, or the question whether to open the contents.
    void HelpClick();

    // --- Checks for ValidateSave --------------------------------------------------------------
    // Each names the field in its message and, before raising, puts the focus on the control
    // (when it is given, enabled and visible).
    static void RequireValue(const QString& text, const std::string& fieldName, QWidget* control);
    static void RequireNonZero(const std::string& fieldName, QWidget* control, double value);
    static void RequireNonNegative(const std::string& fieldName, QWidget* control, double value);
    // Zero and below refused with one message, for a field that takes neither.
    static void RequireGreaterThanZero(const std::string& fieldName, QWidget* control,
                                       double value);
    // Not before the loan's draw-down date (tested first), not after its completion date.
    static void RequireDateInContract(const std::string& fieldName, QWidget* control,
                                      const TMorvaneMortgage& mortgage, double date);
    // Not after today (the clock's date); a date's time of day does not count.
    static void RequireNotAfterToday(const std::string& fieldName, QWidget* control, double date);

    // Ends the dialog. mrOk writes the controls back first (all or nothing, not in mmView); when
    // that fails the message is shown, its control focused, and the dialog stays open.
    void done(int result) override;
    // Esc and the close box: mrCancel.
    void reject() override;

protected:
    virtual void InitForItem(TModifyMode mode, TTovObjectItem& item);
    virtual void InitForList(TModifyMode mode, const std::vector<TTovObject*>& list);
    // The Save handler's checks; raising keeps the dialog open. The base checks nothing.
    virtual void ValidateSave();

    // The dialog's part above the button panel, for its controls.
    QWidget* Body() const { return body_; }
    TTovObjectListControlAware& Binder() const { return *binder_; }
    QPushButton* HelpButton() const { return btnHelp_; }
    QPushButton* SaveButton() const { return btnSave_; }
    QPushButton* CancelButton() const { return btnCancel_; }

    void showEvent(QShowEvent* event) override;

private:
    // The controls into every record of the list and DataModified set; nothing in mmView.
    void WriteBack();
    // The first field of the body takes the focus unless the dialog put it in the body.
    void FocusFirstField();

    QWidget* body_;
    QPushButton* btnHelp_;
    QPushButton* btnSave_;
    QPushButton* btnCancel_;
    TTovObjectListControlAware* binder_;
    TModifyMode mode_ = mmView;
    TTovObjectItem* item_ = nullptr;
    std::vector<TTovObject*> items_;
    bool writtenBack_ = false;
};

// How a frame names the dialog it opens: a factory of a new dialog.
using TfmCustomDetailFormClass = std::function<std::unique_ptr<TfmCustomDetailForm>()>;

template <class Dialog> TfmCustomDetailFormClass DetailFormClass() {
    return [] { return std::make_unique<Dialog>(); };
}

} // namespace duebell
