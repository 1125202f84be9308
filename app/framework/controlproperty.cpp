#include "app/framework/controlproperty.h"

#include "objectlist/exceptions.h"
#include "objectlist/textcase.h"

#include <QMetaObject>

namespace duebell {

namespace {

bool BooleanFrom(const Variant& value) {
    if (!value.IsString())
        return value.AsInteger() != 0;
    const std::string text = UpperCaseAscii(value.AsString());
    if (text == "Y" || text == "T" || text == "YES" || text == "TRUE")
        return true;
    if (text == "N" || text == "F" || text == "NO" || text == "FALSE")
        return false;
    return value.AsInteger() != 0;
}

[[noreturn]] void UnhandledType(const char* typeName) {
    throw InternalError(std::string("A control property of type ") +
                        (typeName != nullptr ? typeName : "?") + " cannot be bound to a record.");
}

} // namespace

QMetaProperty FindControlProperty(const QObject& object, std::string_view name) {
    const QMetaObject* meta = object.metaObject();
    const QByteArray exact(name.data(), static_cast<qsizetype>(name.size()));
    const int index = meta->indexOfProperty(exact.constData());
    if (index >= 0)
        return meta->property(index);
    // Later indexes belong to more derived classes.
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty property = meta->property(i);
        if (EqualsIgnoringCase(property.name(), name))
            return property;
    }
    return {};
}

std::string_view LastPathSegment(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? path : path.substr(dot + 1);
}

ControlPropertyPath ResolveControlPath(QObject& control, std::string_view path) {
    QObject* object = &control;
    for (;;) {
        const std::size_t dot = path.find('.');
        const QMetaProperty property = FindControlProperty(*object, path.substr(0, dot));
        if (!property.isValid())
            return {};
        if (dot == std::string_view::npos)
            return {object, property};
        object = property.read(object).value<QObject*>();
        if (object == nullptr)
            return {};
        path.remove_prefix(dot + 1);
    }
}

Variant VariantFromControl(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return Variant(value.toString().toStdString());
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Variant(value.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return Variant(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return Variant(value.toDouble());
    default:
        UnhandledType(value.typeName());
    }
}

QVariant ControlValueFrom(const Variant& value, QMetaType type) {
    const bool empty = value.IsEmpty() || value.IsNull();
    switch (type.id()) {
    case QMetaType::QString:
        return QString::fromStdString(empty ? std::string() : value.AsString());
    case QMetaType::Bool:
        return empty ? false : BooleanFrom(value);
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
        return empty ? 0 : value.AsInteger();
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return QVariant::fromValue<qlonglong>(empty ? 0 : value.AsInt64());
    case QMetaType::Double:
    case QMetaType::Float:
        return empty ? 0.0 : value.AsDouble();
    default:
        UnhandledType(type.name());
    }
}

} // namespace duebell
