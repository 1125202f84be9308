#include "controls/fieldname.h"

#include <QLabel>

namespace duebell {

std::string FieldName(const QWidget& field) {
    for (const QLabel* label : field.window()->findChildren<QLabel*>()) {
        if (label->buddy() != &field)
            continue;
        QString caption = label->text();
        caption.replace("&&", "\x01").remove('&').replace('\x01', '&');
        caption = caption.trimmed();
        if (caption.endsWith(':'))
            caption.chop(1);
        return caption.toStdString();
    }
    return {};
}

std::string FieldMessage(const QWidget& field, const std::string& message) {
    const std::string name = FieldName(field);
    return name.empty() ? message : "\"" + name + "\": " + message;
}

} // namespace duebell
