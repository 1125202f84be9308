// What the user sees while a job prints: how far it got, and a Cancel that stops the job.
// Made through one replaceable factory: the program shows a progress dialog that keeps the
// user out of every other window while pages print; tests install a scripted one.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace duebell {

class TPqPrintProgress {
public:
    virtual ~TPqPrintProgress() = default;
    // 'printed' of 'total' pages are done; false once the user asked to cancel.
    virtual bool Step(int printed, int total) = 0;
};

using PrintProgressFactory =
    std::function<std::unique_ptr<TPqPrintProgress>(const std::string& title, int total)>;

// Installs a factory and returns the previous one; an empty factory restores the default, an
// application-modal QProgressDialog with Cancel that appears once a job takes half a second.
PrintProgressFactory SetPrintProgressFactory(PrintProgressFactory factory);
std::unique_ptr<TPqPrintProgress> CreatePrintProgress(const std::string& title, int total);

} // namespace duebell
