#include <algorithm>

#include "html/document/parser/TableElements.h"
#include "html/document/tables/HtmlTable.h"

TCellManager::TCellManager(THtmlTable* table)
    : Table(table), freeFrom_(table ? table->ColSpecs.size() : 0, 0) {}

int TCellManager::FindColNum(int row) const {
  for (size_t c = 0; c < freeFrom_.size(); ++c)
    if (freeFrom_[c] <= row) return static_cast<int>(c);
  return -1;
}

void TCellManager::AddCell(int row, TCellObjBase& cell) {
  const int first = FindColNum(row);
  if (first < 0) return;
  const int columns = static_cast<int>(freeFrom_.size());
  const int span = std::max(1, cell.RowSpan);
  // Once past every row that an earlier cell still takes in these columns, each further
  // row marks the same columns: the walk stops there.
  int busyUntil = row;
  for (int c = first; c < columns && c < first + cell.ColSpan; ++c) busyUntil = std::max(busyUntil, freeFrom_[c]);
  std::vector<int> rowsMarked(static_cast<size_t>(std::max(0, std::min(cell.ColSpan, columns - first))), 0);
  for (int r = row; r < row + span; ++r) {
    int marked = 0;
    while (marked < cell.ColSpan && first + marked < columns && freeFrom_[first + marked] <= r) ++marked;
    if (marked < cell.ColSpan) cell.ColSpan = std::max(1, marked);
    if (r >= busyUntil) {
      // The same columns for all the remaining rows.
      for (int k = 0; k < marked; ++k) rowsMarked[k] += row + span - r;
      break;
    }
    for (int k = 0; k < marked; ++k) ++rowsMarked[k];
  }
  for (size_t k = 0; k < rowsMarked.size(); ++k)
    if (rowsMarked[k] > 0) freeFrom_[first + k] = row + rowsMarked[k];
}
