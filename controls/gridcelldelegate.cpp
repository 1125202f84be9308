#include "controls/gridcelldelegate.h"

#include "controls/stringgrid.h"

#include <QPainter>

namespace duebell {

GridCellDelegate::GridCellDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    painter->save();
    grid_->PaintCell(*painter, index.column(), index.row(), option.rect);
    painter->restore();
}

} // namespace duebell
