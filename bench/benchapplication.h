// The one QApplication of a benchmark that draws widgets or pages: made on first use, on the
// offscreen platform unless another is asked for, and never destroyed, so Qt's own statics go
// first at exit.
#pragma once

#include <QApplication>

namespace duebell::bench {

inline QApplication& BenchApplication() {
    static int argc = 1;
    static char name[] = "duebell_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

} // namespace duebell::bench
