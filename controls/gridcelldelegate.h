// Paints a string grid's scrolling cells through the grid's own cell painting; editing keeps
// Qt's line editor unless a grid installs a delegate of its own.
#pragma once

#include <QStyledItemDelegate>

namespace duebell {

class TStringGrid;

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridCellDelegate(TStringGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    TStringGrid* grid() const { return grid_; }

private:
    TStringGrid* grid_;
};

} // namespace duebell
