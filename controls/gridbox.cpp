#include "controls/gridbox.h"

#include "controls/editbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

namespace duebell {

namespace {

GridBoxKey KeyOf(int key) {
    switch (key) {
    case Qt::Key_Up:
        return GridBoxKey::Up;
    case Qt::Key_Down:
        return GridBoxKey::Down;
    case Qt::Key_Left:
        return GridBoxKey::Left;
    case Qt::Key_Right:
        return GridBoxKey::Right;
    case Qt::Key_PageUp:
        return GridBoxKey::PageUp;
    case Qt::Key_PageDown:
        return GridBoxKey::PageDown;
    default:
        return GridBoxKey::Other;
    }
}

bool NoModifiers(const QKeyEvent* e) {
    return (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
}

} // namespace

// --- TGrid ------------------------------------------------------------------------------

TGrid::TGrid(TGridBox* box, QWidget* parent) : TStringGrid(parent), box_(box) {
    SetBorderSingle(false);
    SetScrollBars(ssVertical);
    setFocusPolicy(Qt::NoFocus);
    setTabKeyNavigation(false);
}

void TGrid::DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
    if (box_->Items().Style() != gsOwnerDraw) {
        TStringGrid::DrawCell(canvas, col, row, rect, state);
        return;
    }
    const QPalette& pal = palette();
    const bool selected = (state & gdSelected) != 0;
    canvas.setFont(box_->font());
    canvas.fillRect(rect, selected ? pal.color(QPalette::Highlight) : ToQColor(box_->Color(), pal));
    canvas.setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    int reportedCol = -1;
    const int index = box_->Items().ItemOfCell(col, row, reportedCol);
    if (index < box_->Items().Count())
        box_->DrawItem(canvas, index, reportedCol, rect, selected ? odSelected | odFocused : 0);
}

void TGrid::mousePressEvent(QMouseEvent* event) {
    int col = -1;
    int row = -1;
    if (!MouseToCell(viewport()->mapToParent(event->position().toPoint()), col, row) ||
        !box_->Items().CanSelectCell(col, row)) {
        event->accept();
        return;
    }
    TStringGrid::mousePressEvent(event);
    auto* dropDown = static_cast<TDropDownGrid*>(parentWidget());
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton ||
        event->modifiers() != Qt::NoModifier || dropDown->pickPending)
        return;
    GuardEvent([&] {
        int reportedCol = -1;
        const int index = box_->Items().ItemOfCell(col, row, reportedCol);
        // OnClickItem may close the box's window.
        QPointer<TDropDownGrid> alive(dropDown);
        if (box_->ClickItem(index, reportedCol) && alive)
            dropDown->pickPending = true;
    });
}

QModelIndex TGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = TStringGrid::moveCursor(action, modifiers);
    if (target.isValid() && !box_->Items().CanSelectCell(target.column(), target.row()))
        return currentIndex();
    return target;
}

void TGrid::mouseReleaseEvent(QMouseEvent* event) {
    TStringGrid::mouseReleaseEvent(event);
    auto* dropDown = static_cast<TDropDownGrid*>(parentWidget());
    if (event->button() == Qt::LeftButton && dropDown->pickPending)
        GuardEvent([&] { box_->PopupCloseUp(true); });
}

// --- TDropDownGrid ----------------------------------------------------------------------

TDropDownGrid::TDropDownGrid(TGridBox* box)
    : TPopupWindow(box), box_(box), grid_(new TGrid(box, this)) {
    grid_->setGeometry(contentsRect());
}

QVariant TDropDownGrid::GetValue() const {
    return box_->Items().PopupValue();
}

void TDropDownGrid::SetValue(const QVariant&) {
    // The box hands its ItemIndex over itself before the drop-down opens.
}

void TDropDownGrid::CloseUp(bool accept) {
    pickPending = false;
    TPopupWindow::CloseUp(accept);
}

void TDropDownGrid::resizeEvent(QResizeEvent* event) {
    TPopupWindow::resizeEvent(event);
    grid_->setGeometry(contentsRect());
}

void TDropDownGrid::hideEvent(QHideEvent* event) {
    pickPending = false;
    TPopupWindow::hideEvent(event);
}

// --- TGridBox ---------------------------------------------------------------------------

TGridBox::TGridBox(QWidget* parent)
    : TCustomComboEdit(parent), dropDown_(new TDropDownGrid(this)),
      items_(dropDown_->Grid()->Data(), *this) {
    SetPopup(dropDown_);
    SetGlyphKind(gkDropDown);
    SetButtonWidth(21 - 2);
    SetStyle(gsDropDown);
    ApplyColor();
    AdjustHeight();
}

TGridBox::~TGridBox() = default;

std::string TGridBox::BoxText() const {
    return text().toStdString();
}

void TGridBox::SetBoxText(const std::string& text) {
    setText(QString::fromStdString(text));
}

void TGridBox::BoxChanged() {
    TCustomComboEdit::Change();
}

void TGridBox::SetBoxModified() {
    setModified(true);
}

void TGridBox::Change() {
    items_.TextChanged();
}

void TGridBox::SetItemIndex(int index) {
    QPointer<TGridBox> alive(this);
    items_.SetItemIndex(index);
    if (alive)
        update();
}

int TGridBox::GridLineWidth() const {
    return dropDown_->Grid()->GridLineWidth();
}

int TGridBox::DefaultColWidth() const {
    return dropDown_->Grid()->DefaultColWidth();
}

int TGridBox::DefaultRowHeight() const {
    return dropDown_->Grid()->DefaultRowHeight();
}

void TGridBox::SetStyle(int style) {
    items_.SetStyle(static_cast<TGBStyle>(style));
    const bool typing = style == gsDropDown;
    SetDirectInput(typing);
    // A list never shows the edit's context menu.
    setContextMenuPolicy(typing ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    SetCursor(cursor_);
    AdjustHeight();
    update();
}

void TGridBox::SetFlat(bool flat) {
    flat_ = flat;
    setFrame(!flat);
    setContentsMargins(flat ? QMargins(3, 3, 3, 3) : QMargins());
    update();
}

void TGridBox::SetColor(int color) {
    color_ = color;
    ApplyColor();
}

void TGridBox::ApplyColor() {
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(isEnabled() ? color_ : clBtnFace, p));
    setPalette(p);
    dropDown_->Grid()->SetColor(color_);
}

void TGridBox::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    const QCursor shown = CursorFor(cursor == crDefault ? crArrow : cursor);
    Button()->setCursor(shown);
    dropDown_->Grid()->viewport()->setCursor(shown);
    setCursor(Style() == gsDropDown ? QCursor(Qt::IBeamCursor) : shown);
}

void TGridBox::AdjustHeight() {
    if (Style() != gsOwnerDraw)
        resize(width(), QFontMetrics(font()).height() + 8);
}

void TGridBox::PreparePopup() {
    items_.SetPopupValue(items_.ItemIndex());
}

void TGridBox::DropDown() {
    if (Popup() == nullptr || ReadOnly() || PopupVisible())
        return;
    update();
    TGrid* grid = dropDown_->Grid();
    if (items_.SizeMarked()) {
        const int frame = dropDown_->frameWidth() * 2;
        dropDown_->resize(
            items_.DropDownSize(style()->pixelMetric(QStyle::PM_ScrollBarExtent), frame, frame));
    }
    // Open on the leftmost column.
    if (items_.SelectType() == stRow && grid->ColCount() >= 2)
        grid->horizontalScrollBar()->setValue(0);
    TCustomComboEdit::DropDown();
    grid->scrollTo(grid->model()->index(grid->Row(), 0));
}

void TGridBox::HidePopup() {
    TCustomComboEdit::HidePopup();
    closingUp_ = true;
    QTimer::singleShot(0, this, [this] { closingUp_ = false; });
}

void TGridBox::AcceptValue(const QVariant& value) {
    // A pick outside the items (the grid of an empty list) is ignored.
    if (value.toInt() >= items_.Count())
        return;
    QPointer<TGridBox> alive(this);
    items_.AcceptValue(value.toInt());
    if (alive)
        update();
}

bool TGridBox::ClickItem(int index, int col) {
    bool canSelect = true;
    if (OnClickItem)
        OnClickItem(index, col, canSelect);
    return canSelect;
}

void TGridBox::DrawItem(QPainter& canvas, int index, int col, const QRect& rect,
                        TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(canvas, index, col, rect, state);
        return;
    }
    if (index < 0 || index >= items_.Count())
        return;
    canvas.save();
    canvas.setClipRect(rect);
    canvas.drawText(rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    QString::fromStdString(items_.Get(index)));
    canvas.restore();
}

void TGridBox::PopupKeyPress(QKeyEvent* event) {
    const GridBoxKey key = KeyOf(event->key());
    if (NoModifiers(event) && key != GridBoxKey::Other) {
        // While the drop-down is shown the cursor keys move in its grid. A key the grid
        // cannot follow (Down on its last row) comes back up to the drop-down: it ends here
        // instead of being sent to the grid again, and again.
        event->accept();
        if (forwardingKey_)
            return;
        forwardingKey_ = true;
        QApplication::sendEvent(dropDown_->Grid(), event);
        forwardingKey_ = false;
        event->accept();
        return;
    }
    TCustomComboEdit::PopupKeyPress(event);
}

void TGridBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 || !NoModifiers(event) || PopupVisible())
        typed_.clear();
    // F4 opens and closes the list, as on every drop-down of the desktop.
    if (event->key() == Qt::Key_F4 && NoModifiers(event) && ButtonWidth() > 0) {
        GuardEvent([this] { ButtonClick(); });
        event->accept();
        return;
    }
    if (!NoModifiers(event) || PopupVisible()) {
        TCustomComboEdit::keyPressEvent(event);
        return;
    }
    if (Style() != gsDropDown && TypeAhead(event->text())) {
        event->accept();
        return;
    }
    typed_.clear(); // any other key starts the next beginning afresh
    KeyResult result = KeyResult::NotHandled;
    QPointer<TGridBox> alive(this);
    GuardEvent([&] { result = items_.HandleKey(KeyOf(event->key())); });
    // The change handler may have closed the box's window.
    if (!alive) {
        event->accept();
        return;
    }
    const bool dialogKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Escape || event->key() == Qt::Key_Tab ||
                           event->key() == Qt::Key_Backtab;
    if (result == KeyResult::ConsumedSelectText) {
        if (DirectInput())
            selectAll();
        event->accept();
    } else if (result == KeyResult::Consumed && !dialogKey) {
        update();
        event->accept();
    } else {
        TCustomComboEdit::keyPressEvent(event);
    }
}

void TGridBox::mousePressEvent(QMouseEvent* event) {
    TCustomComboEdit::mousePressEvent(event);
    textPressed_ = event->button() == Qt::LeftButton && Style() != gsDropDown && !PopupVisible() &&
                   !closingUp_;
}

void TGridBox::mouseReleaseEvent(QMouseEvent* event) {
    TCustomComboEdit::mouseReleaseEvent(event);
    // Opened once the click is over: the release of an opening press would close it again.
    const bool click = textPressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    textPressed_ = false;
    if (click && !PopupVisible())
        GuardEvent([this] { DropDown(); });
}

bool TGridBox::TypeAhead(const QString& typed) {
    if (typed.size() != 1 || !typed[0].isPrint() || typed[0].isSpace())
        return false;
    // Letters typed within a second of each other make one beginning.
    if (!typedTimer_.isValid() || typedTimer_.elapsed() > 1000)
        typed_.clear();
    typed_ += typed;
    typedTimer_.start();
    QPointer<TGridBox> alive(this);
    GuardEvent([this] { items_.SelectByPrefix(typed_.toStdString()); });
    if (alive)
        update();
    return true;
}

void TGridBox::changeEvent(QEvent* event) {
    TCustomComboEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        ApplyColor();
    else if (event->type() == QEvent::FontChange)
        AdjustHeight();
}

void TGridBox::enterEvent(QEnterEvent* event) {
    TCustomComboEdit::enterEvent(event);
    mouseInside_ = true;
    if (flat_)
        update();
}

void TGridBox::leaveEvent(QEvent* event) {
    TCustomComboEdit::leaveEvent(event);
    mouseInside_ = false;
    if (flat_)
        update();
}

void TGridBox::focusInEvent(QFocusEvent* event) {
    TCustomComboEdit::focusInEvent(event);
    update();
}

void TGridBox::focusOutEvent(QFocusEvent* event) {
    TCustomComboEdit::focusOutEvent(event);
    typed_.clear();
    update();
}

void TGridBox::paintEvent(QPaintEvent* event) {
    if (Style() == gsDropDown) {
        TCustomComboEdit::paintEvent(event);
    } else {
        QPainter p(this);
        if (!flat_) {
            QStyleOptionFrame panel;
            initStyleOption(&panel);
            style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
        }
        const int frame = flat_ ? 3 : (hasFrame() ? 2 : 0);
        const QRect client = rect().adjusted(frame, frame, -frame, -frame);
        PaintListText(p, QRect(client.left(), client.top(), client.width() - (ButtonWidth() + 2),
                               client.height()));
    }
    if (flat_) {
        QPainter p(this);
        PaintFlatFrame(p);
    }
}

void TGridBox::PaintListText(QPainter& p, const QRect& area) {
    const QPalette& pal = palette();
    const bool focused = hasFocus() && !PopupVisible();
    QColor background = ToQColor(isEnabled() ? color_ : clBtnFace, pal);
    QColor foreground = pal.color(QPalette::Text);
    TOwnerDrawState state = 0;
    if (!isEnabled()) {
        foreground = pal.color(QPalette::Disabled, QPalette::Text);
        state = odDisabled;
    } else if (focused) {
        background = pal.color(QPalette::Highlight);
        foreground = pal.color(QPalette::HighlightedText);
        state = odSelected | odFocused;
    }
    p.save();
    p.fillRect(area, background);
    p.setPen(foreground);
    p.setFont(font());
    if (Style() == gsOwnerDraw) {
        GuardEvent([&] { DrawItem(p, items_.ItemIndex(), -1, area, state); });
    } else if (items_.ItemIndex() >= 0) {
        p.setClipRect(area);
        p.drawText(area.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   text());
    }
    p.restore();
    if (focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = area;
        focus.backgroundColor = background;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void TGridBox::PaintFlatFrame(QPainter& p) {
    const QPalette& pal = palette();
    QRect r = rect().adjusted(0, 0, -1, -1);
    const bool flatLook = !hasFocus() && !mouseInside_;
    p.setBrush(Qt::NoBrush);
    if (flatLook) {
        p.setPen(pal.color(QPalette::Button));
        p.drawRect(r);
        p.drawRect(r.adjusted(1, 1, -1, -1));
        p.setPen(pal.color(QPalette::Shadow));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    } else {
        p.setPen(pal.color(QPalette::Dark));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(pal.color(QPalette::Button));
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
        p.setPen(pal.color(QPalette::Shadow));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
    Button()->SetFlat(flatLook);
}

} // namespace duebell
