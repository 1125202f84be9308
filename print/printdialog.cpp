#include "print/printdialog.h"

#include <QApplication>
#include <QPrintDialog>

namespace duebell {

namespace {

bool DefaultPrintDialog(QPrinter& printer) {
    // Without a widget application there is nobody to ask: the job goes where it is set.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return true;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    // The job prints the pages its caller asked for; the dialog offers no range of its own.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

PrintDialogRunner& runner() {
    static PrintDialogRunner r = DefaultPrintDialog;
    return r;
}

} // namespace

PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner r) {
    PrintDialogRunner previous = runner();
    runner() = r ? std::move(r) : PrintDialogRunner(DefaultPrintDialog);
    return previous;
}

bool RunPrintDialog(QPrinter& printer) {
    return runner()(printer);
}

} // namespace duebell
