// TCustomComboEdit: an edit field with a button at its right end and an optional drop-down
// window. It opens the popup under (or over) the field, closes it on a click outside, on
// focus loss, on Enter or Escape, and takes the popup's value into the field when the
// close-up accepts. ReadOnly, direct input, the click key (Alt+Down) and the painting of an
// unfocused field's text with its alignment live here too.
#pragma once

#include "controls/popupplacement.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QVariant>
#include <functional>

namespace duebell {

class TEditButton;
class TPopupWindow;

enum TGlyphKind { gkCustom = 0, gkDefault = 1, gkDropDown = 2, gkEllipsis = 3 };

class TCustomComboEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)

public:
    explicit TCustomComboEdit(QWidget* parent = nullptr);
    ~TCustomComboEdit() override;

    QString Text() const { return text(); }
    // A changed text fires the change notification (OnChange), as typing does.
    virtual void SetText(const QString& text);

    virtual bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool on);
    bool AlwaysEnable() const { return alwaysEnable_; }
    void SetAlwaysEnable(bool on) { alwaysEnable_ = on; }
    TPopupAlign PopupAlign() const { return popupAlign_; }
    void SetPopupAlign(TPopupAlign align) { popupAlign_ = align; }
    QKeySequence ClickKey() const { return clickKey_; }
    void SetClickKey(const QKeySequence& key) { clickKey_ = key; }
    bool Modified() const { return isModified(); }
    void SetModified(bool modified) { setModified(modified); }

    int ButtonWidth() const;
    // Below 2 the button is hidden.
    void SetButtonWidth(int width);
    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind kind);
    TEditButton* Button() const { return button_; }

    TPopupWindow* Popup() const { return popup_; }
    bool PopupVisible() const { return popupVisible_; }

    // Opens the popup, or closes it with accept when it is open; nothing while ReadOnly.
    void ButtonClick();
    virtual void DropDown();
    void PopupCloseUp(bool accept);

    // Places the popup at a screen point and shows it; HidePopup hides it.
    virtual void ShowPopup(const QPoint& origin);
    virtual void HidePopup();
    void SetPopupValue(const QVariant& value);
    QVariant GetPopupValue() const;
    // Takes a value from the popup into the field (descendants take it their own way).
    virtual void AcceptValue(const QVariant& value);
    virtual bool AcceptPopup(const QVariant& /*value*/) { return true; }
    // Keys typed while the popup is open: Enter accepts, Escape cancels, the rest goes to the
    // field's own key handling.
    virtual void PopupKeyPress(QKeyEvent* event);

    // A handler may close (delete) the field's window.
    std::function<void()> OnButtonClick;
    // The change notification, beside the Changed signal. A handler may close (delete) the
    // field's window.
    std::function<void()> OnChange;

signals:
    // Every change of the text, as OnChange hears it, for whoever connects (the binder).
    // Slots must handle their own errors.
    void Changed();

protected:
    // The change notification: the Changed signal, then OnChange; neither while the field's
    // signals are blocked (the fill lock: a QSignalBlocker while a binder fills the field).
    // Typing and picking reach it through the guard of the event loop, so their errors go to
    // the application's handler; programmatic changes (SetText) call it directly, so their
    // errors go to the caller.
    virtual void Change();
    // The descendant's popup; the field owns it.
    void SetPopup(TPopupWindow* popup);
    // The descendant's own glyph for gkDefault (none in the base).
    virtual QImage DefaultGlyph() const { return {}; }
    // Hands the field's text to the popup before it opens.
    virtual void PreparePopup();
    // Paints `text` with the field's alignment while the field is not focused; answers false
    // (and paints nothing) while it is focused, so the line edit paints as usual.
    bool PaintUnfocusedText(QPainter& painter, const QString& text, Qt::Alignment alignment);
    // Paints `text` with an alignment in the area left of the button, as the field shows it
    // while not being edited.
    void PaintFieldText(QPainter& painter, const QString& text, Qt::Alignment alignment);

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LayoutButton();
    void KeepTextHeight();
    void ApplyEditable();
    void BuildGlyph();

    QWidget* buttonHolder_;
    TEditButton* button_;
    TPopupWindow* popup_ = nullptr;
    bool readOnly_ = false;
    bool directInput_ = true;
    bool alwaysEnable_ = false;
    bool popupVisible_ = false;
    bool closing_ = false;
    TPopupAlign popupAlign_ = paRightEdges;
    QKeySequence clickKey_{Qt::ALT | Qt::Key_Down};
    TGlyphKind glyphKind_ = gkCustom;
};

} // namespace duebell
