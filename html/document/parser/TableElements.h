// The cell grid the table handler keeps while it reads a table with COL and COLGROUP settings:
// which column each new cell starts in, counting the columns that cells of rows above still
// take with their row spans, so that the column's alignment reaches the cell.
#pragma once

#include <vector>

class THtmlTable;
class TCellObjBase;

class TCellManager {
 public:
  explicit TCellManager(THtmlTable* table);

  // The zero-based first free column of the row, or -1 when the row has none. Any row may
  // be asked for; rows below the last one are free.
  int FindColNum(int row) const;
  // Takes the cell's columns from the first free one of the row, in every row it spans; a
  // cell that runs into a taken column or the last column loses the columns it misses.
  void AddCell(int row, TCellObjBase& cell);

  THtmlTable* Table;  // not owned: its COL and COLGROUP settings give the number of columns

 private:
  // Per column: the first row from which it is free again. Cells arrive row by row, so a
  // column is taken in row r exactly when r lies below this value.
  std::vector<int> freeFrom_;
};
