#include "app/dialogs/namelengths.h"

#include <QLineEdit>
#include <algorithm>

namespace duebell {

void LimitTypedLengths(std::initializer_list<std::pair<QLineEdit*, int>> edits) {
    for (const auto& [edit, length] : edits)
        edit->setMaxLength(std::max(length, static_cast<int>(edit->text().size())));
}

} // namespace duebell
