// The Qt item model over a string grid's data, so a QTableView can show it. It only reads;
// the grid widget decides what may be edited and writes edits back.
#pragma once

#include "controls/stringgriddata.h"

#include <QAbstractTableModel>
#include <functional>

namespace duebell {

class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringGridModel(StringGridData& data, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Answers whether a cell may be edited; writes an edited text.
    std::function<bool(int col, int row)> canEdit;
    std::function<void(int col, int row, const std::string& text)> commitEdit;

    // Bracket a change of the grid's shape (one dimension at a time).
    void BeginShapeChange(int oldCols, int oldRows, int newCols, int newRows);
    void EndShapeChange();
    void CellChanged(int col, int row);
    void AllCellsChanged();
    // Bracket a batch of changes of any kind, told to the views as one reset.
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

private:
    enum class Pending { None, InsertRows, RemoveRows, InsertCols, RemoveCols };
    StringGridData& data_;
    Pending pending_ = Pending::None;
};

} // namespace duebell
