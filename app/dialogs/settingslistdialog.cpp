#include "app/dialogs/settingslistdialog.h"

#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>

namespace duebell {

TfmeSettingsListFrame::TfmeSettingsListFrame(QWidget* parent) : TfmeCustomHeaderFrame(parent) {}

void TfmeSettingsListFrame::DoModify(TModifyMode mode) {
    if (mode != mmDelete) {
        TfmeCustomHeaderFrame::DoModify(mode);
        return;
    }
    const std::vector<TTovObject*>& selected = Grid()->SelectedObjects();
    auto* record = selected.empty() ? nullptr : dynamic_cast<TTovObjectItem*>(selected.front());
    if (record == nullptr)
        return;
    const std::string question = DeleteQuestion
                                     ? DeleteQuestion(*record)
                                     : std::string("Are you sure you wish to delete this record?");
    if (!AskYesNo(question))
        return;
    Grid()->DeleteSelected();
    RefreshAllHeaderFrames();
    SetDataModified(true);
    if (OnAfterDelete)
        OnAfterDelete();
}

TfmCustomListConfig::TfmCustomListConfig(const std::string& name, const std::string& caption,
                                         const std::string& frameName,
                                         const std::string& groupCaption)
    : TfmCustomDetailForm(name, caption), unplacedFrame_(std::make_unique<TfmeSettingsListFrame>()),
      frame_(unplacedFrame_.get()) {
    frame_->setObjectName(QString::fromStdString(frameName));
    frame_->HeaderBox()->setTitle(QString::fromStdString(groupCaption));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 0);

    frame_->OnAfterModify = [this](TfmeCustomHeaderFrame&, TModifyMode mode, TTovObjectItem* record,
                                   TfmCustomDetailForm& dialog) {
        const bool saved = (mode == mmAdd || mode == mmEdit) && dialog.result() == mrOk;
        if (saved)
            entriesChanged_ = true;
        if (saved && rebuildsLoans_)
            RebuildAllLoans();
        if (record != nullptr)
            AfterModify(mode, *record, dialog, saved);
    };
    frame_->OnAfterDelete = [this] {
        entriesChanged_ = true;
        if (rebuildsLoans_)
            RebuildAllLoans();
        AfterDelete();
    };
}

void TfmCustomListConfig::FrameDesigned(int height) {
    TTovObjectListGrid& grid = *frame_->Grid();
    int width = 0;
    // The columns' widths were chosen for a narrower font than ours: the dialog opens wide
    // enough for every caption, the columns stretching with it.
    double widen = 1.0;
    for (int c = 0; c < grid.ColumnCount(); ++c) {
        const int columnWidth = grid.Column(c).Width();
        width += columnWidth;
        const int captionWidth =
            grid.fontMetrics().horizontalAdvance(QString::fromStdString(grid.Column(c).Caption())) +
            12;
        if (columnWidth > 0)
            widen = std::max(widen, static_cast<double>(captionWidth) / columnWidth);
    }
    // The grid's frame, the group box's margins and room for a scroll bar.
    width += 48;
    // Recorded before the body's layout takes the frame: from then on its width is the
    // layout's, and the columns stretch from the designed width.
    frame_->DesignedAt(width, height);
    Body()->layout()->addWidget(unplacedFrame_.release());
    resize(static_cast<int>(width * std::min(widen, 1.5)) + 8, height + 45);
}

void TfmCustomListConfig::ShowList(TTovObjectList* list) {
    frame_->Grid()->SetObjectList(list);
    frame_->RefreshGrid();
}

void TfmCustomListConfig::AfterModify(TModifyMode, TTovObjectItem&, TfmCustomDetailForm&, bool) {}

void TfmCustomListConfig::AfterDelete() {}

void TfmCustomListConfig::TellChangeWaitsForLoanBook(const std::string& reason) {
    CurrentPrompter().Ask(PromptType::Information, PromptButtons::Ok,
                          reason +
                              ": this change is saved with the loan book, when you next save it "
                              "(File, Save).  Your other settings are saved as usual.");
}

} // namespace duebell
