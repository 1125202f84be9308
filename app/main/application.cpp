#include "app/main/application.h"

#include "controls/fontmap.h"
#include "controls/uihooks.h"

namespace duebell {

TDuebellApplication::TDuebellApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Duebell");
    setFont(InterfaceFont());
}

bool TDuebellApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}

} // namespace duebell
