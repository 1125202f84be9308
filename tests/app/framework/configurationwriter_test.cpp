// Writing the configuration from a window: through the writer the program installs, never in
// silence without one.
#include "app/framework/configurationwriter.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(ConfigurationWriter, WritesThroughTheInstalledWriterAndRefusesWithoutOne) {
    EXPECT_THROW(WriteConfiguration(), Exception);
    int outer = 0;
    int inner = 0;
    {
        const ScopedConfigurationWriter first([&outer] { ++outer; });
        WriteConfiguration();
        {
            const ScopedConfigurationWriter second([&inner] { ++inner; });
            WriteConfiguration();
            WriteConfiguration();
        }
        WriteConfiguration(); // the first one again
    }
    EXPECT_EQ(outer, 2);
    EXPECT_EQ(inner, 2);
    try {
        WriteConfiguration();
        FAIL() << "written with no writer";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Internal error.  There is nowhere to write the configuration.");
    }
}

} // namespace
} // namespace duebell
