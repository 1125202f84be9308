// The system's fonts are listed on their first use, a few milliseconds that would otherwise
// fall to the making of the main window's first tab: listed instead on a thread of their own
// while the files load.
#pragma once

#include <thread>

namespace duebell {

class FontListWarmUp {
public:
    // Starts the listing; nothing when no thread can be had (the first tab lists them).
    FontListWarmUp();
    FontListWarmUp(const FontListWarmUp&) = delete;
    FontListWarmUp& operator=(const FontListWarmUp&) = delete;
    ~FontListWarmUp() { wait(); }

    // Until the fonts are listed.
    void wait();

private:
    std::thread thread_;
};

} // namespace duebell
