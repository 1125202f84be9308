// The change-detecting setter the resource and decoration items share: a property setter
// raises its change event only when the value really changed.
#pragma once

namespace duebell {

// Stores value in field; true when the field held something else before.
template <class T> bool Store(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace duebell
