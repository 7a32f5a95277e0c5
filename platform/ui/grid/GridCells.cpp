#include "platform/ui/grid/GridCells.h"

namespace {
const String kEmpty;
}

const String& TGridCells::Get(int col, int row) const {
  auto it = rows_.find(row);
  if (it == rows_.end() || col < 0 || col >= static_cast<int>(it->second.size())) return kEmpty;
  return it->second[col];
}

void TGridCells::Set(int col, int row, String text) {
  auto it = rows_.find(row);
  if (it == rows_.end()) {
    if (text.empty()) return;
    it = rows_.emplace(row, std::vector<String>()).first;
  }
  std::vector<String>& cells = it->second;
  if (col >= static_cast<int>(cells.size())) {
    if (text.empty()) return;
    cells.resize(col + 1);
  }
  cells[col] = std::move(text);
}

void TGridCells::ExchangeRows(int row1, int row2) {
  if (row1 == row2) return;
  auto a = rows_.find(row1);
  auto b = rows_.find(row2);
  if (a == rows_.end() && b == rows_.end()) return;
  std::vector<String> first = a == rows_.end() ? std::vector<String>() : std::move(a->second);
  std::vector<String> second = b == rows_.end() ? std::vector<String>() : std::move(b->second);
  rows_[row1] = std::move(second);
  rows_[row2] = std::move(first);
}

void TGridCells::ClearColumn(int col) {
  for (auto& [row, cells] : rows_)
    if (col >= 0 && col < static_cast<int>(cells.size())) cells[col].clear();
}
