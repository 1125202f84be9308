#include "app/dialogs/formlabels.h"

#include <QFormLayout>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace duebell {

void AlignFormLabels(QWidget& body) {
    std::vector<QWidget*> labels;
    for (QFormLayout* form : body.findChildren<QFormLayout*>())
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
                item != nullptr && item->widget() != nullptr)
                labels.push_back(item->widget());
    // Where each label starts (groups indent theirs), once the layouts have placed them: the
    // window's first, then each group's inside the place it was given.
    if (QLayout* layout = body.window()->layout())
        layout->activate();
    for (QWidget* widget : body.findChildren<QWidget*>())
        if (QLayout* layout = widget->layout())
            layout->activate();
    const auto left = [&body](const QWidget* label) { return label->mapTo(&body, QPoint()).x(); };
    int edge = 0;
    for (const QWidget* label : labels)
        edge = std::max(edge, left(label) + label->sizeHint().width());
    for (QWidget* label : labels)
        label->setMinimumWidth(edge - left(label));
}

} // namespace duebell
