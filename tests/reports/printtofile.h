// The print dialog answered by the test: "print to file" into the named PDF (or cancelled),
// counting how often the dialog came.
#pragma once

#include "print/printdialog.h"

#include <QPrinter>
#include <QString>

namespace duebell::test {

class PrintToFile {
public:
    explicit PrintToFile(QString file, bool accept = true)
        : file_(std::move(file)), previous_(SetPrintDialogRunner([this, accept](QPrinter& printer) {
              ++shown;
              printer.setOutputFileName(file_);
              return accept;
          })) {}
    ~PrintToFile() { SetPrintDialogRunner(previous_); }
    PrintToFile(const PrintToFile&) = delete;
    PrintToFile& operator=(const PrintToFile&) = delete;

    int shown = 0;

private:
    QString file_;
    PrintDialogRunner previous_;
};

} // namespace duebell::test
