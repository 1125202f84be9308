// The print dialog answered by the test: "print to file" into the named PDF, counting how
// often the dialog came.
#pragma once

#include "print/printdialog.h"

#include <QPrinter>
#include <QString>

namespace duebell::test {

class PrintToFile {
public:
    explicit PrintToFile(QString file)
        : file_(std::move(file)), previous_(SetPrintDialogRunner([this](QPrinter& printer) {
              ++shown;
              printer.setOutputFileName(file_);
              return true;
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
