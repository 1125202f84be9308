#include "app/main/programrestart.h"

#include "objectlist/exceptions.h"

#include <QCoreApplication>
#include <QProcess>

namespace duebell {

void StartProgramAgain() {
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                 QCoreApplication::arguments().mid(1)))
        throw Exception("Duebell could not start again.  Please start it yourself.");
}

} // namespace duebell
