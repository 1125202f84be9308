// The control side of the binder: a control's published properties (Q_PROPERTY) found by name
// ignoring case, dotted paths through object-valued properties, and the conversions between a
// control property's value and the record library's Variant.
#pragma once

#include "objectlist/variant.h"

#include <QMetaProperty>
#include <QObject>
#include <QVariant>
#include <string_view>

namespace duebell {

struct ControlPropertyPath {
    QObject* object = nullptr; // the object holding the last property
    QMetaProperty property;
    explicit operator bool() const { return object != nullptr && property.isValid(); }
};

// The property Name of an object, ignoring case. An exact match wins; otherwise the most
// derived class's property (our controls publish "Text" and "Date" over Qt's "text" and "date").
// An invalid property when the object has none of that name.
QMetaProperty FindControlProperty(const QObject& object, std::string_view name);

// Resolves a dotted path from a control: every segment but the last must name a property
// holding an object, which becomes the next start. An empty result when a segment names no
// property or an intermediate object is missing.
ControlPropertyPath ResolveControlPath(QObject& control, std::string_view path);

// The text after the last full stop of a path (the whole path when it has none).
std::string_view LastPathSegment(std::string_view path);

// A control's value as a record property takes it: texts, Booleans, whole numbers and numbers.
// Raises InternalError for a type no record property can take.
Variant VariantFromControl(const QVariant& value);

// A record's value as a control property of the given type takes it. An empty value gives the
// type's empty value (an empty text, 0, false). Raises EConvertError when the value does not
// convert (letters for a number), InternalError for a type the binder does not handle.
QVariant ControlValueFrom(const Variant& value, QMetaType type);

} // namespace duebell
