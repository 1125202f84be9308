#include "print/printprogress.h"

#include <QApplication>
#include <QProgressDialog>

namespace duebell {

namespace {

class ProgressDialog : public TPqPrintProgress {
public:
    ProgressDialog(const std::string& title, int total)
        : dialog_(QString(), QStringLiteral("Cancel"), 0, total, QApplication::activeWindow()) {
        dialog_.setWindowTitle(QString::fromStdString(title));
        // Nothing else may be touched while pages print: no closing the preview, no second
        // job, no deleting pages.
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(500);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        Label(0, total);
        dialog_.setValue(0);
    }

    bool Step(int printed, int total) override {
        Label(printed, total);
        // Once shown, this is where the user's Cancel is heard.
        dialog_.setValue(printed);
        return !dialog_.wasCanceled();
    }

private:
    void Label(int printed, int total) {
        dialog_.setLabelText(
            QStringLiteral("Printing page %1 of %2").arg(std::min(printed + 1, total)).arg(total));
    }

    QProgressDialog dialog_;
};

// Without a widget application nobody can cancel.
class SilentProgress : public TPqPrintProgress {
public:
    bool Step(int, int) override { return true; }
};

std::unique_ptr<TPqPrintProgress> DefaultProgress(const std::string& title, int total) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return std::make_unique<SilentProgress>();
    return std::make_unique<ProgressDialog>(title, total);
}

PrintProgressFactory& factory() {
    static PrintProgressFactory f = DefaultProgress;
    return f;
}

} // namespace

PrintProgressFactory SetPrintProgressFactory(PrintProgressFactory f) {
    PrintProgressFactory previous = factory();
    factory() = f ? std::move(f) : PrintProgressFactory(DefaultProgress);
    return previous;
}

std::unique_ptr<TPqPrintProgress> CreatePrintProgress(const std::string& title, int total) {
    return factory()(title, total);
}

} // namespace duebell
