#include "app/framework/headerframe.h"

#include "app/framework/formscaler.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/typedfields.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/exceptions.h"
#include "objectlist/objectlist.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <vector>

namespace duebell {

namespace {

constexpr int ButtonPanelHeight = 41;

// The live header frames, in the order they were made.
std::vector<TfmeCustomHeaderFrame*>& LiveHeaderFrames() {
    static std::vector<TfmeCustomHeaderFrame*> frames;
    return frames;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setFixedSize(75, 25);
    return button;
}

// Instalment fees are kept by priority, so a second fee of one description would get in: the
// frame refuses it by its description instead.
bool IsDuplicateInstalmentFee(const TTovObjectItem& record, const TTovObjectList& list) {
    if (record.GetBareClassName() != "MorvaneInstallmentFee")
        return false;
    const std::string description = record.GetPropertyValue("FeeDescription").AsString();
    return std::any_of(list.begin(), list.end(), [&](const TTovObjectItem* other) {
        return other->GetPropertyValue("FeeDescription").AsString() == description;
    });
}

TTovObjectItem* FirstRecord(const std::vector<TTovObject*>& objects) {
    for (TTovObject* object : objects)
        if (auto* record = dynamic_cast<TTovObjectItem*>(object))
            return record;
    return nullptr;
}

} // namespace

TfmeCustomHeaderFrame::TfmeCustomHeaderFrame(QWidget* parent) : TfmeCustomFrame(parent) {
    gbxHeaderBox_ = new QGroupBox(this);
    gbxHeaderBox_->setObjectName("gbxHeaderBox");
    stgHeaderGrid_ = new TTovObjectListGrid(gbxHeaderBox_);
    stgHeaderGrid_->setObjectName("stgHeaderGrid");
    auto* boxLayout = new QVBoxLayout(gbxHeaderBox_);
    boxLayout->addWidget(stgHeaderGrid_);

    pnlHeaderButton_ = new QWidget(this);
    pnlHeaderButton_->setObjectName("pnlHeaderButton");
    pnlHeaderButton_->setFixedHeight(ButtonPanelHeight);
    pnlHeaderButtonAlignment_ = new QWidget(pnlHeaderButton_);
    pnlHeaderButtonAlignment_->setObjectName("pnlHeaderButtonAlignment");
    btnAdd_ = MakeButton(pnlHeaderButtonAlignment_, "btnAdd", "&Add");
    btnEdit_ = MakeButton(pnlHeaderButtonAlignment_, "btnEdit", "&Edit/View");
    btnDelete_ = MakeButton(pnlHeaderButtonAlignment_, "btnDelete", "&Delete");
    auto* buttonRow = new QHBoxLayout(pnlHeaderButtonAlignment_);
    buttonRow->setContentsMargins(8, 8, 8, 8);
    buttonRow->setSpacing(8);
    buttonRow->addWidget(btnAdd_);
    buttonRow->addWidget(btnEdit_);
    buttonRow->addWidget(btnDelete_);
    buttonRow->addStretch(1);
    auto* panelRow = new QHBoxLayout(pnlHeaderButton_);
    panelRow->setContentsMargins(0, 0, 0, 0);
    panelRow->addWidget(pnlHeaderButtonAlignment_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(gbxHeaderBox_, 1);
    column->addWidget(pnlHeaderButton_);

    connect(btnAdd_, &QPushButton::clicked, this, [this] { GuardEvent([this] { AddClick(); }); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { GuardEvent([this] { EditClick(); }); });
    connect(btnDelete_, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { DeleteClick(); }); });
    stgHeaderGrid_->OnClick = [this] { GridClick(); };

    Scaler().Capture();
    LiveHeaderFrames().push_back(this);
    GridClick();
}

TfmeCustomHeaderFrame::~TfmeCustomHeaderFrame() {
    std::vector<TfmeCustomHeaderFrame*>& frames = LiveHeaderFrames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
}

TfmCustomDetailFormClass TfmeCustomHeaderFrame::GetDetailFormClass() {
    return OnGetDetailFormClass;
}

TTovObjectItem* TfmeCustomHeaderFrame::GetDetailParent() {
    return OnGetDetailParent ? OnGetDetailParent()
                             : HolderOfProcessList(stgHeaderGrid_->ObjectList());
}

void TfmeCustomHeaderFrame::DoModify(TModifyMode mode) {
    if (mode == mmDelete) {
        if (!AskYesNo("Are you sure you wish to delete this record?"))
            return;
        stgHeaderGrid_->DeleteSelected();
        RefreshAllHeaderFrames();
        SetDataModified(true);
        return;
    }

    const TfmCustomDetailFormClass formClass = GetDetailFormClass();
    if (!formClass)
        throw InternalError("The list \"" + objectName().toStdString() +
                            "\" has no record dialog.");
    const std::unique_ptr<TfmCustomDetailForm> dialog = formClass();
    TTovObjectItem* edited = nullptr;
    if (mode == mmAdd) {
        TTovObjectList* list = stgHeaderGrid_->ObjectList();
        if (list == nullptr)
            throw InternalError("The list \"" + objectName().toStdString() +
                                "\" shows no records to add to.");
        // Owned here until the list takes it: a cancelled or refused record is freed.
        std::unique_ptr<TTovObjectItem> record(list->ItemClass().Create(GetDetailParent()));
        if (dialog->EditItem(mmAdd, *record) != mrOk)
            return;
        if (IsDuplicateInstalmentFee(*record, *list)) {
            CurrentPrompter().Ask(
                PromptType::Error, PromptButtons::Ok,
                "You have attempted to create a duplicate record.  Entry will be ignored");
            return;
        }
        edited = list->Add(std::move(record));
        RefreshAllHeaderFrames();
    } else {
        // A copy: refreshing the grids replaces the selection.
        const std::vector<TTovObject*> selected = stgHeaderGrid_->SelectedObjects();
        edited = FirstRecord(selected);
        if (edited == nullptr)
            return; // the selected record has left the list: nothing to show
        if (dialog->EditItems(mode, selected) == mrOk)
            RefreshAllHeaderFrames();
    }
    if (edited == nullptr)
        return;
    if (const int row = stgHeaderGrid_->FindRow(edited); row >= 0)
        stgHeaderGrid_->SelectRow(row);
    if (OnAfterModify)
        OnAfterModify(*this, mode, edited, *dialog);
}

void TfmeCustomHeaderFrame::RefreshGrid() {
    stgHeaderGrid_->RefreshGrid();
}

// Each button first has the window's typed fields checked: the list it acts on was chosen by
// them (a tab's filter dates, a report's date), and a shortcut leaves the focus in the field.
void TfmeCustomHeaderFrame::AddClick() {
    CheckTypedFields(*window());
    DoModify(mmAdd);
}

void TfmeCustomHeaderFrame::EditClick() {
    CheckTypedFields(*window());
    if (ConfirmChange("Edit"))
        DoModify(mmEdit);
}

void TfmeCustomHeaderFrame::DeleteClick() {
    CheckTypedFields(*window());
    if (ConfirmChange("Delete"))
        DoModify(mmDelete);
}

void TfmeCustomHeaderFrame::ViewClick() {
    CheckTypedFields(*window());
    DoModify(mmView);
}

void TfmeCustomHeaderFrame::GridClick() {
    const bool hasList = stgHeaderGrid_->ObjectList() != nullptr;
    const bool hasRecord = hasList && !stgHeaderGrid_->SelectedObjects().empty();
    btnAdd_->setEnabled(hasList);
    btnEdit_->setEnabled(hasRecord);
    btnDelete_->setEnabled(hasRecord);
}

bool TfmeCustomHeaderFrame::ConfirmChange(const std::string& action) {
    return AskYesNo("WARNING!  Changing records may generate compliance issues\rAre you sure you "
                    "wish to " +
                    action + " this record?");
}

void RefreshAllHeaderFrames() {
    // A copy, and each frame looked up again: a refresh may close a window and its frames.
    const std::vector<TfmeCustomHeaderFrame*> frames = LiveHeaderFrames();
    for (TfmeCustomHeaderFrame* frame : frames) {
        const std::vector<TfmeCustomHeaderFrame*>& live = LiveHeaderFrames();
        if (std::find(live.begin(), live.end(), frame) != live.end())
            frame->RefreshGrid();
    }
}

} // namespace duebell
