#include "print/printresources.h"

#include <QtCore/qglobal.h>

// Resource initialisers are declared in the global namespace.
static void InitialisePrintResources() {
    Q_INIT_RESOURCE(printresources);
}

namespace duebell {

void EnsurePrintResources() {
    static const bool initialised = (InitialisePrintResources(), true);
    (void)initialised;
}

} // namespace duebell
