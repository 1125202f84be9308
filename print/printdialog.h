// The print dialog a job shows before it starts, where the user chooses the printer (or
// "print to file", which gives a PDF), copies and range. It runs through one replaceable
// runner: the program keeps Qt's own dialog, tests install one that answers at once.
#pragma once

#include <QPrinter>
#include <functional>

namespace duebell {

// Runs a print dialog on 'printer'; true when the user chose to print.
using PrintDialogRunner = std::function<bool(QPrinter& printer)>;

// Installs a runner and returns the previous one; an empty runner restores the default, a
// modal QPrintDialog over the active window.
PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner);
bool RunPrintDialog(QPrinter& printer);

} // namespace duebell
