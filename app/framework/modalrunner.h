// Every dialog of the program is shown modally through ExecModal, so that a test can replace
// how: its runner fills the dialog's controls and presses its buttons synchronously, and a
// dialog's whole path (validation, saving, follow-on questions) runs without a window ever
// waiting for a person.
#pragma once

#include <functional>

class QDialog;

namespace duebell {

// Runs the dialog and gives its result: the value it ended with (done(), a button's modal
// result), or the runner's own answer.
using ModalRunner = std::function<int(QDialog& dialog)>;

// Shows the dialog modally through the installed runner. The default runner is QDialog::exec;
// on a platform without a screen to answer on (offscreen) it refuses with an internal error
// instead of waiting for ever.
int ExecModal(QDialog& dialog);

// Installs a runner and gives back the previous one; an empty runner restores the default.
ModalRunner SetModalRunner(ModalRunner runner);

// Installs a runner while the object lives.
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(ModalRunner runner) : previous_(SetModalRunner(std::move(runner))) {}
    ~ScopedModalRunner() { SetModalRunner(std::move(previous_)); }
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

private:
    ModalRunner previous_;
};

} // namespace duebell
