// A document written as a PDF file through the one renderer, each page on paper of its own
// size and orientation.
#pragma once

#include "print/pagelist.h"

#include <QString>

namespace duebell {

// Prints every page (printable objects, header and footer). The file is replaced only once it
// is complete; false when it cannot be written.
bool WritePdf(const TPqPageList& pages, const QString& fileName, const QString& title);

} // namespace duebell
