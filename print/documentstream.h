// The document stream: a whole document (paper, orientation, the pooled resources, the header
// and footer bands, every page with its objects) as bytes, and back. The preview saves and
// loads it and copies itself through it.
//
// Reading trusts nothing it reads: every count, size and offset is checked against the bytes
// left, and a stream that does not hold up raises Exception("Stream read error") with the
// document untouched; a document is replaced only once the whole stream has been read.
#pragma once

#include "print/document.h"

namespace duebell {

// The version this library writes, and the first whose streams hold the page size.
inline constexpr double PqDocumentVersion = 2.83;
// Streams older than this are read, after a message that they are not supported.
inline constexpr double PqOldestSupportedVersion = 2.80;

// Writes the whole document, the version first.
void WriteDocument(TPqDocument& document, TPqStream& stream);

// Reads the version that begins a stream; below PqOldestSupportedVersion the library's
// message box says such files are not supported (reading may go on).
double ReadDocumentVersion(TPqStream& stream);

// Reads the rest of a stream of the given version into 'document', replacing its pages,
// pools, bands, paper and orientation; no event of the document fires for the pages read.
// Rich text is read through the rich edits 'needRichEdit' supplies (resourcetable.h).
void ReadDocument(TPqDocument& document, TPqStream& stream, double version,
                  const TPqNeedRichEdit& needRichEdit = {});

} // namespace duebell
