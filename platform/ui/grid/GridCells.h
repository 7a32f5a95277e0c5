// The cell texts of a string grid, addressed (column, row). Storage is kept per written row,
// so a grid of 100,000 rows costs only what its cells hold, and a cell keeps its text
// whatever the grid's counts do.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/rtl/Types.h"

class TGridCells {
 public:
  // Empty for a cell never written (or emptied).
  const String& Get(int col, int row) const;
  void Set(int col, int row, String text);
  // Swaps all cells of two rows.
  void ExchangeRows(int row1, int row2);
  // Empty every cell of a row or a column, inside the counts and beyond.
  void ClearRow(int row) { rows_.erase(row); }
  void ClearColumn(int col);
  void Clear() { rows_.clear(); }

 private:
  std::unordered_map<int, std::vector<String>> rows_;
};
