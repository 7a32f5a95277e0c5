// TStringGrid: a table of text cells with fixed title rows and columns.
//  - Cells are (column, row) from 0. A cell outside the counts can be written and read; it
//    keeps its text while the counts shrink and shows again when they grow.
//  - RowCount and ColCount below 1 become 1. A row count not above FixedRows lowers
//    FixedRows to one less than it (the same for columns).
//  - Rows(i) and Cols(i) are line lists over one row or column.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/ui/WinControl.h"
#include "platform/ui/grid/GridCells.h"
#include "platform/ui/grid/GridStrings.h"

class TStringGrid : public TWinControl {
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  String Cells(int col, int row) const { return CellRef(col, row); }
  const String& CellRef(int col, int row) const { return cells_.Get(col, row); }
  // Raises EListError for a negative column or row.
  void SetCell(int col, int row, const String& text);

  int RowCount() const { return rowCount_; }
  int ColCount() const { return colCount_; }
  void SetRowCount(int value);
  void SetColCount(int value);
  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  // Must stay below the count: raises EInvalidOperation otherwise.
  void SetFixedRows(int value);
  void SetFixedCols(int value);

  TStrings& Rows(int row);
  TStrings& Cols(int col);
  void ClearRow(int row);
  void ClearColumn(int col);

  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int value);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int value);

  // The current cell; it stays inside the counts and outside the fixed rows and columns
  // (EInvalidOperation otherwise).
  int Row() const { return row_; }
  int Col() const { return col_; }
  void SetRow(int value);
  void SetCol(int value);
  // The first scrollable row and column in view.
  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  void SetTopRow(int value);
  void SetLeftCol(int value);

  // The cell's rectangle in client coordinates (fixed cells first, then from LeftCol and
  // TopRow on); an empty rectangle for a cell scrolled out of view or outside the counts.
  TRect CellRect(int col, int row) const;
  // Measures texts for the column fitting (TextWidth in the canvas's font, at 96 ppi).
  TCanvas& Canvas() { return canvas_; }

  // The user chose a cell.
  void UserSelectCell(int col, int row);
  // The view scrolled.
  void UserScrolled(int topRow, int leftCol);

  // Bracket many cell writes: the peer hears of them once (TStrings batches use this).
  void SetCellUpdates(bool updating);

 private:
  void CellsChanged();
  void LayoutChanged();
  int StartOf(int index, int fixed, int first, const std::vector<int>& sizes, int fallback, bool& visible) const;

  TGridCells cells_;
  int rowCount_ = 5, colCount_ = 5, fixedRows_ = 1, fixedCols_ = 1;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24, gridLineWidth_ = 1;
  std::vector<int> colWidths_, rowHeights_;  // entries beyond the vectors have the default
  int row_ = 1, col_ = 1, topRow_ = 1, leftCol_ = 1;
  TCanvas canvas_;
  std::map<int, std::unique_ptr<TGridStrings>> rows_, cols_;
  int cellUpdates_ = 0;
  bool cellsPending_ = false;
};
