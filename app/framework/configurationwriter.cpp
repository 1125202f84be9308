#include "app/framework/configurationwriter.h"

#include "objectlist/exceptions.h"

#include <utility>

namespace duebell {

namespace {

ConfigurationWriter& InstalledWriter() {
    static ConfigurationWriter writer;
    return writer;
}

} // namespace

void WriteConfiguration() {
    const ConfigurationWriter& writer = InstalledWriter();
    if (!writer)
        throw InternalError("There is nowhere to write the configuration.");
    writer();
}

ConfigurationWriter SetConfigurationWriter(ConfigurationWriter writer) {
    return std::exchange(InstalledWriter(), std::move(writer));
}

} // namespace duebell
