// The one exception tree of the program. Every failure is an Exception (or derived);
// the application-wide handler shows its message, except for EAbort.
#pragma once

#include <stdexcept>
#include <string>

namespace duebell {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// The silent abort: ends an operation (a question answered with Cancel) and is never shown.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// A text that does not read as the number or date it should be.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A sum or product of amounts (or counts) beyond what its type holds.
class EOverflow : public Exception {
public:
    using Exception::Exception;
};

// Misuse of the record and list library: bad property name or type, sort-field setters, locate.
class ETovObjectListError : public Exception {
public:
    using Exception::Exception;
};

// Faults of the program itself; the message starts with "Internal error.  ".
inline Exception InternalError(const std::string& detail) {
    return Exception("Internal error.  " + detail);
}

} // namespace duebell
