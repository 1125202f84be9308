#include "app/help/helpviewer.h"

#include "controls/uihooks.h"
#include "domain/prompt.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

namespace duebell {

namespace {

constexpr int PageRole = Qt::UserRole;

QToolButton* NavigationButton(const char* name, const QString& text, QStyle::StandardPixmap icon,
                              QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setEnabled(false);
    return button;
}

} // namespace

THelpWindow::THelpWindow(HelpBook book) : QWidget(nullptr, Qt::Window), book_(std::move(book)) {
    setObjectName("HelpViewer");
    setWindowTitle("Duebell Help");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(820, 560);

    tabs_ = new QTabWidget(this);
    contents_ = new QTreeWidget(tabs_);
    contents_->setObjectName("tvContents");
    contents_->setHeaderHidden(true);
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpContentsEntry& entry : book_.Contents()) {
        parents.resize(static_cast<std::size_t>(entry.level));
        QTreeWidgetItem* item =
            parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(entry.title));
        item->setData(0, PageRole, QString::fromStdString(entry.page));
        parents.push_back(item);
    }
    contents_->expandAll();
    tabs_->addTab(contents_, "Contents");

    auto* indexPage = new QWidget(tabs_);
    auto* indexLayout = new QVBoxLayout(indexPage);
    keyword_ = new QLineEdit(indexPage);
    keyword_->setObjectName("edtKeyword");
    keyword_->setPlaceholderText("Type the keyword to find");
    index_ = new QListWidget(indexPage);
    index_->setObjectName("lstIndex");
    for (const HelpIndexEntry& entry : book_.Index()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.keyword), index_);
        item->setData(PageRole, QString::fromStdString(entry.page));
    }
    index_->sortItems();
    indexLayout->addWidget(keyword_);
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, "Index");

    page_ = new QTextBrowser(this);
    page_->setObjectName("brwPage");
    page_->setOpenExternalLinks(true);
    page_->setSearchPaths({QString::fromStdString(book_.Folder())});

    auto* back = NavigationButton("btnBack", "Back", QStyle::SP_ArrowBack, this);
    auto* forward = NavigationButton("btnForward", "Forward", QStyle::SP_ArrowForward, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 530});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(back, &QToolButton::clicked, page_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, page_, &QTextBrowser::forward);
    connect(page_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        GuardEvent([&] { ShowPage(item->data(0, PageRole).toString().toStdString()); });
    });
    connect(keyword_, &QLineEdit::textEdited, this,
            [this](const QString& typed) { GuardEvent([&] { ChooseKeyword(typed); }); });
    const auto openKeyword = [this] {
        GuardEvent([this] {
            if (QListWidgetItem* item = index_->currentItem())
                ShowPage(item->data(PageRole).toString().toStdString());
        });
    };
    connect(keyword_, &QLineEdit::returnPressed, this, openKeyword);
    connect(index_, &QListWidget::itemActivated, this, openKeyword);
}

void THelpWindow::ShowPage(const std::string& page) {
    if (!book_.HasPage(page)) {
        ShowMissing(QStringLiteral("the topic \"%1\"").arg(QString::fromStdString(page)));
        return;
    }
    const QString path =
        QString::fromStdString((std::filesystem::path(book_.Folder()) / page).string());
    if (page_->source() != QUrl::fromLocalFile(path))
        page_->setSource(QUrl::fromLocalFile(path));
    // A section heading may open the page of its first entry: mark the entry itself.
    const QString name = QString::fromStdString(page);
    QTreeWidgetItem* mark = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
        if ((*it)->data(0, PageRole).toString() != name)
            continue;
        if (mark == nullptr || (*it)->childCount() == 0)
            mark = *it;
        if ((*it)->childCount() == 0)
            break;
    }
    contents_->setCurrentItem(mark);
    Present();
}

void THelpWindow::ShowUnknownContext(int helpContext) {
    ShowMissing(QStringLiteral("the help context %1").arg(helpContext));
}

void THelpWindow::ShowMissing(const QString& what) {
    page_->setHtml(QStringLiteral("<h1>Duebell Help</h1><p>There is no help for %1.</p>"
                                  "<p><a href=\"%2\">Contents</a></p>")
                       .arg(what.toHtmlEscaped(), QString(HelpContentsPage)));
    contents_->setCurrentItem(nullptr);
    Present();
}

void THelpWindow::ChooseKeyword(const QString& typed) {
    for (int row = 0; row < index_->count(); ++row) {
        if (index_->item(row)->text().startsWith(typed, Qt::CaseInsensitive)) {
            index_->setCurrentRow(row);
            return;
        }
    }
}

void THelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

THtmlHelpViewer::THtmlHelpViewer(std::string helpFolder) : folder_(std::move(helpFolder)) {}

THtmlHelpViewer::~THtmlHelpViewer() = default;

THelpWindow* THtmlHelpViewer::Open() {
    if (!window_) {
        std::optional<HelpBook> book = HelpBook::Open(folder_);
        if (!book)
            return nullptr;
        // Told once, with the window: the rest of the help still opens.
        if (!book->Damage().empty()) {
            std::string lines;
            for (const std::string& line : book->Damage())
                lines += line + "\r";
            CurrentPrompter().Ask(PromptType::Warning, PromptButtons::Ok,
                                  lines + "\rHelp shows what the rest of it holds.");
        }
        window_ = std::make_unique<THelpWindow>(std::move(*book));
    }
    return window_.get();
}

void THtmlHelpViewer::ShowContext(int helpContext) {
    THelpWindow* window = Open();
    if (window == nullptr)
        return;
    const std::string page = window->Book().PageOfContext(helpContext);
    if (page.empty())
        window->ShowUnknownContext(helpContext);
    else
        window->ShowPage(page);
}

void THtmlHelpViewer::ShowContents() {
    if (THelpWindow* window = Open())
        window->ShowPage(HelpContentsPage);
}

void THtmlHelpViewer::ShowTopic(const std::string& topic) {
    if (THelpWindow* window = Open())
        window->ShowPage(topic);
}

} // namespace duebell
