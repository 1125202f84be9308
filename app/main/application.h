// The program's application object. Its event dispatch is the last guard: an exception that
// escaped an event handler's own guard goes to the application-wide handler instead of
// unwinding through Qt.
#pragma once

#include <QApplication>

namespace duebell {

class TDuebellApplication : public QApplication {
    Q_OBJECT

public:
    TDuebellApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace duebell
