// A value outside the range a control or property allows.
#pragma once

#include "objectlist/exceptions.h"

namespace duebell {

class ERangeError : public Exception {
public:
    using Exception::Exception;
};

} // namespace duebell
