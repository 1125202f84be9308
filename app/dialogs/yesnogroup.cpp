#include "app/dialogs/yesnogroup.h"

#include "controls/uihooks.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace duebell {

TYesNoGroup::TYesNoGroup(QWidget* parent) : QGroupBox(parent), items_(new QButtonGroup(this)) {
    auto* row = new QHBoxLayout(this);
    int id = 0;
    for (const char* caption : {"Yes", "No"}) {
        auto* item = new QRadioButton(caption, this);
        item->setObjectName(id == 0 ? "rbYes" : "rbNo");
        items_->addButton(item, id++);
        row->addWidget(item);
    }
    row->addStretch(1);
    connect(items_, &QButtonGroup::idClicked, this, [this](int) {
        GuardEvent([this] {
            if (OnClick)
                OnClick();
        });
    });
}

int TYesNoGroup::ItemIndex() const {
    return items_->checkedId();
}

void TYesNoGroup::SetItemIndex(int index) {
    if (index == 0 || index == 1) {
        items_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked item go by itself.
    items_->setExclusive(false);
    for (QAbstractButton* item : items_->buttons())
        item->setChecked(false);
    items_->setExclusive(true);
}

QRadioButton* TYesNoGroup::Item(int index) const {
    return qobject_cast<QRadioButton*>(items_->button(index));
}

} // namespace duebell
