#include "controls/stringgrid.h"

#include "controls/gridcelldelegate.h"
#include "controls/gridfixedcells.h"
#include "controls/stringgridmodel.h"
#include "controls/uihooks.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <utility>

namespace duebell {

QRect CellTextArea(const QRect& cell, const QFontMetrics& metrics) {
    const int top = std::clamp((cell.height() - metrics.height()) / 2, 0, 2);
    return cell.adjusted(2, top, -2, -2);
}

TStringGrid::TStringGrid(QWidget* parent)
    : QTableView(parent), model_(new StringGridModel(data_, this)),
      fixedRowsHeader_(new FixedCellsHeader(Qt::Horizontal, this)),
      fixedColsHeader_(new FixedCellsHeader(Qt::Vertical, this)),
      corner_(new FixedCellsCorner(this)) {
    model_->canEdit = [this](int col, int row) { return CanEditCell(col, row); };
    // Reached from Qt's editor machinery: what a commit raises goes to the handler.
    model_->commitEdit = [this](int col, int row, const std::string& text) {
        GuardEvent([&] { CommitEdit(col, row, text); });
    };
    setHorizontalHeader(fixedRowsHeader_);
    setVerticalHeader(fixedColsHeader_);
    setModel(model_);
    setItemDelegate(new GridCellDelegate(this));
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    connect(fixedRowsHeader_, &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) { SectionResized(Qt::Horizontal, logical, size); });
    connect(fixedColsHeader_, &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) { SectionResized(Qt::Vertical, logical, size); });
    data_.SetObserver(this);
    clickedCol_ = data_.Col();
    clickedRow_ = data_.Row();
    SetColor(color_);
    ApplyOptions();
    ApplyFixed();
    SyncViewToData();
}

TStringGrid::~TStringGrid() {
    data_.SetObserver(nullptr);
}

void TStringGrid::SetColor(TColor color) {
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(color, p));
    setPalette(p);
    InvalidateGrid();
}

void TStringGrid::SetFixedColor(TColor color) {
    fixedColor_ = color;
    InvalidateGrid();
}

void TStringGrid::SetDefaultDrawing(bool on) {
    defaultDrawing_ = on;
    InvalidateGrid();
}

void TStringGrid::SetScrollBars(TScrollStyle style) {
    const bool horz = style == ssHorizontal || style == ssBoth;
    const bool vert = style == ssVertical || style == ssBoth;
    setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TStringGrid::SetBorderSingle(bool single) {
    setFrameStyle(single ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

QRect TStringGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= data_.ColCount() || row >= data_.RowCount())
        return {};
    auto fixedOffset = [](int index, int count, auto size) {
        int offset = 0;
        for (int i = 0; i < index && i < count; ++i)
            offset += size(i);
        return offset;
    };
    const int lv = data_.VertLineWidth();
    const int lh = data_.HorzLineWidth();
    int x;
    int y;
    if (col < data_.FixedCols())
        x = fixedColsHeader_->x() +
            fixedOffset(col, data_.FixedCols(), [&](int c) { return data_.ColWidths(c) + lv; });
    else
        x = viewport()->x() + columnViewportPosition(col);
    if (row < data_.FixedRows())
        y = fixedRowsHeader_->y() +
            fixedOffset(row, data_.FixedRows(), [&](int r) { return data_.RowHeights(r) + lh; });
    else
        y = viewport()->y() + rowViewportPosition(row);
    QRect rect(x, y, data_.ColWidths(col), data_.RowHeights(row));
    QRect visibleArea = viewport()->geometry();
    if (col < data_.FixedCols())
        visibleArea.setLeft(fixedColsHeader_->x());
    if (row < data_.FixedRows())
        visibleArea.setTop(fixedRowsHeader_->y());
    return rect.intersects(visibleArea) ? rect : QRect();
}

bool TStringGrid::MouseToCell(const QPoint& pos, int& col, int& row) const {
    int c = -1;
    int r = -1;
    const QRect area = viewport()->geometry();
    if (fixedColsHeader_->isVisible() && pos.x() >= fixedColsHeader_->x() && pos.x() < area.left())
        c = data_.FixedColAt(pos.x() - fixedColsHeader_->x());
    else if (pos.x() >= area.left() && pos.x() <= area.right())
        c = columnAt(pos.x() - area.left());
    if (fixedRowsHeader_->isVisible() && pos.y() >= fixedRowsHeader_->y() && pos.y() < area.top())
        r = data_.FixedRowAt(pos.y() - fixedRowsHeader_->y());
    else if (pos.y() >= area.top() && pos.y() <= area.bottom())
        r = rowAt(pos.y() - area.top());
    if (c < 0 || r < 0)
        return false;
    col = c;
    row = r;
    return true;
}

TGridDrawState TStringGrid::DrawStateOf(int col, int row) const {
    if (data_.IsFixedCell(col, row))
        return gdFixed;
    TGridDrawState state = 0;
    const TGridRect s = data_.Selection();
    if (col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom)
        state |= gdSelected;
    if (col == data_.Col() && row == data_.Row() && hasFocus())
        state |= gdFocused;
    return state;
}

void TStringGrid::PaintCell(QPainter& painter, int col, int row, const QRect& sectionRect) {
    const int lv = data_.VertLineWidth();
    const int lh = data_.HorzLineWidth();
    const QRect cell(sectionRect.left(), sectionRect.top(), sectionRect.width() - lv,
                     sectionRect.height() - lh);
    const bool fixed = data_.IsFixedCell(col, row);
    const QPalette& pal = palette();
    const QColor background = ToQColor(fixed ? fixedColor_ : color_, pal);
    const bool vertOn = data_.HasOption(fixed ? goFixedVertLine : goVertLine);
    const bool horzOn = data_.HasOption(fixed ? goFixedHorzLine : goHorzLine);
    const QColor line = fixed ? QColor(Qt::black)
                              : ToQColor(ColorToRGB(color_) == clSilver ? clGray : clSilver, pal);
    painter.save();
    if (lv > 0)
        painter.fillRect(QRect(cell.right() + 1, sectionRect.top(), lv, sectionRect.height()),
                         vertOn ? line : background);
    if (lh > 0)
        painter.fillRect(QRect(sectionRect.left(), cell.bottom() + 1, sectionRect.width(), lh),
                         horzOn ? line : background);
    painter.setClipRect(sectionRect);
    painter.setFont(font());
    painter.setPen(pal.color(QPalette::Text));
    const TGridDrawState state = DrawStateOf(col, row);
    GuardEvent([&] { DrawCell(painter, col, row, cell, state); });
    painter.restore();
    if (!defaultDrawing_)
        return;
    if (fixed) {
        // The raised inner edge of a fixed cell.
        painter.save();
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.topLeft(), cell.bottomLeft());
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.restore();
    } else if ((state & gdFocused) != 0 && !data_.HasOption(goRowSelect)) {
        painter.save();
        QPen pen(pal.color(QPalette::Text), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

void TStringGrid::DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state) {
    if (defaultDrawing_) {
        const QPalette& pal = palette();
        QColor background = ToQColor(color_, pal);
        QColor text = pal.color(QPalette::Text);
        if ((state & gdFixed) != 0) {
            background = ToQColor(fixedColor_, pal);
            text = pal.color(QPalette::ButtonText);
        } else if ((state & gdSelected) != 0 &&
                   ((state & gdFocused) == 0 ||
                    (data_.Options() & (goDrawFocusSelected | goRowSelect)) != 0)) {
            background = pal.color(QPalette::Highlight);
            text = pal.color(QPalette::HighlightedText);
        }
        canvas.fillRect(rect, background);
        canvas.setPen(text);
        canvas.drawText(CellTextArea(rect, canvas.fontMetrics()),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                        QString::fromStdString(data_.Cells(col, row)));
    }
    if (OnDrawCell)
        OnDrawCell(canvas, col, row, rect, state);
}

bool TStringGrid::CanEditCell(int col, int row) const {
    return data_.HasOption(goEditing) && !data_.IsFixedCell(col, row);
}

void TStringGrid::CommitEdit(int col, int row, const std::string& text) {
    data_.SetCells(col, row, text);
}

void TStringGrid::Click() {
    if (OnClick)
        OnClick();
}

void TStringGrid::InvalidateGrid() {
    viewport()->update();
    fixedRowsHeader_->viewport()->update();
    fixedColsHeader_->viewport()->update();
    corner_->update();
}

void TStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid() || data_.IsFixedCell(current.column(), current.row()))
        return;
    syncing_ = true;
    GuardEvent([&] { data_.FocusCell(current.column(), current.row()); });
    syncing_ = false;
}

void TStringGrid::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (syncing_)
        return;
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty())
        return;
    TGridRect r{indexes.front().column(), indexes.front().row(), indexes.front().column(),
                indexes.front().row()};
    for (const QModelIndex& i : indexes) {
        r.Left = std::min(r.Left, i.column());
        r.Right = std::max(r.Right, i.column());
        r.Top = std::min(r.Top, i.row());
        r.Bottom = std::max(r.Bottom, i.row());
    }
    syncing_ = true;
    GuardEvent([&] { data_.SetSelection(r); });
    syncing_ = false;
}

void TStringGrid::updateGeometries() {
    QTableView::updateGeometries();
    const bool both = data_.FixedRows() > 0 && data_.FixedCols() > 0;
    corner_->setVisible(both);
    if (both) {
        corner_->setGeometry(fixedColsHeader_->x(), fixedRowsHeader_->y(),
                             fixedColsHeader_->width(), fixedRowsHeader_->height());
        corner_->raise();
    }
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    GuardEvent([&] {
        if (OnDblClick)
            OnDblClick();
    });
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void TStringGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void TStringGrid::BeginUpdate() {
    if (updateCount_++ == 0)
        model_->BeginReset();
}

void TStringGrid::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    model_->EndReset();
    // A reset forgets the sections' sizes and hidden state.
    ApplyFixed();
    SyncViewToData();
    if (std::exchange(currentMovedInReshape_, false))
        CurrentChanged();
}

void TStringGrid::ShapeAboutToChange(int oldCols, int oldRows, int newCols, int newRows) {
    if (Updating())
        return;
    syncing_ = true;
    reshaping_ = true;
    model_->BeginShapeChange(oldCols, oldRows, newCols, newRows);
}

void TStringGrid::ShapeChanged(int oldCols, int oldRows) {
    if (Updating())
        return;
    model_->EndShapeChange();
    syncing_ = false;
    reshaping_ = false;
    // Only the lines that came in need their sizes; fixed ones never come in at the end.
    ApplySizes(oldCols, oldRows);
    SyncViewToData();
    // A current cell the shape moved is told now, with model and view whole again.
    if (std::exchange(currentMovedInReshape_, false))
        CurrentChanged();
}

void TStringGrid::FixedChanged() {
    if (Updating())
        return;
    ApplyFixed();
    SyncViewToData();
}

void TStringGrid::CellChanged(int col, int row) {
    if (Updating())
        return;
    model_->CellChanged(col, row);
    if (data_.IsFixedCell(col, row))
        InvalidateGrid();
}

void TStringGrid::ContentsChanged() {
    if (Updating())
        return;
    model_->AllCellsChanged();
    ApplySizes();
    InvalidateGrid();
}

void TStringGrid::SizesChanged() {
    if (!Updating())
        ApplySizes();
}

void TStringGrid::CurrentChanged() {
    if (reshaping_ || Updating()) {
        currentMovedInReshape_ = true;
        return;
    }
    if (!syncing_)
        SyncViewToData();
    InvalidateGrid();
    if (data_.Col() != clickedCol_ || data_.Row() != clickedRow_) {
        clickedCol_ = data_.Col();
        clickedRow_ = data_.Row();
        Click();
    }
}

void TStringGrid::OptionsChanged() {
    ApplyOptions();
}

void TStringGrid::ApplySizes(int firstCol, int firstRow) {
    const bool wasSyncing = syncing_;
    syncing_ = true;
    const int lv = data_.VertLineWidth();
    const int lh = data_.HorzLineWidth();
    // Each touches every section of its header: only when the size really changes.
    if (fixedRowsHeader_->defaultSectionSize() != data_.DefaultColWidth() + lv)
        fixedRowsHeader_->setDefaultSectionSize(data_.DefaultColWidth() + lv);
    if (fixedColsHeader_->defaultSectionSize() != data_.DefaultRowHeight() + lh)
        fixedColsHeader_->setDefaultSectionSize(data_.DefaultRowHeight() + lh);
    // The fixed lines are the hidden sections; a hidden section keeps the size it will show.
    for (int c = firstCol; c < data_.ColCount(); ++c)
        if (c < data_.FixedCols() || fixedRowsHeader_->sectionSize(c) != data_.ColWidths(c) + lv)
            fixedRowsHeader_->resizeSection(c, data_.ColWidths(c) + lv);
    for (int r = firstRow; r < data_.RowCount(); ++r)
        if (r < data_.FixedRows() || fixedColsHeader_->sectionSize(r) != data_.RowHeights(r) + lh)
            fixedColsHeader_->resizeSection(r, data_.RowHeights(r) + lh);
    syncing_ = wasSyncing;
    fixedRowsHeader_->updateGeometry();
    fixedColsHeader_->updateGeometry();
    updateGeometries();
    InvalidateGrid();
}

void TStringGrid::ApplyFixed() {
    const bool wasSyncing = syncing_;
    syncing_ = true; // hiding a section reports it resized to 0
    for (int c = 0; c < data_.ColCount(); ++c) {
        const bool hide = c < data_.FixedCols();
        if (fixedRowsHeader_->isSectionHidden(c) != hide)
            fixedRowsHeader_->setSectionHidden(c, hide);
    }
    for (int r = 0; r < data_.RowCount(); ++r) {
        const bool hide = r < data_.FixedRows();
        if (fixedColsHeader_->isSectionHidden(r) != hide)
            fixedColsHeader_->setSectionHidden(r, hide);
    }
    syncing_ = wasSyncing;
    fixedRowsHeader_->setVisible(data_.FixedRows() > 0);
    fixedColsHeader_->setVisible(data_.FixedCols() > 0);
    ApplySizes();
}

void TStringGrid::ApplyOptions() {
    const GridOptions o = data_.Options();
    setSelectionBehavior((o & goRowSelect) != 0 ? SelectRows : SelectItems);
    setSelectionMode((o & goRangeSelect) != 0 && (o & goRowSelect) == 0 ? ContiguousSelection
                                                                        : SingleSelection);
    setTabKeyNavigation((o & goTabs) != 0);
    if ((o & goEditing) == 0)
        setEditTriggers(NoEditTriggers);
    else if ((o & goAlwaysShowEditor) != 0)
        setEditTriggers(QAbstractItemView::CurrentChanged | AnyKeyPressed | EditKeyPressed |
                        SelectedClicked);
    else
        setEditTriggers(AnyKeyPressed | EditKeyPressed | DoubleClicked);
    fixedRowsHeader_->setSectionResizeMode((o & goColSizing) != 0 ? QHeaderView::Interactive
                                                                  : QHeaderView::Fixed);
    fixedColsHeader_->setSectionResizeMode((o & goRowSizing) != 0 ? QHeaderView::Interactive
                                                                  : QHeaderView::Fixed);
    verticalScrollBar()->setTracking((o & goThumbTracking) != 0);
    horizontalScrollBar()->setTracking((o & goThumbTracking) != 0);
    if (!Updating())
        ApplySizes();
}

void TStringGrid::SyncViewToData() {
    const bool wasSyncing = syncing_;
    syncing_ = true;
    const TGridRect s = data_.Selection();
    selectionModel()->setCurrentIndex(model_->index(data_.Row(), data_.Col()),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(model_->index(s.Top, s.Left), model_->index(s.Bottom, s.Right)),
        QItemSelectionModel::ClearAndSelect);
    syncing_ = wasSyncing;
}

void TStringGrid::SectionResized(Qt::Orientation orientation, int logical, int newSize) {
    const QHeaderView* header = orientation == Qt::Horizontal ? fixedRowsHeader_ : fixedColsHeader_;
    if (syncing_ || header->isSectionHidden(logical))
        return;
    GuardEvent([&] {
        if (orientation == Qt::Horizontal) {
            data_.SetColWidths(logical, newSize - data_.VertLineWidth());
            ColWidthsChanged();
        } else {
            data_.SetRowHeights(logical, newSize - data_.HorzLineWidth());
            RowHeightsChanged();
        }
    });
}

} // namespace duebell
