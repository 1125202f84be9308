// Creates a drawing object from the type id its stored record begins with.
#pragma once

#include "print/baseobject.h"

#include <memory>

namespace duebell {

// Nothing for an id no object class has.
std::unique_ptr<TPqBaseObject> CreateObjectById(int typeId, TPqResourceTable& resourceTable);

} // namespace duebell
