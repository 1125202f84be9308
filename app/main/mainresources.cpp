#include "app/main/mainresources.h"

#include <QtCore/qglobal.h>

// Resource initialisers are declared in the global namespace.
static void InitialiseMainResources() {
    Q_INIT_RESOURCE(main);
}

namespace duebell {

void EnsureMainResources() {
    static const bool initialised = (InitialiseMainResources(), true);
    (void)initialised;
}

} // namespace duebell
