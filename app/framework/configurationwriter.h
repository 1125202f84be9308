// Writing the lender's configuration file from a window that changed the configuration
// outside a settings dialog (a loan deleted with its rate history, the instalment fees set up
// for a new loan). Such a window does not know where the file lives: the program installs the
// writer that saves to its own file; a test installs one that records.
#pragma once

#include <functional>

namespace duebell {

using ConfigurationWriter = std::function<void()>;

// Writes the configuration through the installed writer. With none installed it is an internal
// error, so a change never goes unsaved in silence.
void WriteConfiguration();

// Installs a writer and gives back the previous one; an empty writer removes it.
ConfigurationWriter SetConfigurationWriter(ConfigurationWriter writer);

// Installs a writer while the object lives.
class ScopedConfigurationWriter {
public:
    explicit ScopedConfigurationWriter(ConfigurationWriter writer)
        : previous_(SetConfigurationWriter(std::move(writer))) {}
    ~ScopedConfigurationWriter() { SetConfigurationWriter(std::move(previous_)); }
    ScopedConfigurationWriter(const ScopedConfigurationWriter&) = delete;
    ScopedConfigurationWriter& operator=(const ScopedConfigurationWriter&) = delete;

private:
    ConfigurationWriter previous_;
};

} // namespace duebell
