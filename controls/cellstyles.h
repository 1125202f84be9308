// The attribute stores of an aligned string grid and the resolution of a cell's attributes:
// per cell, per column and per row (separate sets for fixed columns and fixed rows), then the
// grid-wide defaults. A cell takes each attribute from the most specific level that sets it.
#pragma once

#include "controls/cellproperties.h"

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace duebell {

// The grid-wide values a cell falls back to.
struct CellStyleDefaults {
    TMyAlign Alignment = alLeft;
    T_Wordwrap Wordwrap = ww_none;
    bool Editable = true;
    TMyFont Font;      // the grid's font
    TMyFont FixedFont; // the font of fixed cells
    TMyBrush Brush{clWindow, bsSolid};
    TMyBrush FixedBrush{clBtnFace, bsSolid}; // its colour follows FixedColor
    TColor SelectedCellColor = clHighlight;
    TColor SelectedFontColor = clWhite;
    int FixedCols = 1;
    int FixedRows = 1;
};

class CellStyles {
public:
    // onChange runs after every change of a set (the grid repaints).
    explicit CellStyles(std::function<void()> onChange = {});

    CellStyleDefaults& Defaults() { return defaults_; }
    const CellStyleDefaults& Defaults() const { return defaults_; }

    // The set of a cell, column or row, or nullptr while it has none.
    TCellProperties* FindCell(int col, int row) const;
    TCellProperties* FindCol(int col) const;
    TCellProperties* FindRow(int row) const;
    TCellProperties* FindFixedCol(int col) const;
    TCellProperties* FindFixedRow(int row) const;
    // The set, created on first use.
    TCellProperties& Cell(int col, int row);
    TCellProperties& Col(int col);
    TCellProperties& Row(int row);
    TCellProperties& FixedCol(int col);
    TCellProperties& FixedRow(int row);
    // Puts a new set in place, freeing any set already there (reading a stored form).
    void ReplaceCell(int col, int row, std::unique_ptr<TCellProperties> set);
    void ReplaceCol(int col, std::unique_ptr<TCellProperties> set);
    void ReplaceRow(int row, std::unique_ptr<TCellProperties> set);
    void ReplaceFixedCol(int col, std::unique_ptr<TCellProperties> set);
    void ReplaceFixedRow(int row, std::unique_ptr<TCellProperties> set);
    std::unique_ptr<TCellProperties> NewSet() const;

    // Every cell set, ordered by column and then row.
    std::vector<std::pair<std::pair<int, int>, const TCellProperties*>> CellSets() const;

    // The row's set gets a brush of that colour; ResetColorRow removes a row's brush again.
    void SetColorRow(int row, TColor color);
    void ResetColorRow(int row);

    // Resolution for the cell at (col, row).
    bool IsFixed(int col, int row) const;
    TMyAlign CellAlignment(int col, int row) const;
    T_Wordwrap CellWordwrap(int col, int row) const;
    bool CellEditable(int col, int row) const;
    TMyFont CellFont(int col, int row) const;
    TMyBrush CellBrush(int col, int row) const;
    TColor CellSelectedColor(int col, int row) const;
    TColor CellSelectedFontColor(int col, int row) const;

    // Sets move with their rows and columns (the grid's own moves and sorting).
    void ExchangeRows(int a, int b);
    void ExchangeCols(int a, int b);
    void MoveRow(int from, int to);
    void MoveCol(int from, int to);
    // Every row's (column's) sets to the place `newIndex` gives for its old one, at once.
    void RemapRows(const std::function<int(int)>& newIndex);
    void RemapCols(const std::function<int(int)>& newIndex);

private:
    using Store = std::map<int, std::unique_ptr<TCellProperties>>;
    using CellStore = std::map<std::pair<int, int>, std::unique_ptr<TCellProperties>>; // (col, row)
    // The cell's sets from most to least specific: cell, column, row.
    std::vector<const TCellProperties*> Chain(int col, int row) const;
    TCellProperties& Ensure(Store& store, int index);
    static TCellProperties* Find(const Store& store, int index);
    void Changed() const {
        if (onChange_)
            onChange_();
    }

    std::function<void()> onChange_;
    CellStyleDefaults defaults_;
    CellStore cells_;
    Store cols_;
    Store rows_;
    Store fixedCols_;
    Store fixedRows_;
};

} // namespace duebell
