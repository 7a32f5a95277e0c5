#include "platform/ui/grid/StringGrid.h"

#include <algorithm>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace {
[[noreturn]] void IndexError(int index) {
  throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
}
[[noreturn]] void GridIndexError() { throw EInvalidOperation(S("Gitterindex außerhalb des gültigen Bereichs")); }
}  // namespace

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TMeasureDC>()) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCell(int col, int row, const String& text) {
  if (col < 0) IndexError(col);
  if (row < 0) IndexError(row);
  cells_.Set(col, row, text);
  CellsChanged();
}

void TStringGrid::ClearRow(int row) {
  cells_.ClearRow(row);
  CellsChanged();
}

void TStringGrid::ClearColumn(int col) {
  cells_.ClearColumn(col);
  CellsChanged();
}

void TStringGrid::SetCellUpdates(bool updating) {
  cellUpdates_ += updating ? 1 : -1;
  if (cellUpdates_ == 0 && cellsPending_) CellsChanged();
}

void TStringGrid::CellsChanged() {
  if (cellUpdates_ > 0) {
    cellsPending_ = true;
    return;
  }
  cellsPending_ = false;
  Changed(TChange::Cells);
}

void TStringGrid::LayoutChanged() { Changed(TChange::GridLayout); }

void TStringGrid::SetRowCount(int value) {
  if (value < 1) value = 1;
  if (value == rowCount_) return;
  if (value <= fixedRows_) fixedRows_ = value - 1;
  // Rows that come into the count get the default height again.
  if (value > rowCount_ && static_cast<int>(rowHeights_.size()) > rowCount_)
    std::fill(rowHeights_.begin() + rowCount_, rowHeights_.begin() + std::min<int>(value, rowHeights_.size()),
              defaultRowHeight_);
  rowCount_ = value;
  row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
  topRow_ = std::clamp(topRow_, fixedRows_, rowCount_ - 1);
  LayoutChanged();
}

void TStringGrid::SetColCount(int value) {
  if (value < 1) value = 1;
  if (value == colCount_) return;
  if (value <= fixedCols_) fixedCols_ = value - 1;
  if (value > colCount_ && static_cast<int>(colWidths_.size()) > colCount_)
    std::fill(colWidths_.begin() + colCount_, colWidths_.begin() + std::min<int>(value, colWidths_.size()),
              defaultColWidth_);
  colCount_ = value;
  col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
  leftCol_ = std::clamp(leftCol_, fixedCols_, colCount_ - 1);
  LayoutChanged();
}

void TStringGrid::SetFixedRows(int value) {
  if (value < 0) GridIndexError();
  if (value >= rowCount_) throw EInvalidOperation(S("Die Anzahl fixierter Zeilen muss kleiner als die Zeilenanzahl sein"));
  fixedRows_ = value;
  row_ = std::max(row_, fixedRows_);
  topRow_ = std::max(topRow_, fixedRows_);
  LayoutChanged();
}

void TStringGrid::SetFixedCols(int value) {
  if (value < 0) GridIndexError();
  if (value >= colCount_) throw EInvalidOperation(S("Die Anzahl fixierter Spalten muss kleiner als die Spaltenanzahl sein"));
  fixedCols_ = value;
  col_ = std::max(col_, fixedCols_);
  leftCol_ = std::max(leftCol_, fixedCols_);
  LayoutChanged();
}

TStrings& TStringGrid::Rows(int row) {
  if (row < 0) IndexError(row);
  auto& slot = rows_[row];
  if (!slot) slot = std::make_unique<TGridStrings>(*this, true, row);
  return *slot;
}

TStrings& TStringGrid::Cols(int col) {
  if (col < 0) IndexError(col);
  auto& slot = cols_[col];
  if (!slot) slot = std::make_unique<TGridStrings>(*this, false, col);
  return *slot;
}

void TStringGrid::SetDefaultColWidth(int value) {
  defaultColWidth_ = value;
  colWidths_.clear();
  LayoutChanged();
}

void TStringGrid::SetDefaultRowHeight(int value) {
  defaultRowHeight_ = value;
  rowHeights_.clear();
  LayoutChanged();
}

int TStringGrid::ColWidths(int col) const {
  if (col < 0 || col >= colCount_) IndexError(col);
  return col < static_cast<int>(colWidths_.size()) ? colWidths_[col] : defaultColWidth_;
}

void TStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= colCount_) IndexError(col);
  if (col >= static_cast<int>(colWidths_.size())) colWidths_.resize(col + 1, defaultColWidth_);
  colWidths_[col] = width;
  LayoutChanged();
}

int TStringGrid::RowHeights(int row) const {
  if (row < 0 || row >= rowCount_) IndexError(row);
  return row < static_cast<int>(rowHeights_.size()) ? rowHeights_[row] : defaultRowHeight_;
}

void TStringGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= rowCount_) IndexError(row);
  if (row >= static_cast<int>(rowHeights_.size())) rowHeights_.resize(row + 1, defaultRowHeight_);
  rowHeights_[row] = height;
  LayoutChanged();
}

void TStringGrid::SetGridLineWidth(int value) {
  gridLineWidth_ = std::max(0, value);
  LayoutChanged();
}

void TStringGrid::SetRow(int value) {
  if (value < fixedRows_ || value >= rowCount_) GridIndexError();
  row_ = value;
  LayoutChanged();
}

void TStringGrid::SetCol(int value) {
  if (value < fixedCols_ || value >= colCount_) GridIndexError();
  col_ = value;
  LayoutChanged();
}

void TStringGrid::SetTopRow(int value) {
  topRow_ = std::clamp(value, fixedRows_, rowCount_ - 1);
  LayoutChanged();
}

void TStringGrid::SetLeftCol(int value) {
  leftCol_ = std::clamp(value, fixedCols_, colCount_ - 1);
  LayoutChanged();
}

int TStringGrid::StartOf(int index, int fixed, int first, const std::vector<int>& sizes, int fallback,
                         bool& visible) const {
  auto size = [&](int i) { return i < static_cast<int>(sizes.size()) ? sizes[i] : fallback; };
  int pos = 0;
  visible = true;
  if (index < fixed) {
    for (int i = 0; i < index; ++i) pos += size(i) + gridLineWidth_;
    return pos;
  }
  for (int i = 0; i < fixed; ++i) pos += size(i) + gridLineWidth_;
  if (index < first) {
    visible = false;
    return 0;
  }
  for (int i = first; i < index; ++i) pos += size(i) + gridLineWidth_;
  return pos;
}

TRect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return TRect();
  bool colVisible, rowVisible;
  int left = StartOf(col, fixedCols_, leftCol_, colWidths_, defaultColWidth_, colVisible);
  int top = StartOf(row, fixedRows_, topRow_, rowHeights_, defaultRowHeight_, rowVisible);
  if (!colVisible || !rowVisible) return TRect();
  return TRect{left, top, left + ColWidths(col), top + RowHeights(row)};
}

void TStringGrid::UserSelectCell(int col, int row) {
  if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount_) return;
  col_ = col;
  row_ = row;
}

void TStringGrid::UserScrolled(int topRow, int leftCol) {
  topRow_ = std::clamp(topRow, fixedRows_, rowCount_ - 1);
  leftCol_ = std::clamp(leftCol, fixedCols_, colCount_ - 1);
}
