// The program's help system: the help pages beside the program shown in a window of their own
// - the table of contents and the index at the left, the page at the right, Back and Forward.
// The window is not modal and never keeps the program running; it opens on the first request.
// With no help folder a request does nothing.
#pragma once

#include "app/framework/helpsystem.h"
#include "app/help/helpbook.h"

#include <QWidget>
#include <memory>
#include <optional>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace duebell {

// The viewer window over one help book.
class THelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit THelpWindow(HelpBook book);

    const HelpBook& Book() const { return book_; }
    // Shows the page (a name inside the help folder) and marks it in the contents; a page the
    // folder does not hold shows that there is no such topic.
    void ShowPage(const std::string& page);
    // Shows that the help has no topic for the context.
    void ShowUnknownContext(int helpContext);

private:
    void ChooseKeyword(const QString& typed);
    void ShowMissing(const QString& what);
    void Present();

    HelpBook book_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* keyword_;
    QListWidget* index_;
    QTextBrowser* page_;
};

class THtmlHelpViewer final : public HelpSystem {
public:
    // The help folder, beside the program.
    explicit THtmlHelpViewer(std::string helpFolder);
    ~THtmlHelpViewer() override;

    void ShowContext(int helpContext) override;
    void ShowContents() override;
    // A page of the help folder by name ("add-client.html").
    void ShowTopic(const std::string& topic) override;

    // The window once a request has opened it.
    THelpWindow* Window() const { return window_.get(); }

private:
    // The window, made on first use; nothing when there is no help folder.
    THelpWindow* Open();

    std::string folder_;
    std::unique_ptr<THelpWindow> window_;
};

} // namespace duebell
