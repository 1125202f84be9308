#include "print/pagenavigator.h"

#include "controls/uihooks.h"
#include "print/previewwidget.h"
#include "print/printresources.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QPalette>
#include <QPixmap>

namespace duebell {

namespace {

struct ButtonInfo {
    const char* glyph;
    const char* hint;
};

constexpr ButtonInfo Buttons[NavigateButtonCount] = {
    {"FIRST", "First Page"},
    {"PREV", "Previous Page"},
    {"NEXT", "Next Page"},
    {"LAST", "Last Page"},
    {"ADDPAGE", "Add Page"},
    {"DELETEPAGE", "Delete Current Page"},
    {"CLEAR", "Clear"},
    {"ZOOMIN", "Zoom In"},
    {"ZOOMOUT", "Zoom Out"},
    {"ACTUALSIZE", "Actual Size"},
    {"FITWIDTH", "Fit Width"},
    {"FITHEIGHT", "Fit Height"},
    {"FITWHOLEPAGE", "Fit Whole Page"},
};

bool Visible(TPqNavButtonSet set, int button) {
    return (set & NavButton(static_cast<TPqNavigateBtn>(button))) != 0;
}

} // namespace

TPqNavButton::TPqNavButton(TPqNavigateBtn kind, QWidget* parent)
    : QToolButton(parent), kind_(kind) {
    setIcon(QIcon(QPixmap(QString(":/print/glyphs/") + Buttons[kind].glyph)));
    setIconSize(QSize(16, 16));
}

QString TPqPageNavigator::About() {
    return QStringLiteral("TPqPageNavigator v2.83");
}

int TPqPageNavigator::ButtonGroup(TPqNavigateBtn button) {
    if (button <= pqLastPage)
        return 0;
    if (button <= pqClear)
        return 1;
    if (button <= pqActualSize)
        return 2;
    return 3;
}

QString TPqPageNavigator::DefaultHint(TPqNavigateBtn button) {
    return QString::fromLatin1(Buttons[button].hint);
}

TPqPageNavigator::TPqPageNavigator(QWidget* parent) : QFrame(parent) {
    EnsurePrintResources();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);
    for (int i = 0; i < NavigateButtonCount; ++i) {
        auto kind = static_cast<TPqNavigateBtn>(i);
        buttons_[i] = new TPqNavButton(kind, this);
        // A disabled button passes no context-menu request on: the bar listens for its own.
        buttons_[i]->installEventFilter(this);
        hints_[i] = DefaultHint(kind);
        QObject::connect(buttons_[i], &QToolButton::clicked, this,
                         [this, kind] { GuardEvent([&] { Click(kind); }); });
    }
    ApplyHints();
    resize(TotalWidth() + 18, buttonHeight_ + 16);
    ArrangeButtons();
    UpdateButtons();
}

TPqPageNavigator::~TPqPageNavigator() {
    if (preview_)
        preview_->Model().UnregisterListener(this);
}

void TPqPageNavigator::SetPreview(TPqPreview* preview) {
    if (preview_)
        preview_->Model().UnregisterListener(this);
    preview_ = preview;
    if (preview_)
        preview_->Model().RegisterListener(this);
    UpdateButtons();
}

void TPqPageNavigator::PreviewMessage(TPqPreviewMessage message, int) {
    switch (message) {
    case pqmPaperImageChanged:
    case pqmCurrentPageChanged:
    case pqmPageCountChanged:
    case pqmZoomChanged:
        UpdateButtons();
        break;
    default:
        break;
    }
}

void TPqPageNavigator::UpdateButtons() {
    if (!preview_) {
        for (TPqNavButton* button : buttons_)
            button->setEnabled(false);
        return;
    }
    const TPqPreviewModel& model = preview_->Model();
    bool notFirst = model.CurrentPage() > 1;
    bool notLast = model.PageCount() > model.CurrentPage();
    buttons_[pqFirstPage]->setEnabled(notFirst);
    buttons_[pqPrevPage]->setEnabled(notFirst);
    buttons_[pqNextPage]->setEnabled(notLast);
    buttons_[pqLastPage]->setEnabled(notLast);
    buttons_[pqZoomIn]->setEnabled(model.Zoom() < model.MaxZoom());
    buttons_[pqZoomOut]->setEnabled(model.Zoom() > model.MinZoom());
    for (TPqNavigateBtn always :
         {pqAddPage, pqDeletePage, pqClear, pqActualSize, pqFitWidth, pqFitHeight, pqFitWholePage})
        buttons_[always]->setEnabled(true);
}

void TPqPageNavigator::Click(TPqNavigateBtn button) {
    if (!preview_)
        return;
    TPqPreviewModel& model = preview_->Model();
    switch (button) {
    case pqFirstPage:
        model.FirstPage();
        break;
    case pqPrevPage:
        model.PrevPage();
        break;
    case pqNextPage:
        model.NextPage();
        break;
    case pqLastPage:
        model.LastPage();
        break;
    case pqAddPage:
        model.NewPage();
        break;
    case pqDeletePage:
        model.DeleteCurrentPage();
        break;
    case pqClear:
        model.Clear();
        break;
    case pqZoomIn:
        model.ZoomIn();
        break;
    case pqZoomOut:
        model.ZoomOut();
        break;
    case pqActualSize:
        model.SetZoom(100);
        break;
    case pqFitWidth:
        preview_->FitWidth();
        break;
    case pqFitHeight:
        preview_->FitHeight();
        break;
    case pqFitWholePage:
        preview_->FitWholePage();
        break;
    }
    if (OnClickButton)
        OnClickButton(button);
}

int TPqPageNavigator::TotalWidth() const {
    int total = 0;
    int previousGroup = -1;
    for (int i = 0; i < NavigateButtonCount; ++i) {
        if (!Visible(visibleButtons_, i))
            continue;
        int group = ButtonGroup(static_cast<TPqNavigateBtn>(i));
        if (groupButtons_ && previousGroup >= 0 && group != previousGroup)
            total += groupSpacing_;
        total += buttonWidth_;
        previousGroup = group;
    }
    return total;
}

QSize TPqPageNavigator::sizeHint() const {
    return {TotalWidth() + 18, buttonHeight_ + 16};
}

QSize TPqPageNavigator::minimumSizeHint() const {
    return {TotalWidth() + BorderSize(), buttonHeight_ + BorderSize()};
}

int TPqPageNavigator::BorderSize() const {
    return (singleBorder_ ? 4 : 0) + 2 * borderWidth_;
}

void TPqPageNavigator::ArrangeButtons() {
    if (arranging_)
        return;
    arranging_ = true;
    int total = TotalWidth();
    QRect client = contentsRect();
    int x = std::max(0, (client.width() - total) / 2);
    int y = std::max(0, (client.height() - buttonHeight_) / 2);
    int previousGroup = -1;
    for (int i = 0; i < NavigateButtonCount; ++i) {
        TPqNavButton* button = buttons_[i];
        if (!Visible(visibleButtons_, i)) {
            button->setVisible(false);
            button->move(width() + 1, y);
            continue;
        }
        int group = ButtonGroup(static_cast<TPqNavigateBtn>(i));
        if (groupButtons_ && x > 0 && previousGroup >= 0 && group != previousGroup)
            x += groupSpacing_;
        button->setAutoRaise(flat_);
        button->setGeometry(client.left() + x, client.top() + y, buttonWidth_, buttonHeight_);
        button->setVisible(true);
        x += buttonWidth_;
        previousGroup = group;
    }
    int border = BorderSize();
    QSize least(total + border, buttonHeight_ + border);
    if (autoSize_)
        resize(least);
    else if (width() < least.width() || height() < least.height())
        resize(size().expandedTo(least));
    arranging_ = false;
}

void TPqPageNavigator::ApplyHints() {
    for (int i = 0; i < NavigateButtonCount; ++i) {
        buttons_[i]->setToolTip(showButtonHints_ ? hints_[i] : QString());
        // The glyph-only buttons are named by their hints, shown or not.
        buttons_[i]->setAccessibleName(hints_[i]);
    }
}

void TPqPageNavigator::Loaded() {
    if (OnGetButtonHint)
        for (int i = 0; i < NavigateButtonCount; ++i)
            OnGetButtonHint(static_cast<TPqNavigateBtn>(i), hints_[i]);
    ApplyHints();
    ArrangeButtons();
    UpdateButtons();
}

void TPqPageNavigator::resizeEvent(QResizeEvent* event) {
    GuardEvent([&] {
        QFrame::resizeEvent(event);
        ArrangeButtons();
    });
}

void TPqPageNavigator::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    ArrangeButtons();
}

void TPqPageNavigator::SetBorderWidth(int width) {
    borderWidth_ = width;
    ArrangeButtons();
}

void TPqPageNavigator::SetSingleBorder(bool single) {
    singleBorder_ = single;
    setFrameStyle(single ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
    ArrangeButtons();
}

void TPqPageNavigator::SetButtonSize(int width, int height) {
    buttonWidth_ = width;
    buttonHeight_ = height;
    ArrangeButtons();
}

void TPqPageNavigator::SetFlat(bool flat) {
    flat_ = flat;
    ArrangeButtons();
}

void TPqPageNavigator::SetGroupButtons(bool group) {
    groupButtons_ = group;
    ArrangeButtons();
}

void TPqPageNavigator::SetGroupSpacing(int spacing) {
    groupSpacing_ = spacing;
    ArrangeButtons();
}

void TPqPageNavigator::SetShowButtonHints(bool show) {
    showButtonHints_ = show;
    ApplyHints();
}

void TPqPageNavigator::SetVisibleButtons(TPqNavButtonSet buttons) {
    visibleButtons_ = buttons & AllNavButtons;
    ArrangeButtons();
}

bool TPqPageNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu && popupMenu_ &&
        qobject_cast<TPqNavButton*>(watched) != nullptr && watched->parent() == this) {
        popupMenu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TPqPageNavigator::contextMenuEvent(QContextMenuEvent* event) {
    if (!popupMenu_) {
        event->ignore();
        return;
    }
    popupMenu_->popup(event->globalPos());
    event->accept();
}

} // namespace duebell
