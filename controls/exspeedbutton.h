// TExSpeedButton: a push button without focus that shows a glyph and a caption, can stay down
// as one of a group, can repeat its click while held, can drop down a menu, can be flat
// (raised only under the mouse) and transparent, and gives its form its modal result.
#pragma once

#include "controls/alignment.h"
#include "controls/buttonglyph.h"
#include "controls/speedbuttonlogic.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace duebell {

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

class TExSpeedButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(bool AllowTimer READ AllowTimer WRITE SetAllowTimer)
    Q_PROPERTY(int InitPause READ InitPause WRITE SetInitPause)
    Q_PROPERTY(int RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)

public:
    explicit TExSpeedButton(QWidget* parent = nullptr);
    ~TExSpeedButton() override;

    // How many buttons exist in the process.
    static int LiveCount();

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Down() const { return logic_.Down(); }
    void SetDown(bool down) { logic_.SetDown(down); }
    int GroupIndex() const { return logic_.GroupIndex(); }
    void SetGroupIndex(int index) { logic_.SetGroupIndex(index); }
    bool AllowAllUp() const { return logic_.AllowAllUp(); }
    void SetAllowAllUp(bool allow) { logic_.SetAllowAllUp(allow); }
    bool AllowTimer() const { return logic_.AllowTimer(); }
    void SetAllowTimer(bool allow) { logic_.SetAllowTimer(allow); }
    int InitPause() const { return logic_.InitPause; }
    void SetInitPause(int ms) { logic_.InitPause = ms; }
    int RepeatInterval() const { return logic_.RepeatInterval; }
    void SetRepeatInterval(int ms) { logic_.RepeatInterval = ms; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool on);
    bool MarkDropDown() const { return markDropDown_; }
    void SetMarkDropDown(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style);
    int Margin() const { return margin_; }
    // Values below -1 are refused.
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int count);

    QMenu* DropDownMenu() const { return menu_; }
    void SetDropDownMenu(QMenu* menu);
    TExDropDownMenuPos MenuPosition() const { return menuPosition_; }
    void SetMenuPosition(TExDropDownMenuPos position) { menuPosition_ = position; }

    // The action the button stands for. Whenever the action changes, the button takes its
    // text as Caption, its tooltip as hint, its enabled and visible states and, in a group
    // (GroupIndex not 0), its checked state as Down; a button without a glyph takes the
    // action's icon, drawn on fuchsia, its transparent colour. A click with no OnClick
    // triggers the action. nullptr unlinks; an action that is destroyed unlinks itself.
    QAction* Action() const { return action_; }
    void SetAction(QAction* action);

    TExButtonState State() const { return logic_.State(); }
    bool TimerActive() const { return logic_.TimerActive(); }

    // Gives the form the button's modal result, then runs OnClick (or, with none, triggers the
    // linked action). When that raises, the form gets its previous result back and the error
    // goes on to the caller.
    virtual void Click();

    // A handler may close (delete) the button's window.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    QSize sizeHint() const override { return {25, 25}; }

signals:
    // Down changed (set, pressed, or released by another button of the group); silent while
    // the button's signals are blocked (the fill lock). Slots must handle their own errors.
    void DownChanged(bool down);

protected:
    // Paints glyph and caption into the contents rectangle for a state.
    virtual void PaintGlyphAndCaption(QPainter& painter, const QRect& rect, TExButtonState state);
    // The rectangle inside the face the button draws for a state.
    QRect DrawFace(QPainter& painter, TExButtonState paintState);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void NotifyGroup();
    void ShowMenu();
    void UpdateShortcut();
    void UpdateAccessibleName();
    void ActionChanged();
    bool NewLook() const { return style_ != bsWin31; }

    SpeedButtonLogic logic_;
    TExButtonGlyph glyph_;
    QString caption_;
    bool flat_ = false;
    bool transparent_ = false;
    bool grayedInactive_ = true;
    bool markDropDown_ = true;
    bool wordWrap_ = false;
    bool menuTracking_ = false;
    TAlignment alignment_ = taCenter;
    TButtonLayout layout_ = blGlyphTop;
    TButtonStyle style_ = bsAutoDetect;
    int margin_ = -1;
    int spacing_ = 1;
    int modalResult_ = 0;
    int shortcutId_ = 0;
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
    QMetaObject::Connection actionChange_;
    bool hiddenByAction_ = false;
    QString shownName_; // the accessible name the button gave itself
    TExDropDownMenuPos menuPosition_ = dmpBottom;
};

} // namespace duebell
