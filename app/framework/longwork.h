// Work on the window's thread that can take longer than a second (an export, an import, a
// rebuild of every loan) says so. From the moment it starts the busy cursor shows, and the
// windows are painted once, so the dialog that asked for the work is gone from the screen
// rather than left frozen on it. Should the work still run a few seconds later, a progress
// dialog names it and follows its steps. Nothing typed or clicked is taken while it runs.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <cstddef>
#include <memory>

class QProgressDialog;

namespace duebell {

class LongWork {
public:
    // How long the work runs before its progress dialog shows.
    static constexpr std::chrono::milliseconds ProgressDialogAfter{3000};

    // `caption` names the work in its progress dialog ("Importing...").
    explicit LongWork(QString caption,
                      std::chrono::milliseconds progressDialogAfter = ProgressDialogAfter);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // Between two steps of the work: `done` of `total`. Now and then paints what waits to be
    // painted, and shows or moves on the progress dialog.
    void Step(std::size_t done, std::size_t total);

private:
    QString caption_;
    std::chrono::milliseconds progressDialogAfter_;
    QElapsedTimer running_;
    QElapsedTimer sincePainted_;
    std::unique_ptr<QProgressDialog> progress_;
};

} // namespace duebell
