#include "print/messages.h"

#include <iostream>

namespace duebell {

namespace {

class ErrorOutputSink : public TPqMessageSink {
public:
    void Information(const std::string& text) override { std::cerr << text << '\n'; }
};

ErrorOutputSink defaultSink;
TPqMessageSink* currentSink = &defaultSink;

} // namespace

TPqMessageSink* SetPqMessageSink(TPqMessageSink* sink) {
    TPqMessageSink* previous = currentSink;
    currentSink = sink ? sink : &defaultSink;
    return previous;
}

void ShowPqError(const std::string& componentClassName, const std::string& message) {
    currentSink->Information(componentClassName + " Error...\n\n" + message);
}

void ShowPqMessage(const std::string& message) {
    currentSink->Information(message);
}

} // namespace duebell
