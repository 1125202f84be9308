// The library's message boxes. They go through a replaceable sink so that the program can
// show them in its own dialogs and tests can record them; nothing here ever blocks.
#pragma once

#include <string>

namespace duebell {

class TPqMessageSink {
public:
    virtual ~TPqMessageSink() = default;
    // An information box with an OK button.
    virtual void Information(const std::string& text) = 0;
};

// Installs 'sink' (nullptr restores the default, which writes to the error output) and
// returns the one installed before.
TPqMessageSink* SetPqMessageSink(TPqMessageSink* sink);

// "<class name> Error...", two line breaks, the message.
void ShowPqError(const std::string& componentClassName, const std::string& message);
void ShowPqMessage(const std::string& message);

} // namespace duebell
