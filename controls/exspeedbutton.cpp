#include "controls/exspeedbutton.h"

#include "controls/guiutils.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace duebell {

namespace {

int liveButtons = 0;

// One step of a 3-D frame drawn inward: top and left lines in one colour, bottom and right
// in the other.
void FrameStep(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    r.adjust(1, 1, -1, -1);
}

void DrawDropDownMark(QPainter& p, QPoint at, const QColor& color) {
    // A small triangle pointing down, 5 pixels wide and 3 high.
    p.setPen(color);
    for (int i = 0; i < 3; ++i)
        p.drawLine(at.x() + i, at.y() + i, at.x() + 4 - i, at.y() + i);
}

} // namespace

TExSpeedButton::TExSpeedButton(QWidget* parent) : QWidget(parent) {
    ++liveButtons;
    resize(25, 25);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    logic_.Repaint = [this] { update(); };
    logic_.NotifyGroup = [this] { NotifyGroup(); };
    logic_.Click = [this] { Click(); };
    logic_.DownChanged = [this] {
        if (!signalsBlocked())
            emit DownChanged(logic_.Down());
    };
}

TExSpeedButton::~TExSpeedButton() {
    --liveButtons;
}

int TExSpeedButton::LiveCount() {
    return liveButtons;
}

void TExSpeedButton::SetCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    UpdateShortcut();
    UpdateAccessibleName();
    update();
}

void TExSpeedButton::UpdateAccessibleName() {
    // A button that paints itself names itself: its caption without the accelerator mark, or
    // its hint; a name the program gave is kept.
    if (!accessibleName().isEmpty() && accessibleName() != shownName_)
        return;
    QString name = caption_;
    name.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
    name.replace(QLatin1String("\x01"), QLatin1String("&"));
    if (name.isEmpty())
        name = toolTip();
    shownName_ = name;
    setAccessibleName(name);
}

void TExSpeedButton::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    update();
}

void TExSpeedButton::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    // A transparent button lets its parent show through the face.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TExSpeedButton::SetGrayedInactive(bool on) {
    if (on == grayedInactive_)
        return;
    grayedInactive_ = on;
    update();
}

void TExSpeedButton::SetMarkDropDown(bool on) {
    if (on == markDropDown_)
        return;
    markDropDown_ = on;
    update();
}

void TExSpeedButton::SetWordWrap(bool on) {
    if (on == wordWrap_)
        return;
    wordWrap_ = on;
    update();
}

void TExSpeedButton::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    update();
}

void TExSpeedButton::SetLayout(TButtonLayout layout) {
    if (layout == layout_)
        return;
    layout_ = layout;
    update();
}

void TExSpeedButton::SetStyle(TButtonStyle style) {
    if (style == style_)
        return;
    style_ = style;
    update();
}

void TExSpeedButton::SetMargin(int margin) {
    if (margin == margin_ || margin < -1)
        return;
    margin_ = margin;
    update();
}

void TExSpeedButton::SetSpacing(int spacing) {
    if (spacing == spacing_)
        return;
    spacing_ = spacing;
    update();
}

void TExSpeedButton::SetGlyph(const QImage& glyph) {
    glyph_.SetGlyph(glyph);
    update();
}

void TExSpeedButton::SetNumGlyphs(int count) {
    glyph_.SetNumGlyphs(count);
    update();
}

void TExSpeedButton::SetDropDownMenu(QMenu* menu) {
    menu_ = menu;
    if (markDropDown_)
        update();
}

void TExSpeedButton::Click() {
    // OnClick may close (delete) the button's window.
    QPointer<QWidget> form = window();
    const int previous = FormModalResult(form);
    SetFormModalResult(form, modalResult_);
    try {
        if (OnClick)
            OnClick();
        else if (action_)
            action_->trigger();
    } catch (...) {
        // A failed click must not close the dialog as if it had succeeded.
        if (form)
            SetFormModalResult(form, previous);
        throw;
    }
    if (form)
        CloseOnModalResult(form);
}

void TExSpeedButton::SetAction(QAction* action) {
    if (action == action_)
        return;
    disconnect(actionChange_);
    action_ = action;
    if (action == nullptr)
        return;
    actionChange_ = connect(action, &QAction::changed, this,
                            [this] { GuardEvent([this] { ActionChanged(); }); });
    ActionChanged();
}

void TExSpeedButton::ActionChanged() {
    if (!action_)
        return;
    SetCaption(action_->text());
    setToolTip(action_->toolTip());
    UpdateAccessibleName();
    setEnabled(action_->isEnabled());
    // Only what the action hid does it show again: a button not yet shown stays unshown.
    if (!action_->isVisible() && !isHidden()) {
        hide();
        hiddenByAction_ = true;
    } else if (action_->isVisible() && hiddenByAction_) {
        show();
        hiddenByAction_ = false;
    }
    if (GroupIndex() != 0)
        SetDown(action_->isChecked());
    if (glyph_.Glyph().isNull() && !action_->icon().isNull()) {
        const QList<QSize> sizes = action_->icon().availableSizes();
        const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 255));
        {
            QPainter painter(&picture);
            action_->icon().paint(&painter, picture.rect());
        }
        glyph_.SetGlyph(picture, clFuchsia);
        update();
    }
}

void TExSpeedButton::NotifyGroup() {
    if (parentWidget() == nullptr)
        return;
    for (TExSpeedButton* other :
         parentWidget()->findChildren<TExSpeedButton*>(Qt::FindDirectChildrenOnly))
        if (other != this)
            other->logic_.GroupNotice(GroupIndex(), logic_);
}

void TExSpeedButton::ShowMenu() {
    const QPoint at = DropDownMenuPoint(true, menuPosition_, maLeft, size());
    menuTracking_ = true;
    // One hearing, gone with the button should the button go while the menu is open.
    connect(
        menu_, &QMenu::aboutToHide, this,
        [this] {
            GuardEvent([this] {
                // The release that the menu swallowed is handled now, without a click.
                logic_.Release(rect().contains(mapFromGlobal(QCursor::pos())));
                menuTracking_ = false;
                logic_.SetMouseInside(rect().contains(mapFromGlobal(QCursor::pos())));
                update();
            });
        },
        Qt::SingleShotConnection);
    menu_->popup(mapToGlobal(at));
}

void TExSpeedButton::UpdateShortcut() {
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty())
        shortcutId_ = grabShortcut(mnemonic, Qt::WindowShortcut);
}

void TExSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled() || menuTracking_)
        return;
    GuardEvent([&] {
        logic_.Press();
        if (menu_)
            ShowMenu();
    });
}

void TExSpeedButton::mouseMoveEvent(QMouseEvent* event) {
    GuardEvent([&] { logic_.MoveWhileDragging(rect().contains(event->position().toPoint())); });
}

void TExSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    GuardEvent([&] {
        const bool inside = rect().contains(event->position().toPoint());
        QPointer<TExSpeedButton> alive(this);
        if (logic_.Release(inside) && !menuTracking_)
            Click();
        if (alive)
            logic_.SetMouseInside(inside && isEnabled());
    });
}

void TExSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
    QPointer<TExSpeedButton> alive(this);
    if (Down())
        GuardEvent([&] {
            if (OnDblClick)
                OnDblClick();
        });
    // The second press of a double click presses the button as the first one did.
    if (alive)
        mousePressEvent(event);
}

void TExSpeedButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (!isEnabled() || !IsForegroundTask())
        return;
    logic_.SetMouseInside(true);
    if (flat_)
        update();
    GuardEvent([&] {
        if (OnMouseEnter)
            OnMouseEnter();
    });
}

void TExSpeedButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (logic_.Dragging())
        return;
    logic_.SetMouseInside(false);
    if (flat_)
        update();
    GuardEvent([&] {
        if (OnMouseLeave)
            OnMouseLeave();
    });
}

void TExSpeedButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        logic_.SetEnabled(isEnabled());
    } else if (event->type() == QEvent::PaletteChange) {
        glyph_.DropStateImages();
        update();
    }
}

bool TExSpeedButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange)
        UpdateAccessibleName();
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled())
            GuardEvent([this] { Click(); });
        return true; // the click may have deleted the button: nothing more here
    }
    return QWidget::event(event);
}

QRect TExSpeedButton::DrawFace(QPainter& p, TExButtonState state) {
    const QPalette& pal = palette();
    const QColor frame = pal.color(QPalette::Shadow);
    const QColor highlight = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor face = pal.color(QPalette::Button);
    const bool pressed = state == ebsDown || state == ebsExclusive;
    QRect r = rect();
    if (NewLook()) {
        if (pressed) {
            FrameStep(p, r, frame, highlight);
            if (!flat_)
                FrameStep(p, r, shadow, face);
        } else if (flat_) {
            FrameStep(p, r, highlight, shadow);
        } else {
            FrameStep(p, r, highlight, frame);
            FrameStep(p, r, face, shadow);
        }
    } else {
        if (pressed && flat_) {
            FrameStep(p, r, frame, highlight);
        } else if (pressed) {
            FrameStep(p, r, frame, frame);
            p.setPen(shadow);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            r.adjust(1, 1, -1, -1);
        } else if (flat_) {
            FrameStep(p, r, highlight, frame);
        } else {
            FrameStep(p, r, frame, frame);
            FrameStep(p, r, highlight, shadow);
        }
    }
    return r.adjusted(1, 1, -1, -1);
}

void TExSpeedButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const TExButtonState state = logic_.State();
    const TExButtonState paintState = flat_ && !logic_.MouseInside() ? ebsInactive : state;
    const QPalette& pal = palette();
    if (!transparent_)
        p.fillRect(rect(), pal.color(QPalette::Button));
    QRect inner;
    if (paintState == ebsInactive && state != ebsExclusive)
        inner = rect().adjusted(2, 2, -2, -2);
    else
        inner = DrawFace(p, state);
    if (state == ebsExclusive && !transparent_ && (!flat_ || paintState == ebsInactive)) {
        const QRect dither = inner.adjusted(-1, -1, 1, 1);
        p.fillRect(dither, pal.color(QPalette::Button));
        p.fillRect(dither, QBrush(pal.color(QPalette::Light), Qt::Dense4Pattern));
    }
    if (state == ebsDown || state == ebsExclusive)
        inner.translate(1, 1);
    GuardEvent([&] { PaintGlyphAndCaption(p, inner, grayedInactive_ ? paintState : state); });
}

void TExSpeedButton::PaintGlyphAndCaption(QPainter& p, const QRect& rect, TExButtonState state) {
    const QPalette& pal = palette();
    const QFontMetrics metrics(font());
    const bool hasMark = markDropDown_ && menu_;
    const QImage image = glyph_.StateImage(state, pal);
    QSize glyphSize = glyph_.GlyphSize();
    const bool glyphBeside = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    int available = rect.width() - std::max(margin_, 0) - std::max(spacing_, 0) -
                    (hasMark && glyphBeside ? 9 : 0);
    if (glyphBeside)
        available -= glyphSize.width();
    const int textFlags =
        Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine);
    QSize textSize;
    if (!caption_.isEmpty())
        textSize =
            metrics.boundingRect(QRect(0, 0, std::max(available, 1), 10000), textFlags, caption_)
                .size();
    const int captionWidth = textSize.width();
    if (hasMark) {
        if (glyphSize.isEmpty() || layout_ == blGlyphLeft)
            textSize.setWidth(textSize.width() + 9);
        else
            glyphSize.setWidth(glyphSize.width() + 6);
    }
    const ButtonLayout placed =
        CalcButtonLayout(rect.size(), glyphSize, textSize, layout_, margin_, spacing_);
    const QPoint origin = rect.topLeft();
    if (!image.isNull())
        p.drawImage(origin + placed.glyphPos, image);
    QRect textRect = placed.textRect.translated(origin);
    if (!caption_.isEmpty()) {
        QRect captionRect(textRect.topLeft(), QSize(captionWidth, textRect.height()));
        if (alignment_ != taLeftJustify)
            captionRect.setWidth(textRect.width() -
                                 (hasMark && textSize.width() > captionWidth ? 9 : 0));
        const int align = alignment_ == taRightJustify ? Qt::AlignRight
                          : alignment_ == taCenter     ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
        p.setFont(font());
        if (state == ebsDisabled) {
            p.setPen(pal.color(QPalette::Light));
            p.drawText(captionRect.translated(1, 1), align | textFlags, caption_);
            p.setPen(pal.color(QPalette::Dark));
        } else {
            p.setPen(pal.color(QPalette::ButtonText));
        }
        p.drawText(captionRect, align | textFlags, caption_);
    }
    if (hasMark) {
        const QColor markColor =
            state == ebsDisabled ? pal.color(QPalette::Dark) : pal.color(QPalette::ButtonText);
        if (glyphSize.width() > 0 && layout_ != blGlyphLeft && caption_.isEmpty())
            DrawDropDownMark(p,
                             origin + placed.glyphPos +
                                 QPoint(glyphSize.width() - 5, glyphSize.height() / 2 - 1),
                             markColor);
        else
            DrawDropDownMark(p, QPoint(textRect.right() - 5, textRect.center().y() - 1), markColor);
    }
}

} // namespace duebell
