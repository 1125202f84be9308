// TfmCustomListConfig: the base of the settings dialogs that keep one list of the
// configuration (fee types, arrears administration fee amounts, holidays, rate changes). The
// dialog embeds a list frame whose Add, Edit/View and Delete open a small dialog for one entry
// and change the configuration at once; Save only closes the dialog with OK.
//
// Since the entries are changed while the dialog is open, the dialog remembers whether any
// was: its opener writes the configuration after a change whichever button closed it.
//
// A list dialog names its frame's detail dialog and columns in its constructor and then calls
// FrameDesigned, binds the frame's grid to its list in InitForItem (ShowList), and overrides
// AfterModify or AfterDelete to follow a change.
#pragma once

#include "app/framework/detailform.h"
#include "app/framework/headerframe.h"

#include <functional>
#include <memory>
#include <string>

namespace duebell {

class TTovObjectList;

// The list frame of a settings dialog: the header frame, with the question before a delete
// and a reaction after it open to its dialog.
class TfmeSettingsListFrame : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    explicit TfmeSettingsListFrame(QWidget* parent = nullptr);

    // The size the dialog lays the frame out for: its grid's columns stretch from there.
    using TfmeCustomFrame::DesignedAt;

    // The second question of a delete, for the selected record; "Are you sure you wish to
    // delete this record?" when none is given.
    std::function<std::string(TTovObjectItem& record)> DeleteQuestion;
    // Runs after the selected records were deleted (not when a question was answered No).
    std::function<void()> OnAfterDelete;

    // mmDelete: the delete question, then the selected records deleted, every header frame
    // refreshed, DataModified set and OnAfterDelete. Other modes: the header frame's own.
    void DoModify(TModifyMode mode) override;
};

class TfmCustomListConfig : public TfmCustomDetailForm {
    Q_OBJECT

public:
    // The dialog with its frame (object name `frameName`, group box captioned `groupCaption`)
    // over the body. A subclass adds the frame's columns, then calls FrameDesigned.
    TfmCustomListConfig(const std::string& name, const std::string& caption,
                        const std::string& frameName, const std::string& groupCaption);

    TfmeSettingsListFrame* Frame() const { return frame_; }
    // Whether an entry was added, saved by its dialog or deleted since the dialog was made.
    bool EntriesChanged() const { return entriesChanged_; }

protected:
    // The frame's columns are in: the frame is laid out for their widths (and the given
    // height), placed below what the body holds so far, and the dialog sized around it.
    void FrameDesigned(int height);
    // The frame's grid shows the list (none: no list) from now on.
    void ShowList(TTovObjectList* list);
    // The entries move every loan's figures or alerts: after an entry is saved or deleted,
    // every loan's ledger and alerts are rebuilt, before AfterModify or AfterDelete.
    void RebuildLoansAfterChanges() { rebuildsLoans_ = true; }
    // After the entry dialog closed (also cancelled, also in mmView), with the entry and the
    // dialog alive; `saved` when it ended with OK in mmAdd or mmEdit. The base does nothing.
    virtual void AfterModify(TModifyMode mode, TTovObjectItem& record, TfmCustomDetailForm& dialog,
                             bool saved);
    // After entries were deleted. The base does nothing.
    virtual void AfterDelete();
    // Tells the lender that the change just made waits for the loan book's Save, and why.
    static void TellChangeWaitsForLoanBook(const std::string& reason);

private:
    std::unique_ptr<TfmeSettingsListFrame> unplacedFrame_; // until FrameDesigned places it
    TfmeSettingsListFrame* frame_;
    bool entriesChanged_ = false;
    bool rebuildsLoans_ = false;
};

} // namespace duebell
