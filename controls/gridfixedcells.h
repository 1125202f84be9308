// The fixed rows and columns of a string grid, painted by the table view's headers: the
// horizontal header carries the fixed rows (and scrolls sideways with the cells), the
// vertical header the fixed columns; a corner piece holds the cells that are fixed both ways.
#pragma once

#include <QHeaderView>

namespace duebell {

class TStringGrid;

class FixedCellsHeader : public QHeaderView {
    Q_OBJECT
public:
    FixedCellsHeader(Qt::Orientation orientation, TStringGrid* grid);

    // The header is as tall (wide) as the fixed rows (columns) with their lines.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TStringGrid* grid_;
};

class FixedCellsCorner : public QWidget {
    Q_OBJECT
public:
    explicit FixedCellsCorner(TStringGrid* grid);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TStringGrid* grid_;
};

} // namespace duebell
