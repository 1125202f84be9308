#include "app/main/fontwarmup.h"

#include <QFontDatabase>
#include <QStringList>
#include <system_error>

namespace duebell {

FontListWarmUp::FontListWarmUp() {
    try {
        // The font database guards itself, so the window thread may ask for fonts meanwhile.
        thread_ = std::thread([] {
            try {
                QFontDatabase::families();
            } catch (...) {
                // The first tab lists the fonts again.
            }
        });
    } catch (const std::system_error&) {
    }
}

void FontListWarmUp::wait() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace duebell
