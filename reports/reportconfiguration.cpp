#include "reports/reportconfiguration.h"

#include "domain/configuration.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"

namespace duebell {

const TMorvaneConfiguration& LoadedConfiguration() {
    const TMorvaneConfiguration* configuration = Configuration();
    if (configuration == nullptr)
        throw InternalError("The configuration is not loaded.");
    return *configuration;
}

} // namespace duebell
