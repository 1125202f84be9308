#include "controls/cellstylegrid.h"

#include "controls/fontmap.h"
#include "controls/gridcelldelegate.h"
#include "controls/stringgridform.h"
#include "controls/uihooks.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolTip>
#include <array>

namespace duebell {

// The in-place editor: shows the text with the cell's alignment, selects it whole when the
// grid asks for it, and reopens with the refused text after a failed validation.
class CellStyleDelegate : public GridCellDelegate {
public:
    explicit CellStyleDelegate(TCellStyleGrid* grid) : GridCellDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const int col = index.column();
        const int row = index.row();
        GuardEvent([&] {
            if (grid_->OnBeforeEdit)
                grid_->OnBeforeEdit(col, row);
        });
        if (grid_->EditMultiline) {
            auto* editor = new QPlainTextEdit(parent);
            editor->setFrameStyle(QFrame::NoFrame);
            return editor;
        }
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const TMyAlign align = grid_->CellAlignment(col, row);
        editor->setAlignment(align == alRight    ? Qt::AlignRight
                             : align == alCenter ? Qt::AlignHCenter
                                                 : Qt::AlignLeft);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        QString text = QString::fromStdString(grid_->Cells(index.column(), index.row()));
        if (grid_->editRefused_) {
            text = QString::fromStdString(grid_->refusedText_);
            grid_->editRefused_ = false;
        }
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
            if (grid_->SelectEditText)
                line->selectAll();
            else
                line->end(false);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
            plain->setPlainText(text);
            if (grid_->SelectEditText)
                plain->selectAll();
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        QString text;
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            text = line->text();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
            text = plain->toPlainText();
        model->setData(index, text, Qt::EditRole);
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        // Tab never reaches the editor as a character: it ends the edit and moves on.
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                auto* editor = qobject_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor,
                                 key->key() == Qt::Key_Tab ? EditNextItem : EditPreviousItem);
                return true;
            }
        }
        return GridCellDelegate::eventFilter(object, event);
    }

private:
    TCellStyleGrid* grid_;
};

namespace {

const std::array<const char*, 4> alignNames{"alRight", "alLeft", "alCenter", "alDefault"};
const std::array<const char*, 4> wrapNames{"ww_none", "ww_wordwrap", "ww_ellipsis", "ww_default"};
const std::array<const char*, 8> nextCellNames{"nc_rightdown", "nc_downright", "nc_leftdown",
                                               "nc_downleft",  "nc_leftup",    "nc_upleft",
                                               "nc_rightup",   "nc_upright"};
const std::array<const char*, 4> lastCellNames{"lc_newline", "lc_stop", "lc_first", "lc_exit"};

template <std::size_t N>
int IdentIndex(const std::array<const char*, N>& names, const FormProperty& p) {
    const std::string ident = FormReader(p).ReadIdent();
    for (std::size_t i = 0; i < N; ++i)
        if (ident == names[i])
            return static_cast<int>(i);
    throw EReadError("Invalid property value in \"" + p.name + "\"");
}

void WriteIdentProperty(StoredForm& form, const char* name, const char* ident) {
    FormWriter(form.emplace_back(FormProperty{name, {}})).WriteIdent(ident);
}

void WriteBoolProperty(StoredForm& form, const char* name, bool value, bool defaultValue) {
    if (value != defaultValue)
        FormWriter(form.emplace_back(FormProperty{name, {}})).WriteBoolean(value);
}

void WriteColorProperty(StoredForm& form, const char* name, TColor value, TColor defaultValue) {
    if (value != defaultValue)
        FormWriter(form.emplace_back(FormProperty{name, {}})).WriteInteger(value);
}

} // namespace

TCellStyleGrid::TCellStyleGrid(QWidget* parent)
    : TStringGrid(parent), styles_([this] { InvalidateGrid(); }) {
    setItemDelegate(new CellStyleDelegate(this));
    setMouseTracking(true);
    for (QWidget* w : {viewport(), horizontalHeader()->viewport(), verticalHeader()->viewport()})
        w->installEventFilter(this);
    InitProperties();
}

void TCellStyleGrid::InitProperties() {
    CellStyleDefaults& d = styles_.Defaults();
    d.Alignment = alLeft;
    d.Wordwrap = ww_none;
    d.Editable = true;
    d.SelectedCellColor = clHighlight;
    d.SelectedFontColor = clWhite;
    d.FixedBrush = TMyBrush{FixedColor(), bsSolid};
    d.FixedFont = TMyFont{};
    d.Font = TMyFont{};
    ShowCellHints = true;
    hintCol_ = -1;
    hintRow_ = -1;
    drawSelection_ = true;
    AfterLastCellTab = lc_first;
    AfterLastCellEdit = lc_newline;
    NextCellEdit = nc_rightdown;
    NextCellTab = nc_rightdown;
    SelectEditText = true;
}

void TCellStyleGrid::SyncDefaults() const {
    CellStyleDefaults& d = styles_.Defaults();
    d.FixedCols = FixedCols();
    d.FixedRows = FixedRows();
    d.FixedBrush.Color = FixedColor();
    d.Brush.Color = Color();
}

void TCellStyleGrid::SetAlignment(int align) {
    styles_.Defaults().Alignment = static_cast<TMyAlign>(align);
    InvalidateGrid();
}

void TCellStyleGrid::SetWordwrap(int wordwrap) {
    styles_.Defaults().Wordwrap = static_cast<T_Wordwrap>(wordwrap);
    InvalidateGrid();
}

void TCellStyleGrid::SetEditable(bool editable) {
    styles_.Defaults().Editable = editable;
}

void TCellStyleGrid::SetSelectedCellColor(int color) {
    styles_.Defaults().SelectedCellColor = color;
    InvalidateGrid();
}

void TCellStyleGrid::SetSelectedFontColor(int color) {
    styles_.Defaults().SelectedFontColor = color;
    InvalidateGrid();
}

void TCellStyleGrid::SetFixedFont(const TMyFont& font) {
    styles_.Defaults().FixedFont = font;
    InvalidateGrid();
}

void TCellStyleGrid::SetDrawSelection(bool on) {
    drawSelection_ = on;
    InvalidateGrid();
}

void TCellStyleGrid::SetAutoAdjustLastCol(bool on) {
    autoAdjustLastCol_ = on;
    AdjustLastCol();
}

void TCellStyleGrid::SetColorRow(int row, TColor color) {
    styles_.SetColorRow(row, color);
}

void TCellStyleGrid::ResetColorRow(int row) {
    styles_.ResetColorRow(row);
}

TMyAlign TCellStyleGrid::CellAlignment(int col, int row) const {
    SyncDefaults();
    return styles_.CellAlignment(col, row);
}

T_Wordwrap TCellStyleGrid::CellWordwrap(int col, int row) const {
    SyncDefaults();
    return styles_.CellWordwrap(col, row);
}

bool TCellStyleGrid::CellEditable(int col, int row) const {
    SyncDefaults();
    return styles_.CellEditable(col, row);
}

TMyFont TCellStyleGrid::CellFont(int col, int row) const {
    SyncDefaults();
    return styles_.CellFont(col, row);
}

TMyBrush TCellStyleGrid::CellBrush(int col, int row) const {
    SyncDefaults();
    return styles_.CellBrush(col, row);
}

TColor TCellStyleGrid::CellSelectedColor(int col, int row) const {
    SyncDefaults();
    return styles_.CellSelectedColor(col, row);
}

TColor TCellStyleGrid::CellSelectedFontColor(int col, int row) const {
    SyncDefaults();
    return styles_.CellSelectedFontColor(col, row);
}

std::string TCellStyleGrid::CellHint(int col, int row) const {
    auto it = form_.hints.find({col, row});
    return it == form_.hints.end() ? std::string() : it->second;
}

void TCellStyleGrid::SetCellHint(int col, int row, const std::string& hint) {
    if (hint.empty())
        form_.hints.erase({col, row});
    else
        form_.hints[{col, row}] = hint;
}

StoredForm TCellStyleGrid::WriteForm() const {
    StoredForm form;
    WriteStringGridProperties(Data(), form);
    const CellStyleDefaults& d = styles_.Defaults();
    if (d.Alignment != alLeft)
        WriteIdentProperty(form, "Alignment", alignNames[d.Alignment]);
    if (d.Wordwrap != ww_none)
        WriteIdentProperty(form, "Wordwrap", wrapNames[d.Wordwrap]);
    WriteBoolProperty(form, "Editable", d.Editable, true);
    WriteColorProperty(form, "FixedColor", FixedColor(), clBtnFace);
    WriteColorProperty(form, "SelectedCellColor", d.SelectedCellColor, clHighlight);
    WriteColorProperty(form, "SelectedFontColor", d.SelectedFontColor, clWhite);
    WriteBoolProperty(form, "ShowCellHints", ShowCellHints, true);
    WriteBoolProperty(form, "SelectEditText", SelectEditText, true);
    WriteBoolProperty(form, "EditMultiline", EditMultiline, false);
    WriteBoolProperty(form, "AutoEditNextCell", AutoEditNextCell, false);
    if (NextCellEdit != nc_rightdown)
        WriteIdentProperty(form, "NextCellEdit", nextCellNames[NextCellEdit]);
    if (NextCellTab != nc_rightdown)
        WriteIdentProperty(form, "NextCellTab", nextCellNames[NextCellTab]);
    if (AfterLastCellEdit != lc_newline)
        WriteIdentProperty(form, "AfterLastCellEdit", lastCellNames[AfterLastCellEdit]);
    if (AfterLastCellTab != lc_first)
        WriteIdentProperty(form, "AfterLastCellTab", lastCellNames[AfterLastCellTab]);
    WriteBoolProperty(form, "DrawSelection", drawSelection_, true);
    WriteBoolProperty(form, "AutoAdjustLastCol", autoAdjustLastCol_, false);
    WriteBoolProperty(form, "RedrawWhileScroll", RedrawWhileScroll, false);
    WriteCellStyleProperties(Data(), styles_, form_, form);
    return form;
}

void TCellStyleGrid::ReadForm(const StoredForm& form) {
    for (const FormProperty& p : form) {
        if (ReadStringGridProperty(p, Data()) || ReadCellStyleProperty(p, styles_, form_))
            continue;
        const std::string& n = p.name;
        if (n == "Alignment")
            SetAlignment(IdentIndex(alignNames, p));
        else if (n == "Wordwrap")
            SetWordwrap(IdentIndex(wrapNames, p));
        else if (n == "Editable")
            SetEditable(FormReader(p).ReadBoolean());
        else if (n == "FixedColor")
            SetFixedColor(static_cast<TColor>(FormReader(p).ReadInteger()));
        else if (n == "SelectedCellColor")
            SetSelectedCellColor(static_cast<TColor>(FormReader(p).ReadInteger()));
        else if (n == "SelectedFontColor")
            SetSelectedFontColor(static_cast<TColor>(FormReader(p).ReadInteger()));
        else if (n == "ShowCellHints")
            ShowCellHints = FormReader(p).ReadBoolean();
        else if (n == "SelectEditText")
            SelectEditText = FormReader(p).ReadBoolean();
        else if (n == "EditMultiline")
            EditMultiline = FormReader(p).ReadBoolean();
        else if (n == "AutoEditNextCell")
            AutoEditNextCell = FormReader(p).ReadBoolean();
        else if (n == "NextCellEdit")
            NextCellEdit = static_cast<T_nextcell>(IdentIndex(nextCellNames, p));
        else if (n == "NextCellTab")
            NextCellTab = static_cast<T_nextcell>(IdentIndex(nextCellNames, p));
        else if (n == "AfterLastCellEdit")
            AfterLastCellEdit = static_cast<T_lastcell>(IdentIndex(lastCellNames, p));
        else if (n == "AfterLastCellTab")
            AfterLastCellTab = static_cast<T_lastcell>(IdentIndex(lastCellNames, p));
        else if (n == "DrawSelection")
            SetDrawSelection(FormReader(p).ReadBoolean());
        else if (n == "AutoAdjustLastCol")
            SetAutoAdjustLastCol(FormReader(p).ReadBoolean());
        else if (n == "RedrawWhileScroll")
            RedrawWhileScroll = FormReader(p).ReadBoolean();
        else
            throw EReadError("Property " + n + " does not exist");
    }
    Loaded();
}

void TCellStyleGrid::Loaded() {
    ApplyStoredCells(Data(), form_);
}

void TCellStyleGrid::DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                              TGridDrawState state) {
    SyncDefaults();
    PrepareCanvas(canvas, col, row, rect, state);
    DrawCellText(canvas, col, row, rect);
    if (OnDrawCell)
        OnDrawCell(canvas, col, row, rect, state);
}

void TCellStyleGrid::PrepareCanvas(QPainter& canvas, int col, int row, const QRect& rect,
                                   TGridDrawState state) {
    const QPalette& pal = palette();
    const TMyFont font = styles_.CellFont(col, row);
    // The grid's own font is drawn as the widget's font, so it follows the desktop's.
    canvas.setFont(font == styles_.Defaults().Font ? this->font() : ToQFont(font, this->font()));
    QColor textColor = ToQColor(font.Color, pal);
    QBrush brush = ToQBrush(styles_.CellBrush(col, row), pal);
    if (drawSelection_ && (state & gdSelected) != 0 &&
        !((state & gdFocused) != 0 && (Options() & (goDrawFocusSelected | goRowSelect)) == 0)) {
        brush = QBrush(ToQColor(styles_.CellSelectedColor(col, row), pal));
        textColor = ToQColor(styles_.CellSelectedFontColor(col, row), pal);
    }
    canvas.setPen(textColor);
    canvas.setBrush(brush);
    if (!DefaultDrawing())
        return;
    QRect fill = rect;
    const bool fixed = (state & gdFixed) != 0;
    // Where its lines are not drawn, a cell covers their place as well.
    if (!Data().HasOption(fixed ? goFixedVertLine : goVertLine))
        fill.setBottom(fill.bottom() + GridLineWidth());
    if (!Data().HasOption(fixed ? goFixedHorzLine : goHorzLine))
        fill.setRight(fill.right() + GridLineWidth());
    if (brush.style() != Qt::SolidPattern)
        canvas.fillRect(fill, ToQColor(Color(), pal));
    canvas.fillRect(fill, brush);
}

void TCellStyleGrid::DrawCellText(QPainter& canvas, int col, int row, const QRect& rect) {
    if (!DefaultDrawing())
        return;
    TMyAlign align = styles_.CellAlignment(col, row);
    T_Wordwrap wrap = styles_.CellWordwrap(col, row);
    if (AlignmentHook)
        AlignmentHook(col, row, align, wrap);
    const QRect area = CellTextArea(rect, canvas.fontMetrics());
    int flags = Qt::AlignTop;
    flags |= align == alRight    ? Qt::AlignRight
             : align == alCenter ? Qt::AlignHCenter
                                 : Qt::AlignLeft;
    QString text = QString::fromStdString(Cells(col, row));
    if (wrap == ww_wordwrap)
        flags |= Qt::TextWordWrap;
    else
        flags |= Qt::TextSingleLine;
    if (wrap == ww_ellipsis)
        text = canvas.fontMetrics().elidedText(text, Qt::ElideRight, area.width());
    canvas.drawText(area, flags, text);
}

bool TCellStyleGrid::CanEditCell(int col, int row) const {
    return Data().HasOption(goEditing) && !Data().IsFixedCell(col, row) && CellEditable(col, row);
}

void TCellStyleGrid::CommitEdit(int col, int row, const std::string& text) {
    bool accept = true;
    if (OnValidateEdit) {
        // A validation that raises refuses the text; its error goes to the handler.
        try {
            OnValidateEdit(col, row, text, accept);
        } catch (...) {
            accept = false;
            HandleException(std::current_exception());
        }
    }
    if (!accept) {
        // Back to the cell with the refused text, to go on editing, unless the cell went away
        // before the editor could reopen.
        editRefused_ = true;
        refusedText_ = text;
        const QPersistentModelIndex index(model()->index(row, col));
        QTimer::singleShot(0, this, [this, index] {
            GuardEvent([&] {
                if (!index.isValid()) {
                    editRefused_ = false;
                    return;
                }
                setCurrentIndex(index);
                edit(index);
            });
        });
        return;
    }
    Data().SetCells(col, row, text);
    if (OnAfterEdit)
        OnAfterEdit(col, row);
}

void TCellStyleGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const int col = Col();
    const int row = Row();
    const bool refused = editRefused_;
    TStringGrid::closeEditor(editor, QAbstractItemDelegate::NoHint);
    GuardEvent([&] {
        if (hint == QAbstractItemDelegate::RevertModelCache) {
            if (OnCancelEdit)
                OnCancelEdit(col, row);
            return;
        }
        if (refused)
            return;
        const GridBounds bounds{FixedCols(), FixedRows(), ColCount(), RowCount()};
        auto editable = [this](int c, int r) { return CellEditable(c, r); };
        if (hint == QAbstractItemDelegate::EditNextItem ||
            hint == QAbstractItemDelegate::EditPreviousItem) {
            const T_nextcell direction = hint == QAbstractItemDelegate::EditNextItem
                                             ? NextCellTab
                                             : OppositeDirection(NextCellTab);
            ApplyMove(NextCell(col, row, direction, AfterLastCellTab, bounds, editable));
        } else if (hint == QAbstractItemDelegate::SubmitModelCache && AutoEditNextCell) {
            ApplyMove(NextCell(col, row, NextCellEdit, AfterLastCellEdit, bounds, editable));
        }
    });
}

void TCellStyleGrid::ApplyMove(const CellMove& move) {
    switch (move.kind) {
    case CellMove::Stay:
        return;
    case CellMove::LeaveGrid:
        focusNextPrevChild(true);
        return;
    case CellMove::AddRow:
        SetRowCount(RowCount() + 1);
        break;
    case CellMove::AddColumn:
        SetColCount(ColCount() + 1);
        break;
    case CellMove::MoveTo:
        break;
    }
    Data().FocusCell(move.col, move.row);
}

void TCellStyleGrid::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    GuardEvent([&] {
        const auto mods =
            event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (event->key() == Qt::Key_Insert && mods == Qt::ControlModifier) {
            CopyToClipboard();
            handled = true;
        } else if (event->key() == Qt::Key_Insert && mods == Qt::ShiftModifier) {
            PasteFromClipboard();
            handled = true;
        } else if (event->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) {
            CutToClipboard();
            handled = true;
        } else if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
                   Data().HasOption(goTabs)) {
            const bool back = event->key() == Qt::Key_Backtab;
            const GridBounds bounds{FixedCols(), FixedRows(), ColCount(), RowCount()};
            ApplyMove(NextCell(Col(), Row(), back ? OppositeDirection(NextCellTab) : NextCellTab,
                               AfterLastCellTab, bounds,
                               [this](int c, int r) { return CellEditable(c, r); }));
            handled = true;
        }
    });
    if (!handled)
        TStringGrid::keyPressEvent(event);
}

void TCellStyleGrid::CopyToClipboard() {
    SetClipboardText(GridRectText(Data(), Selection()));
}

void TCellStyleGrid::PasteFromClipboard() {
    const TGridRect s = Selection();
    PasteGridText(Data(), ClipboardText(), s.Left, s.Top,
                  [this](int c, int r) { return !ProtectReadOnlyCells || CellEditable(c, r); });
}

void TCellStyleGrid::CutToClipboard() {
    CopyToClipboard();
    const TGridRect s = Selection();
    for (int r = s.Top; r <= s.Bottom; ++r)
        for (int c = s.Left; c <= s.Right; ++c)
            if (!ProtectReadOnlyCells || CellEditable(c, r))
                SetCells(c, r, "");
}

namespace {

int Exchanged(int index, int a, int b) {
    return index == a ? b : index == b ? a : index;
}

int Moved(int index, int from, int to) {
    return index == from                                ? to
           : (from < to && index > from && index <= to) ? index - 1
           : (to < from && index >= to && index < from) ? index + 1
                                                        : index;
}

// The new place of every line after a reordering (entry i of `order` goes to place i); lines
// past the order keep their number.
std::function<int(int)> NewPlaces(const std::vector<int>& order) {
    auto places = std::make_shared<std::vector<int>>(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        (*places)[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    return [places](int index) {
        return index >= 0 && index < static_cast<int>(places->size())
                   ? (*places)[static_cast<std::size_t>(index)]
                   : index;
    };
}

} // namespace

void TCellStyleGrid::RemapRowsAndHints(const std::function<int(int)>& newRow) {
    styles_.RemapRows(newRow);
    std::map<std::pair<int, int>, std::string> hints;
    for (auto& [cell, hint] : form_.hints)
        hints[{cell.first, newRow(cell.second)}] = hint;
    form_.hints = std::move(hints);
}

void TCellStyleGrid::RemapColsAndHints(const std::function<int(int)>& newCol) {
    styles_.RemapCols(newCol);
    std::map<std::pair<int, int>, std::string> hints;
    for (auto& [cell, hint] : form_.hints)
        hints[{newCol(cell.first), cell.second}] = hint;
    form_.hints = std::move(hints);
}

void TCellStyleGrid::ExchangeGridRows(int a, int b) {
    Data().ExchangeRows(a, b);
    RemapRowsAndHints([&](int r) { return Exchanged(r, a, b); });
}

void TCellStyleGrid::ExchangeGridCols(int a, int b) {
    Data().ExchangeCols(a, b);
    RemapColsAndHints([&](int c) { return Exchanged(c, a, b); });
}

void TCellStyleGrid::MoveGridRow(int from, int to) {
    Data().MoveRow(from, to);
    RemapRowsAndHints([&](int r) { return Moved(r, from, to); });
}

void TCellStyleGrid::MoveGridCol(int from, int to) {
    Data().MoveColumn(from, to);
    RemapColsAndHints([&](int c) { return Moved(c, from, to); });
}

void TCellStyleGrid::SortRows(int col, bool ascending) {
    // One order worked out on the texts, applied once to cells, sets and hints.
    const std::vector<int> order = SortedRowOrder(Data(), col, ascending, OnCompareRow);
    Data().PermuteRows(order);
    RemapRowsAndHints(NewPlaces(order));
}

void TCellStyleGrid::SortCols(int row, bool ascending) {
    const std::vector<int> order = SortedColOrder(Data(), row, ascending, OnCompareCol);
    Data().PermuteCols(order);
    RemapColsAndHints(NewPlaces(order));
}

void TCellStyleGrid::FixedCellClick(int col, int row) {
    if (row < FixedRows() && OnFixedRowClick)
        OnFixedRowClick(col);
    if (col < FixedCols() && OnFixedColClick)
        OnFixedColClick(row);
}

void TCellStyleGrid::ColWidthsChanged() {
    if (OnColWidthsChanged)
        OnColWidthsChanged();
    AdjustLastCol();
}

void TCellStyleGrid::RowHeightsChanged() {
    if (OnRowHeightsChanged)
        OnRowHeightsChanged();
}

void TCellStyleGrid::resizeEvent(QResizeEvent* event) {
    TStringGrid::resizeEvent(event);
    GuardEvent([&] { AdjustLastCol(); });
}

void TCellStyleGrid::AdjustLastCol() {
    if (!autoAdjustLastCol_)
        return;
    const int last = ColCount() - 1;
    int used = 0;
    for (int c = 0; c < last; ++c)
        used += ColWidths(c) + Data().VertLineWidth();
    const int width = viewport()->width() + (FixedCols() > 0 ? verticalHeader()->width() : 0) -
                      used - Data().VertLineWidth();
    if (width > 0)
        SetColWidths(last, width);
}

bool TCellStyleGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* source = qobject_cast<QWidget*>(watched);
    if (source != nullptr && event->type() == QEvent::ToolTip) {
        bool shown = false;
        GuardEvent([&] { shown = ShowHint(source, static_cast<QHelpEvent*>(event)->pos()); });
        if (shown)
            return true;
    } else if (source != nullptr && event->type() == QEvent::MouseMove && hintCol_ >= 0) {
        // Moving to another cell cancels the hint.
        int col = -1;
        int row = -1;
        const QPoint pos =
            source->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
        if (!MouseToCell(pos, col, row) || col != hintCol_ || row != hintRow_) {
            QToolTip::hideText();
            hintCol_ = -1;
            hintRow_ = -1;
        }
    }
    return TStringGrid::eventFilter(watched, event);
}

bool TCellStyleGrid::ShowHint(QWidget* source, const QPoint& pos) {
    if (!ShowCellHints)
        return false;
    int col = -1;
    int row = -1;
    if (!MouseToCell(source->mapTo(this, pos), col, row))
        return false;
    std::string hint = CellHint(col, row);
    if (OnShowHintCell)
        OnShowHintCell(col, row, hint);
    if (hint.empty())
        return false;
    const QRect cell = CellRect(col, row);
    QToolTip::showText(mapToGlobal(QPoint(cell.left(), cell.top() + cell.height() + 6)),
                       QString::fromStdString(hint), this);
    hintCol_ = col;
    hintRow_ = row;
    return true;
}

} // namespace duebell
