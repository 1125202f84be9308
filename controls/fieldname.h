// The name a window gives one of its fields, for messages that say which field they are about.
#pragma once

#include <string>

class QWidget;

namespace duebell {

// The caption of the label whose buddy the field is, without its accelerator mark and a
// closing colon; empty when no label names the field.
std::string FieldName(const QWidget& field);
// The message with the field's name in front ("Amount": ...), or alone for an unnamed field.
std::string FieldMessage(const QWidget& field, const std::string& message);

} // namespace duebell
