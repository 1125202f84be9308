// Every print test runs inside one QApplication, created before the first case. CTest selects
// the offscreen platform; a test run by hand gets it too. No modal print dialog may block a
// test: the print dialog answers "print" at once unless a test installs another.
#include "controls/fontmap.h"
#include "print/printdialog.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QCoreApplication::instance()) {
            application_ = new QApplication(argc_, argv_);
            QApplication::setFont(duebell::InterfaceFont()); // as the program sets it
        }
        duebell::SetPrintDialogRunner([](QPrinter&) { return true; });
    }
    void TearDown() override {
        delete application_;
        application_ = nullptr;
    }

private:
    int argc_ = 1;
    char name_[16] = "print_test";
    char* argv_[2] = {name_, nullptr};
    QApplication* application_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
