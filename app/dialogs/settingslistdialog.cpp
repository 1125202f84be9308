#include "app/dialogs/settingslistdialog.h"

#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

#include <QGroupBox>
#include <QVBoxLayout>

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
    : TfmCustomDetailForm(name, caption), frame_(new TfmeSettingsListFrame(Body())) {
    frame_->setObjectName(QString::fromStdString(frameName));
    frame_->HeaderBox()->setTitle(QString::fromStdString(groupCaption));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(frame_);

    frame_->OnAfterModify = [this](TfmeCustomHeaderFrame&, TModifyMode mode,
                                   TTovObjectItem* record, TfmCustomDetailForm& dialog) {
        const bool saved = (mode == mmAdd || mode == mmEdit) && dialog.result() == mrOk;
        if (saved)
            entriesChanged_ = true;
        if (record != nullptr)
            AfterModify(mode, *record, dialog, saved);
    };
    frame_->OnAfterDelete = [this] {
        entriesChanged_ = true;
        AfterDelete();
    };
}

void TfmCustomListConfig::FrameDesigned(int height) {
    int width = 0;
    for (int c = 0; c < frame_->Grid()->ColumnCount(); ++c)
        width += frame_->Grid()->Column(c).Width();
    // The grid's frame, the group box's margins and room for a scroll bar.
    width += 48;
    frame_->DesignedAt(width, height);
    resize(width + 8, height + 45);
}

void TfmCustomListConfig::ShowList(TTovObjectList* list) {
    frame_->Grid()->SetObjectList(list);
    frame_->RefreshGrid();
}

void TfmCustomListConfig::AfterModify(TModifyMode, TTovObjectItem&, TfmCustomDetailForm&, bool) {}

void TfmCustomListConfig::AfterDelete() {}

} // namespace duebell
