// The exception classes of the zip library. Each carries only its message; the texts come
// from zipmessages.h.
#pragma once

#include "objectlist/exceptions.h"

namespace duebell::zip {

// The central directory cannot be read, or its entries share data.
class EBadZipFile : public Exception {
public:
    using Exception::Exception;
};

// No end record was found and the archive is taken as part of a multi-disk set.
class EIncompleteZip : public Exception {
public:
    using Exception::Exception;
};

// No end record was found and the file is taken as no archive at all.
class ENotAZipFile : public Exception {
public:
    using Exception::Exception;
};

// The compressed data of an entry end before its declared size.
class EFatalUnzipError : public Exception {
public:
    using Exception::Exception;
};

// The owner cancelled, or a dialog or disk request was cancelled.
class EUserCanceled : public Exception {
public:
    using Exception::Exception;
};

// An entry decodes to more bytes than its declared uncompressed size.
class EBiggerThanUncompressed : public Exception {
public:
    using Exception::Exception;
};

// An entry decodes to fewer bytes than its declared uncompressed size.
class ESmallerThanUncompressed : public Exception {
public:
    using Exception::Exception;
};

// The archive being written does not fit where it is written.
class ENotEnoughRoom : public Exception {
public:
    using Exception::Exception;
};

// An extracted file cannot be written completely.
class ECantWriteUCF : public Exception {
public:
    using Exception::Exception;
};

// Misuse of an object list: bad index, unknown object, duplicate in a sorted list.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Stream failures: the file cannot be opened or created, a read or write falls short.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

} // namespace duebell::zip
