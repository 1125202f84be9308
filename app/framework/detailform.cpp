#include "app/framework/detailform.h"

#include "app/framework/controlbinder.h"
#include "app/framework/helpsystem.h"
#include "app/framework/modalrunner.h"
#include "app/framework/typedfields.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "domain/helpfile.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace duebell {

namespace {

constexpr int ButtonPanelHeight = 41;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setFixedSize(75, 25);
    button->setAutoDefault(false);
    return button;
}

TTovObjectItem* FirstRecord(const std::vector<TTovObject*>& list) {
    for (TTovObject* object : list)
        if (auto* record = dynamic_cast<TTovObjectItem*>(object))
            return record;
    return nullptr;
}

} // namespace

TfmCustomDetailForm::TfmCustomDetailForm(const std::string& name, const std::string& caption)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      binder_(new TTovObjectListControlAware(this)) {
    setObjectName(QString::fromStdString(name));
    setWindowTitle(QString::fromStdString(caption));
    binder_->setObjectName("TovObjectListControlAware1");

    body_ = new QWidget(this);
    body_->setObjectName("pnlDetailBody");

    auto* buttonPanel = new QWidget(this);
    buttonPanel->setObjectName("pnlDetailButtons");
    buttonPanel->setFixedHeight(ButtonPanelHeight);
    auto* buttons = new QWidget(buttonPanel);
    buttons->setObjectName("Panel2");
    btnHelp_ = MakeButton(buttons, "btnHelp", "&Help");
    btnSave_ = MakeButton(buttons, "btnSave", "&Save");
    btnCancel_ = MakeButton(buttons, "btnCancel", "&Cancel");
    btnSave_->setDefault(true);

    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(8);
    buttonRow->addWidget(btnHelp_);
    buttonRow->addWidget(btnSave_);
    buttonRow->addWidget(btnCancel_);
    auto* panelRow = new QHBoxLayout(buttonPanel);
    panelRow->setContentsMargins(8, 8, 8, 8);
    panelRow->addStretch(1);
    panelRow->addWidget(buttons);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(body_, 1);
    column->addWidget(buttonPanel);

    connect(btnHelp_, &QPushButton::clicked, this, [this] { GuardEvent([this] { HelpClick(); }); });
    connect(btnSave_, &QPushButton::clicked, this, [this] { GuardEvent([this] { SaveClick(); }); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

TfmCustomDetailForm::~TfmCustomDetailForm() = default;

int TfmCustomDetailForm::EditItem(TModifyMode mode, TTovObjectItem& item) {
    return EditItems(mode, {&item});
}

int TfmCustomDetailForm::EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) {
    // The base keeps the mode itself, so that View writes nothing even under a dialog whose
    // InitForItem replaces the base's.
    mode_ = mode;
    items_ = list;
    item_ = FirstRecord(list);
    writtenBack_ = false;
    binder_->ObjectToControls(list);
    if (item_ != nullptr)
        InitForItem(mode, *item_);
    InitForList(mode, list);
    const int result = ExecModal(*this);
    // A runner that answered OK without the dialog ending itself (a test's shortcut) still
    // gets the controls written back, so OK always means a written record.
    if (result == mrOk && !writtenBack_)
        WriteBack();
    return result;
}

void TfmCustomDetailForm::InitForItem(TModifyMode, TTovObjectItem&) {}

void TfmCustomDetailForm::InitForList(TModifyMode, const std::vector<TTovObject*>&) {}

void TfmCustomDetailForm::ValidateSave() {}

void TfmCustomDetailForm::SaveClick() {
    if (mode_ != mmView)
        CheckTypedFields(*this);
    ValidateSave();
    done(mrOk);
}

void TfmCustomDetailForm::WriteBack() {
    if (mode_ != mmView) {
        CheckTypedFields(*this);
        try {
            binder_->ControlsToObject(items_);
        } catch (const EControlValueError& e) {
            if (auto* control = qobject_cast<QWidget*>(e.Control()))
                control->setFocus();
            throw;
        }
        SetDataModified(true);
    }
    writtenBack_ = true;
}

void TfmCustomDetailForm::done(int result) {
    if (result == mrOk && !writtenBack_) {
        try {
            WriteBack();
        } catch (...) {
            HandleException(std::current_exception());
            return;
        }
    }
    QDialog::done(result);
}

void TfmCustomDetailForm::reject() {
    done(mrCancel);
}

void TfmCustomDetailForm::HelpClick() {
    const std::string name = objectName().toStdString();
    TTovObjectList& topics = *HelpFile().FormHelpTopics;
    auto* topic = name.empty()
                      ? nullptr
                      : static_cast<TMorvaneFormHelpTopic*>(topics.LocateNoMove(Variant(name)));
    if (topic != nullptr)
        ShowHelpContext(topic->HelpContext);
    else if (AskYesNo("Help not found for this topic.  Would you still like to launch the help "
                      "file?"))
        ShowHelpContents();
}

void TfmCustomDetailForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FocusFirstField();
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}

// A form opens with its first field focused, so typing goes into the dialog at once; the
// buttons below the body come first in Qt's focus chain (they are made first), so without this
// the Save button would take the keys and a typed space would press it. A field the dialog
// focused itself keeps the focus.
void TfmCustomDetailForm::FocusFirstField() {
    const QWidget* focused = focusWidget();
    if (focused != nullptr && body_->isAncestorOf(focused))
        return;
    for (QWidget* next = body_->nextInFocusChain(); next != body_; next = next->nextInFocusChain())
        if (body_->isAncestorOf(next) && next->isEnabled() && next->isVisibleTo(this) &&
            (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
}

} // namespace duebell
