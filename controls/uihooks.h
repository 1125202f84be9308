// The few places where a control reaches out to the desktop: the beep, the mouse cursor,
// the clipboard, information messages and the application-wide exception handler. Each goes through a replaceable
// hook, so the program can install its own and tests can count beeps, read the clipboard
// and record the exceptions that event handlers raised.
#pragma once

#include <QCursor>
#include <exception>
#include <functional>
#include <string>

namespace duebell {

// --- Beep -------------------------------------------------------------------------------
using BeepHook = std::function<void()>;
// Sounds the standard beep through the hook (by default QApplication::beep).
void MessageBeep();
// Installs a hook and returns the previous one; an empty hook restores the default.
BeepHook SetBeepHook(BeepHook hook);

// --- Clipboard (plain text) ---------------------------------------------------------------
struct ClipboardHook {
    std::function<std::string()> read;
    std::function<void(const std::string&)> write;
};
std::string ClipboardText();
void SetClipboardText(const std::string& text);
ClipboardHook SetClipboardHook(ClipboardHook hook);

// --- Information messages ------------------------------------------------------------------
// A message shown as information with an OK button (by default a QMessageBox, or a line on
// stderr when there is no widget application).
using InformationHook = std::function<void(const std::string&)>;
void ShowInformation(const std::string& text);
InformationHook SetInformationHook(InformationHook hook);

// --- Cursors ------------------------------------------------------------------------------
// The class library's cursor numbers, and the two extra screen cursors of the controls.
enum TCursor : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNS = -7,
    crSizeWE = -9,
    crHourGlass = -11,
    crDrag = -12,
    crNo = -18,
    crHandPoint = -21,
    crExHand = 14000,    // a hand
    crExDragCur = 14001, // dragging
};
// The Qt cursor shown for a cursor number (unknown numbers show the arrow).
QCursor CursorFor(TCursor cursor);

// The screen cursor overrides every window's own cursor until set back to crDefault.
using ScreenCursorHook = std::function<void(TCursor)>;
void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();
ScreenCursorHook SetScreenCursorHook(ScreenCursorHook hook);

// --- Exceptions from event handlers -------------------------------------------------------
// No exception may unwind through Qt's frames. Every slot, event override and timer
// handler of the controls runs its body through GuardEvent, which hands whatever escapes to
// HandleException. The silent abort (EAbort) is dropped there; anything else goes to the
// application-wide handler the program installs (by default a line on stderr).
using ExceptionHandler = std::function<void(std::exception_ptr)>;
ExceptionHandler SetExceptionHandler(ExceptionHandler handler);
void HandleException(std::exception_ptr error) noexcept;

template <class F> void GuardEvent(F&& body) noexcept {
    try {
        body();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

} // namespace duebell
