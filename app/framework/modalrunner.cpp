#include "app/framework/modalrunner.h"

#include "objectlist/exceptions.h"

#include <QDialog>
#include <QGuiApplication>

namespace duebell {

namespace {

int ExecDialog(QDialog& dialog) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        throw InternalError("The dialog \"" + dialog.windowTitle().toStdString() +
                            "\" was shown where no one can answer it.");
    return dialog.exec();
}

ModalRunner& Runner() {
    static ModalRunner runner = ExecDialog;
    return runner;
}

} // namespace

int ExecModal(QDialog& dialog) {
    // A copy: the runner may install another one while the dialog runs.
    const ModalRunner runner = Runner();
    return runner(dialog);
}

ModalRunner SetModalRunner(ModalRunner runner) {
    ModalRunner previous = Runner();
    Runner() = runner ? std::move(runner) : ModalRunner(ExecDialog);
    return previous;
}

} // namespace duebell
