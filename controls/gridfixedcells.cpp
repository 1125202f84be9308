#include "controls/gridfixedcells.h"

#include "controls/stringgrid.h"
#include "controls/uihooks.h"

#include <QMouseEvent>
#include <QPainter>

namespace duebell {

FixedCellsHeader::FixedCellsHeader(Qt::Orientation orientation, TStringGrid* grid)
    : QHeaderView(orientation, grid), grid_(grid) {
    setMinimumSectionSize(0);
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

QSize FixedCellsHeader::sizeHint() const {
    // From the grid's own sizes: Qt's header would lay out a label for a hundred sections
    // each time a row comes or goes, and the header shows no labels.
    if (orientation() == Qt::Horizontal)
        return {length(), grid_->Data().FixedRowsHeight()};
    return {grid_->Data().FixedColsWidth(), length()};
}

void FixedCellsHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    // Past the last cell the grid shows its own colour, as the scrolling area does.
    const int end = length() - offset();
    QRect beyond = viewport()->rect();
    if (orientation() == Qt::Horizontal)
        beyond.setLeft(end);
    else
        beyond.setTop(end);
    if (beyond.isValid()) {
        QPainter painter(viewport());
        painter.fillRect(beyond, ToQColor(grid_->Color(), grid_->palette()));
    }
}

void FixedCellsHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const StringGridData& d = grid_->Data();
    painter->save();
    if (orientation() == Qt::Horizontal) {
        int y = rect.top();
        for (int r = 0; r < d.FixedRows(); ++r) {
            const int h = d.RowHeights(r) + d.HorzLineWidth();
            grid_->PaintCell(*painter, logicalIndex, r, QRect(rect.left(), y, rect.width(), h));
            y += h;
        }
    } else {
        int x = rect.left();
        for (int c = 0; c < d.FixedCols(); ++c) {
            const int w = d.ColWidths(c) + d.VertLineWidth();
            grid_->PaintCell(*painter, c, logicalIndex, QRect(x, rect.top(), w, rect.height()));
            x += w;
        }
    }
    painter->restore();
}

void FixedCellsHeader::mousePressEvent(QMouseEvent* event) {
    QHeaderView::mousePressEvent(event);
    GuardEvent([&] {
        const QPoint p = event->position().toPoint();
        const StringGridData& d = grid_->Data();
        const int section = logicalIndexAt(p);
        if (section < 0)
            return;
        if (orientation() == Qt::Horizontal) {
            const int row = d.FixedRowAt(p.y());
            if (row >= 0)
                grid_->FixedCellClick(section, row);
        } else {
            const int col = d.FixedColAt(p.x());
            if (col >= 0)
                grid_->FixedCellClick(col, section);
        }
    });
}

FixedCellsCorner::FixedCellsCorner(TStringGrid* grid) : QWidget(grid), grid_(grid) {}

void FixedCellsCorner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(grid_->font());
    const StringGridData& d = grid_->Data();
    int y = 0;
    for (int r = 0; r < d.FixedRows(); ++r) {
        const int h = d.RowHeights(r) + d.HorzLineWidth();
        int x = 0;
        for (int c = 0; c < d.FixedCols(); ++c) {
            const int w = d.ColWidths(c) + d.VertLineWidth();
            grid_->PaintCell(painter, c, r, QRect(x, y, w, h));
            x += w;
        }
        y += h;
    }
}

void FixedCellsCorner::mousePressEvent(QMouseEvent* event) {
    GuardEvent([&] {
        const QPoint p = event->position().toPoint();
        const int col = grid_->Data().FixedColAt(p.x());
        const int row = grid_->Data().FixedRowAt(p.y());
        if (col >= 0 && row >= 0)
            grid_->FixedCellClick(col, row);
    });
}

} // namespace duebell
