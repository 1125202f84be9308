#include "controls/stringgridmodel.h"

namespace duebell {

StringGridModel::StringGridModel(StringGridData& data, QObject* parent)
    : QAbstractTableModel(parent), data_(data) {}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.RowCount();
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.ColCount();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdString(data_.Cells(index.column(), index.row()));
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !commitEdit)
        return false;
    commitEdit(index.column(), index.row(), value.toString().toStdString());
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled;
    if (!data_.IsFixedCell(index.column(), index.row()))
        f |= Qt::ItemIsSelectable;
    if (canEdit && canEdit(index.column(), index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

void StringGridModel::BeginShapeChange(int oldCols, int oldRows, int newCols, int newRows) {
    if (newRows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, newRows - 1);
        pending_ = Pending::InsertRows;
    } else if (newRows < oldRows) {
        beginRemoveRows(QModelIndex(), newRows, oldRows - 1);
        pending_ = Pending::RemoveRows;
    } else if (newCols > oldCols) {
        beginInsertColumns(QModelIndex(), oldCols, newCols - 1);
        pending_ = Pending::InsertCols;
    } else if (newCols < oldCols) {
        beginRemoveColumns(QModelIndex(), newCols, oldCols - 1);
        pending_ = Pending::RemoveCols;
    }
}

void StringGridModel::EndShapeChange() {
    switch (pending_) {
    case Pending::InsertRows:
        endInsertRows();
        break;
    case Pending::RemoveRows:
        endRemoveRows();
        break;
    case Pending::InsertCols:
        endInsertColumns();
        break;
    case Pending::RemoveCols:
        endRemoveColumns();
        break;
    case Pending::None:
        break;
    }
    pending_ = Pending::None;
}

void StringGridModel::CellChanged(int col, int row) {
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i);
}

void StringGridModel::AllCellsChanged() {
    if (data_.RowCount() > 0 && data_.ColCount() > 0)
        emit dataChanged(index(0, 0), index(data_.RowCount() - 1, data_.ColCount() - 1));
}

} // namespace duebell
