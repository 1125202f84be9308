// The page navigator: a bar of thirteen buttons bound to one preview for page navigation,
// page management and zoom. It listens to the preview and keeps its buttons enabled to suit.
#pragma once

#include "print/previewmessages.h"

#include <QFrame>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <array>
#include <cstdint>
#include <functional>

namespace duebell {

class TPqPreview;

enum TPqNavigateBtn {
    pqFirstPage,
    pqPrevPage,
    pqNextPage,
    pqLastPage,
    pqAddPage,
    pqDeletePage,
    pqClear,
    pqZoomIn,
    pqZoomOut,
    pqActualSize,
    pqFitWidth,
    pqFitHeight,
    pqFitWholePage
};
inline constexpr int NavigateButtonCount = 13;

// A set of buttons, one bit per TPqNavigateBtn.
using TPqNavButtonSet = std::uint16_t;
inline constexpr TPqNavButtonSet NavButton(TPqNavigateBtn button) {
    return static_cast<TPqNavButtonSet>(1u << button);
}
inline constexpr TPqNavButtonSet AllNavButtons = (1u << NavigateButtonCount) - 1;

// A speed button that knows which navigator button it is.
class TPqNavButton : public QToolButton {
    Q_OBJECT
public:
    TPqNavButton(TPqNavigateBtn kind, QWidget* parent);
    TPqNavigateBtn Kind() const { return kind_; }

private:
    TPqNavigateBtn kind_;
};

class TPqPageNavigator : public QFrame, private TPqPreviewListener {
    Q_OBJECT
public:
    explicit TPqPageNavigator(QWidget* parent = nullptr);
    ~TPqPageNavigator() override;

    // The class name and the library's version.
    static QString About();
    // 0 for the page buttons, 1 for page management, 2 for zoom, 3 for the fits.
    static int ButtonGroup(TPqNavigateBtn button);
    static QString DefaultHint(TPqNavigateBtn button);

    TPqPreview* Preview() const { return preview_; }
    void SetPreview(TPqPreview* preview);
    TPqNavButton& Button(TPqNavigateBtn button) const { return *buttons_[button]; }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    bool SingleBorder() const { return singleBorder_; }
    void SetSingleBorder(bool single);
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonSize(int width, int height);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool GroupButtons() const { return groupButtons_; }
    void SetGroupButtons(bool group);
    int GroupSpacing() const { return groupSpacing_; }
    void SetGroupSpacing(int spacing);
    bool ShowButtonHints() const { return showButtonHints_; }
    void SetShowButtonHints(bool show);
    TPqNavButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TPqNavButtonSet buttons);
    // The bar's context menu, which every button shares: a right click on the bar or on any
    // of its buttons opens it there. The caller keeps the menu; none opens nothing.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    // Enables each button for the preview's state (all disabled without a preview).
    void UpdateButtons();
    // Places the visible buttons centred in groups and sizes the bar to hold them.
    void ArrangeButtons();
    // The visible buttons' widths plus the spacing between groups.
    int TotalWidth() const;
    // Asks OnGetButtonHint for every button's hint, then arranges and updates the buttons:
    // what the bar does once its owner has set it up.
    void Loaded();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // After a button's action, with the button pressed.
    std::function<void(TPqNavigateBtn button)> OnClickButton;
    std::function<void(TPqNavigateBtn button, QString& hint)> OnGetButtonHint;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The buttons' context-menu requests open the bar's menu.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PreviewMessage(TPqPreviewMessage message, int wParam) override;
    void Click(TPqNavigateBtn button);
    void ApplyHints();
    int BorderSize() const;

    QPointer<TPqPreview> preview_;
    QPointer<QMenu> popupMenu_;
    std::array<TPqNavButton*, NavigateButtonCount> buttons_{};
    std::array<QString, NavigateButtonCount> hints_;
    bool autoSize_ = false;
    int borderWidth_ = 6;
    bool singleBorder_ = true;
    int buttonWidth_ = 34;
    int buttonHeight_ = 34;
    bool flat_ = false;
    bool groupButtons_ = true;
    int groupSpacing_ = 8;
    bool showButtonHints_ = true;
    TPqNavButtonSet visibleButtons_ = AllNavButtons;
    bool arranging_ = false;
};

} // namespace duebell
