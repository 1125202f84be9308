// TfmeCustomHeaderFrame: a titled grid of records with Add, Edit/View and Delete, the list
// frame of every tab and settings dialog. DoModify runs the record dialog for the chosen
// records, asks the confirmations, inserts new records, and refreshes every header frame of
// the program afterwards.
//
// Writing a frame on this base
// ----------------------------
//   class TfmeClients : public TfmeCustomHeaderFrame {
//   public:
//       explicit TfmeClients(TTovObjectList* clients, QWidget* parent = nullptr)
//           : TfmeCustomHeaderFrame(parent) {
//           setObjectName("fmeClients");
//           HeaderBox()->setTitle(" Client Overview ");
//           Grid()->AddColumn("Client Code", "ClientCode", 100);
//           Grid()->AddColumn("Client Name", "FullNameStr", 360);
//           DesignedAt(480, 320);              // the columns stretch from this width
//           Grid()->SetObjectList(clients);
//           RefreshGrid();
//       }
//   protected:
//       TfmCustomDetailFormClass GetDetailFormClass() override {
//           return DetailFormClass<TfmClientsAddEdit>();
//       }
//   };
//
// - The dialog: override GetDetailFormClass, or set OnGetDetailFormClass from outside (a
//   settings dialog embedding a plain header frame does).
// - The owner of new records: override GetDetailParent or set OnGetDetailParent (a loan for
//   its payments); by default the loan book or configuration when the list is one of theirs,
//   as for a loaded record.
// - The list and columns: Grid()->AddColumn, SetObjectList (also SubLists, OnFilterRecord),
//   then RefreshGrid.
// - Reactions: OnAfterModify runs after every dialog (also a cancelled edit), with the record
//   and the dialog still alive; override AddClick, EditClick or DeleteClick to check before
//   or act after the frame's own handling (call the base for it); override GridClick to add
//   button rules, calling the base first.
#pragma once

#include "app/framework/customframe.h"
#include "app/framework/detailform.h"
#include "domain/enums.h"

#include <functional>
#include <string>

class QGroupBox;
class QPushButton;

namespace duebell {

class TTovObjectItem;
class TTovObjectListGrid;
class TfmeCustomHeaderFrame;

using TOnGetDetailParent = std::function<TTovObjectItem*()>;
using TOnAfterModify = std::function<void(TfmeCustomHeaderFrame& sender, TModifyMode mode,
                                          TTovObjectItem* record, TfmCustomDetailForm& dialog)>;

class TfmeCustomHeaderFrame : public TfmeCustomFrame {
    Q_OBJECT

public:
    // The group box, its grid (no list yet) and the button panel; the frame joins the
    // program's header frames and its buttons take their states.
    explicit TfmeCustomHeaderFrame(QWidget* parent = nullptr);
    ~TfmeCustomHeaderFrame() override;

    // --- Parts ------------------------------------------------------------------------------
    QGroupBox* HeaderBox() const { return gbxHeaderBox_; }
    TTovObjectListGrid* Grid() const { return stgHeaderGrid_; }
    QWidget* HeaderButtonPanel() const { return pnlHeaderButton_; }
    // The buttons' own panel (a horizontal layout), for a subclass's further buttons.
    QWidget* HeaderButtonAlignment() const { return pnlHeaderButtonAlignment_; }
    QPushButton* AddButton() const { return btnAdd_; }
    QPushButton* EditButton() const { return btnEdit_; }
    QPushButton* DeleteButton() const { return btnDelete_; }

    // --- Events -----------------------------------------------------------------------------
    TfmCustomDetailFormClass OnGetDetailFormClass;
    TOnGetDetailParent OnGetDetailParent;
    TOnAfterModify OnAfterModify;

    // --- Operations -------------------------------------------------------------------------
    // The dialog class (OnGetDetailFormClass); empty when none is given.
    virtual TfmCustomDetailFormClass GetDetailFormClass();
    // The owner of a new record (OnGetDetailParent); when none is given, the loan book or the
    // configuration holding the grid's list, else nothing.
    virtual TTovObjectItem* GetDetailParent();
    // mmDelete: asks "Are you sure you wish to delete this record?" and on Yes deletes the
    // selected records. Other modes: the dialog edits the selected records (mmView, mmEdit) or
    // a new record of the list's class (mmAdd, inserted on OK); then the edited record is
    // selected again and OnAfterModify runs. Every header frame is refreshed after a change.
    virtual void DoModify(TModifyMode mode);
    virtual void RefreshGrid();

    // The buttons, each after the window's typed fields are checked (CheckTypedFields): Add;
    // Edit/View and Delete after the compliance question; View (for subclasses' own buttons)
    // without it.
    virtual void AddClick();
    virtual void EditClick();
    virtual void DeleteClick();
    void ViewClick();
    // The grid-click rule: Add while the grid shows a list, Edit/View and Delete while it also
    // has a record selected.
    virtual void GridClick();

    // "WARNING!  Changing records may generate compliance issues", a line break, and "Are you
    // sure you wish to <action> this record?" with Yes and No; true on Yes.
    static bool ConfirmChange(const std::string& action);

private:
    QGroupBox* gbxHeaderBox_;
    TTovObjectListGrid* stgHeaderGrid_;
    QWidget* pnlHeaderButton_;
    QWidget* pnlHeaderButtonAlignment_;
    QPushButton* btnAdd_;
    QPushButton* btnEdit_;
    QPushButton* btnDelete_;
};

// RefreshGrid on every live header frame, in the order they were made.
void RefreshAllHeaderFrames();

} // namespace duebell
