// The picture classes' failures, named as the class library names them. Every one carries
// the text the user sees.
#pragma once

#include "objectlist/exceptions.h"

namespace duebell::pictures {

// A picture that cannot be what it claims: "Bitmap image is not valid", "Icon image is not
// valid".
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation a picture refuses: a bad GIF file, a size change, nothing to write.
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// Data that ends early or does not hold together: always "Stream read error".
class EReadError : public Exception {
public:
    EReadError() : Exception("Stream read error") {}
};

// Bytes a stream would not take: "Stream write error".
class EWriteError : public Exception {
public:
    EWriteError() : Exception("Stream write error") {}
};

// A file that cannot be opened: "Cannot open file "name". reason".
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

} // namespace duebell::pictures
