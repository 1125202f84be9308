// Test support for the controls: one QApplication for the whole test program, and hooks that
// record beeps, the clipboard and the exceptions that reached the application-wide handler.
#pragma once

#include "controls/uihooks.h"

#include <QImage>
#include <exception>
#include <string>
#include <vector>

namespace duebell::test {

// Creates the application on first use (tests run under QT_QPA_PLATFORM=offscreen).
void EnsureApplication();

// Installs recording hooks for the lifetime of the object and restores the previous ones.
class RecordingHooks {
public:
    RecordingHooks();
    ~RecordingHooks();
    RecordingHooks(const RecordingHooks&) = delete;
    RecordingHooks& operator=(const RecordingHooks&) = delete;

    int beeps = 0;
    std::string clipboard;
    std::vector<std::string> errors; // messages of exceptions handed to the handler

private:
    BeepHook oldBeep_;
    ClipboardHook oldClipboard_;
    ExceptionHandler oldHandler_;
};

// Saves an image under the test output folder and returns its path.
std::string SaveScreenshot(const QImage& image, const std::string& name);

} // namespace duebell::test
