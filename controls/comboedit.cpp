#include "controls/comboedit.h"

#include "controls/editbutton.h"
#include "controls/popupwindow.h"
#include "controls/uihooks.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace duebell {

namespace {

constexpr QRgb GlyphBackground = 0xFFFF00FF; // fuchsia, the glyphs' transparent colour

// The drop-down arrow: a black triangle 7 pixels wide and 4 high.
QImage ArrowGlyph() {
    QImage image(7, 4, QImage::Format_RGB32);
    image.fill(GlyphBackground);
    for (int y = 0; y < 4; ++y)
        for (int x = y; x < 7 - y; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

// Three black 2 x 2 dots, centred on a bitmap 4 pixels high.
QImage EllipsisGlyph(int buttonWidth) {
    const int width = std::max(buttonWidth - 6, 1);
    const int gap = std::clamp((width - 6) / 2, 1, 3);
    QImage image(width, 4, QImage::Format_RGB32);
    image.fill(GlyphBackground);
    const int left = (width - (6 + 2 * gap)) / 2;
    for (int dot = 0; dot < 3; ++dot)
        for (int y = 1; y < 3; ++y)
            for (int x = 0; x < 2; ++x) {
                const int px = left + dot * (2 + gap) + x;
                if (px >= 0 && px < width)
                    image.setPixel(px, y, qRgb(0, 0, 0));
            }
    return image;
}

// The palette with every colour set explicitly, so a window of its own takes all of it.
QPalette FullPalette(const QPalette& from) {
    QPalette full;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            full.setBrush(group, static_cast<QPalette::ColorRole>(role),
                          from.brush(group, static_cast<QPalette::ColorRole>(role)));
    return full;
}

// Clears a flag when the scope ends, however it ends.
struct FlagGuard {
    bool& flag;
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
};

} // namespace

TCustomComboEdit::TCustomComboEdit(QWidget* parent)
    : QLineEdit(parent), buttonHolder_(new QWidget(this)),
      button_(new TEditButton(this, buttonHolder_)) {
    resize(width(), 21);
    buttonHolder_->resize(21, 17);
    button_->resize(buttonHolder_->size());
    button_->OnClick = [this] { ButtonClick(); };
    buttonHolder_->show();
    KeepTextHeight();
    connect(this, &QLineEdit::textEdited, this, [this] { GuardEvent([this] { Change(); }); });
    LayoutButton();
}

TCustomComboEdit::~TCustomComboEdit() {
    button_->OnClick = nullptr;
    // The popup goes while the field is still whole: hiding it asks the field about itself.
    if (popup_ != nullptr) {
        popup_->OnCloseUp = nullptr;
        delete popup_;
    }
}

void TCustomComboEdit::SetText(const QString& text) {
    if (text == this->text())
        return;
    setText(text);
    Change();
}

void TCustomComboEdit::Change() {
    if (signalsBlocked())
        return;
    QPointer<TCustomComboEdit> alive(this);
    emit Changed();
    if (alive && OnChange)
        OnChange();
}

void TCustomComboEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    ApplyEditable();
}

void TCustomComboEdit::SetDirectInput(bool on) {
    directInput_ = on;
    ApplyEditable();
}

void TCustomComboEdit::ApplyEditable() {
    setReadOnly(ReadOnly() || !directInput_ || popupVisible_);
}

int TCustomComboEdit::ButtonWidth() const {
    return buttonHolder_->isVisibleTo(this) ? button_->width() : 0;
}

void TCustomComboEdit::SetButtonWidth(int width) {
    buttonHolder_->setVisible(width >= 2);
    if (width < 2) {
        LayoutButton();
        return;
    }
    if (width < this->width())
        button_->resize(width, button_->height());
    buttonHolder_->resize(button_->width(), buttonHolder_->height());
    BuildGlyph();
    LayoutButton();
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind) {
    glyphKind_ = kind;
    if (kind == gkDropDown)
        SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    BuildGlyph();
}

void TCustomComboEdit::BuildGlyph() {
    switch (glyphKind_) {
    case gkCustom:
        return;
    case gkDefault: {
        const QImage glyph = DefaultGlyph();
        button_->SetGlyph(glyph);
        if (!glyph.isNull() && glyph.width() / button_->NumGlyphs() + 6 > button_->width())
            SetButtonWidth(glyph.width() / button_->NumGlyphs() + 6);
        return;
    }
    case gkDropDown:
        button_->SetGlyph(ArrowGlyph());
        return;
    case gkEllipsis:
        button_->SetGlyph(EllipsisGlyph(button_->width()));
        return;
    }
}

void TCustomComboEdit::LayoutButton() {
    const int frame = hasFrame() ? 2 : 0;
    const int bw = ButtonWidth();
    buttonHolder_->setGeometry(width() - bw - frame, frame, bw, std::max(height() - 2 * frame, 1));
    button_->setGeometry(0, 0, bw, buttonHolder_->height());
    setTextMargins(0, 0, bw > 0 ? bw + 2 : 0, 0);
}

void TCustomComboEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    LayoutButton();
}

void TCustomComboEdit::KeepTextHeight() {
    // At least the text's height, four border widths and a pixel.
    setMinimumHeight(QFontMetrics(font()).height() + 4 + 1);
}

void TCustomComboEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        button_->setEnabled(isEnabled());
    else if (event->type() == QEvent::FontChange)
        KeepTextHeight();
}

void TCustomComboEdit::SetPopup(TPopupWindow* popup) {
    popup_ = popup;
    if (popup_ != nullptr)
        popup_->OnCloseUp = [this](bool accept) { PopupCloseUp(accept); };
}

void TCustomComboEdit::SetPopupValue(const QVariant& value) {
    if (popup_ != nullptr)
        popup_->SetValue(value);
}

QVariant TCustomComboEdit::GetPopupValue() const {
    return popup_ != nullptr ? popup_->GetValue() : QVariant();
}

void TCustomComboEdit::PreparePopup() {
    SetPopupValue(text().isEmpty() ? QVariant() : QVariant(text()));
}

void TCustomComboEdit::ButtonClick() {
    if (ReadOnly() && !alwaysEnable_)
        return;
    QPointer<TCustomComboEdit> alive(this);
    if (OnButtonClick)
        OnButtonClick();
    if (!alive || popup_ == nullptr)
        return;
    if (popupVisible_)
        PopupCloseUp(true);
    else
        DropDown();
}

void TCustomComboEdit::DropDown() {
    if (popup_ == nullptr || ReadOnly() || popupVisible_)
        return;
    const QRect field(mapToGlobal(QPoint(0, 0)), size());
    const QScreen* s = screen();
    const QRect screenRect = s != nullptr ? s->geometry() : QRect(0, 0, 800, 600);
    const QPoint origin = PopupOrigin(field, popup_->size(), screenRect, popupAlign_);
    PreparePopup();
    if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
    ShowPopup(origin);
    popupVisible_ = true;
    ApplyEditable();
}

void TCustomComboEdit::ShowPopup(const QPoint& origin) {
    // A popup is a window of its own: it takes the look of its field explicitly.
    popup_->setPalette(FullPalette(palette()));
    popup_->setFont(font());
    popup_->move(origin);
    popup_->show();
}

void TCustomComboEdit::HidePopup() {
    popup_->hide();
}

void TCustomComboEdit::PopupCloseUp(bool accept) {
    if (popup_ == nullptr || !popupVisible_ || closing_)
        return;
    QVariant value;
    {
        FlagGuard closing(closing_);
        value = popup_->GetValue();
        HidePopup();
        if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
            setFocus(Qt::OtherFocusReason);
        popupVisible_ = false;
        ApplyEditable();
        update();
    }
    if (accept && AcceptPopup(value) && !ReadOnly()) {
        // The change handler may close the field's window.
        QPointer<TCustomComboEdit> alive(this);
        AcceptValue(value);
        if (alive && hasFocus())
            selectAll();
    }
}

void TCustomComboEdit::AcceptValue(const QVariant& value) {
    const QString s = value.toString();
    if (s == text())
        return;
    setText(s);
    setModified(true);
    Change();
}

void TCustomComboEdit::PopupKeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PopupCloseUp(true);
        return;
    case Qt::Key_Escape:
        PopupCloseUp(false);
        return;
    default:
        keyPressEvent(event);
    }
}

void TCustomComboEdit::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    GuardEvent([&] {
        if (QKeySequence(event->keyCombination()) == clickKey_ && ButtonWidth() > 0) {
            ButtonClick();
            handled = true;
        } else if (popupVisible_ &&
                   (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                    event->key() == Qt::Key_Escape)) {
            PopupCloseUp(event->key() != Qt::Key_Escape);
            handled = true;
        }
    });
    if (handled)
        event->accept();
    else
        QLineEdit::keyPressEvent(event);
}

void TCustomComboEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The popup taking the keyboard is no focus loss.
    if (event->reason() != Qt::PopupFocusReason && popupVisible_)
        GuardEvent([this] { PopupCloseUp(false); });
}

void TCustomComboEdit::mousePressEvent(QMouseEvent* event) {
    if (focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    QLineEdit::mousePressEvent(event);
}

bool TCustomComboEdit::PaintUnfocusedText(QPainter& painter, const QString& text,
                                          Qt::Alignment alignment) {
    if (hasFocus())
        return false;
    PaintFieldText(painter, text, alignment);
    return true;
}

void TCustomComboEdit::PaintFieldText(QPainter& painter, const QString& text,
                                      Qt::Alignment alignment) {
    const QRect client = rect();
    const int frame = hasFrame() ? 2 : 0;
    const QMargins margins = textMargins();
    const QRect area(client.left() + frame + 1 + margins.left(), client.top(),
                     client.width() - 2 * frame - 2 - margins.left() - margins.right(),
                     client.height());
    painter.save();
    painter.setFont(font());
    painter.setPen(isEnabled() ? palette().color(QPalette::Text)
                               : palette().color(QPalette::Disabled, QPalette::Text));
    painter.setClipRect(client);
    painter.drawText(area, static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextSingleLine,
                     text);
    painter.restore();
}

} // namespace duebell
