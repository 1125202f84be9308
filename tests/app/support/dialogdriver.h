// Driving modal dialogs in tests: a modal runner that hands each dialog to the test's answer
// (which looks at it, fills it, presses its buttons) instead of waiting for a person. A dialog
// nobody expected fails the test.
#pragma once

#include "app/framework/modalrunner.h"

#include <QAbstractButton>
#include <QDialog>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace duebell::test {

// Each expected dialog gets the next answer; the answer's return value is the modal result,
// unless the dialog ended itself (a button pressed by the answer): then its own result.
class DialogDriver {
public:
    using Answer = std::function<int(QDialog&)>;

    DialogDriver() : runner_([this](QDialog& dialog) { return Run(dialog); }) {}
    ~DialogDriver() {
        for (std::size_t i = 0; i < answers_.size(); ++i)
            ADD_FAILURE() << "A dialog was expected but never shown";
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    void Expect(Answer answer) { answers_.push_back(std::move(answer)); }
    int shown() const { return shown_; }

private:
    int Run(QDialog& dialog) {
        ++shown_;
        if (answers_.empty()) {
            ADD_FAILURE() << "Unexpected dialog: " << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        ended_ = false;
        const QMetaObject::Connection watch =
            QObject::connect(&dialog, &QDialog::finished, [this](int result) {
                ended_ = true;
                endedWith_ = result;
            });
        const int result = answer(dialog);
        QObject::disconnect(watch);
        return ended_ ? endedWith_ : result;
    }

    std::deque<Answer> answers_;
    int shown_ = 0;
    bool ended_ = false;
    int endedWith_ = 0;
    ScopedModalRunner runner_;
};

// The dialog's button of the given object name; fails the test when there is none.
inline QAbstractButton* ButtonNamed(QDialog& dialog, const std::string& name) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromStdString(name));
    EXPECT_NE(button, nullptr) << "no button " << name;
    return button;
}

} // namespace duebell::test
