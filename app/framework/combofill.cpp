#include "app/framework/combofill.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace duebell {

void FillComboFromArray(std::span<const std::string_view> texts, QComboBox& combo) {
    const QSignalBlocker quiet(combo);
    for (std::string_view text : texts)
        combo.addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    combo.setCurrentIndex(0);
}

} // namespace duebell
