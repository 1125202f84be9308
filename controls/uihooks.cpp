#include "controls/uihooks.h"

#include "objectlist/exceptions.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <cstdio>

namespace duebell {

namespace {

void DefaultBeep() {
    if (QCoreApplication::instance() != nullptr)
        QApplication::beep();
}

std::string DefaultClipboardRead() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return {};
    return QGuiApplication::clipboard()->text().toStdString();
}

void DefaultClipboardWrite(const std::string& text) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void DefaultInformation(const std::string& text) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             QString::fromStdString(text));
}

TCursor currentScreenCursor = crDefault;

void DefaultScreenCursor(TCursor cursor) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
    if (cursor != crDefault)
        QGuiApplication::setOverrideCursor(CursorFor(cursor));
}

void DefaultExceptionHandler(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unhandled error: %s\n", e.what());
    } catch (...) {
        std::fputs("Unhandled error of unknown kind\n", stderr);
    }
}

BeepHook& beepHook() {
    static BeepHook hook = DefaultBeep;
    return hook;
}

ClipboardHook& clipboardHook() {
    static ClipboardHook hook{DefaultClipboardRead, DefaultClipboardWrite};
    return hook;
}

InformationHook& informationHook() {
    static InformationHook hook = DefaultInformation;
    return hook;
}

ScreenCursorHook& screenCursorHook() {
    static ScreenCursorHook hook = DefaultScreenCursor;
    return hook;
}

ExceptionHandler& exceptionHandler() {
    static ExceptionHandler handler = DefaultExceptionHandler;
    return handler;
}

} // namespace

void MessageBeep() {
    beepHook()();
}

BeepHook SetBeepHook(BeepHook hook) {
    BeepHook previous = beepHook();
    beepHook() = hook ? std::move(hook) : BeepHook(DefaultBeep);
    return previous;
}

std::string ClipboardText() {
    return clipboardHook().read();
}

void SetClipboardText(const std::string& text) {
    clipboardHook().write(text);
}

ClipboardHook SetClipboardHook(ClipboardHook hook) {
    ClipboardHook previous = clipboardHook();
    if (!hook.read)
        hook.read = DefaultClipboardRead;
    if (!hook.write)
        hook.write = DefaultClipboardWrite;
    clipboardHook() = std::move(hook);
    return previous;
}

void ShowInformation(const std::string& text) {
    informationHook()(text);
}

InformationHook SetInformationHook(InformationHook hook) {
    InformationHook previous = informationHook();
    informationHook() = hook ? std::move(hook) : InformationHook(DefaultInformation);
    return previous;
}

QCursor CursorFor(TCursor cursor) {
    switch (cursor) {
    case crCross:
        return QCursor(Qt::CrossCursor);
    case crIBeam:
        return QCursor(Qt::IBeamCursor);
    case crSizeNS:
        return QCursor(Qt::SizeVerCursor);
    case crSizeWE:
        return QCursor(Qt::SizeHorCursor);
    case crHourGlass:
        return QCursor(Qt::WaitCursor);
    case crDrag:
    case crExDragCur:
        return QCursor(Qt::ClosedHandCursor);
    case crNo:
        return QCursor(Qt::ForbiddenCursor);
    case crHandPoint:
        return QCursor(Qt::PointingHandCursor);
    case crExHand:
        return QCursor(Qt::OpenHandCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

void SetScreenCursor(TCursor cursor) {
    currentScreenCursor = cursor;
    screenCursorHook()(cursor);
}

TCursor ScreenCursor() {
    return currentScreenCursor;
}

ScreenCursorHook SetScreenCursorHook(ScreenCursorHook hook) {
    ScreenCursorHook previous = screenCursorHook();
    screenCursorHook() = hook ? std::move(hook) : ScreenCursorHook(DefaultScreenCursor);
    return previous;
}

ExceptionHandler SetExceptionHandler(ExceptionHandler handler) {
    ExceptionHandler previous = exceptionHandler();
    exceptionHandler() = handler ? std::move(handler) : ExceptionHandler(DefaultExceptionHandler);
    return previous;
}

void HandleException(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const EAbort&) {
            return;
        } catch (...) {
        }
        exceptionHandler()(error);
    } catch (...) {
        // A failing handler must not take the event loop down with it.
        std::fputs("The error handler itself failed\n", stderr);
    }
}

} // namespace duebell
