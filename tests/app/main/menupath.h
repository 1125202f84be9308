#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace duebell::test {

// The menu entry a path of captions names ("&File/&Import..."), or nullptr when there is none.
inline QAction* MenuPath(QMainWindow& window, const QString& path) {
    QList<QAction*> actions = window.menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : path.split('/')) {
        found = nullptr;
        for (QAction* action : actions)
            if (action->text() == caption)
                found = action;
        if (found == nullptr)
            return nullptr;
        if (found->menu() != nullptr)
            actions = found->menu()->actions();
    }
    return found;
}

} // namespace duebell::test
