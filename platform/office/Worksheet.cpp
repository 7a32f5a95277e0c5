#include "platform/office/Spreadsheet.h"

#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Unicode.h"

void TWorksheet::SetRangeValue(int row1, int col1, int row2, int col2, const TCellBlock& values) {
  if (row1 < 1 || col1 < 1 || row2 < row1 || col2 < col1 || row2 > MaxSheetRows || col2 > MaxSheetColumns)
    throw ESpreadsheetError(S("Ungültiger Zellbereich (") + IntToStr(row1) + u", " + IntToStr(col1) + u") - (" +
                            IntToStr(row2) + u", " + IntToStr(col2) + u")");
  size_t rows = static_cast<size_t>(row2 - row1 + 1), cols = static_cast<size_t>(col2 - col1 + 1);
  bool fits = values.size() == rows;
  for (const auto& row : values) fits = fits && row.size() == cols;
  if (!fits) throw ESpreadsheetError(S("Die Werte passen nicht in den Zellbereich"));
  for (const auto& row : values)
    for (const String& text : row)
      if (text.size() > MaxCellTextUnits) throw ESpreadsheetError(S("Text zu lang für eine Zelle"));
  for (size_t r = 0; r < rows; ++r)
    for (size_t c = 0; c < cols; ++c) {
      std::pair<int, int> at{row1 + static_cast<int>(r), col1 + static_cast<int>(c)};
      if (values[r][c].empty())
        cells_.erase(at);
      else
        cells_[at] = values[r][c];
    }
}

String TWorksheet::Cell(int row, int col) const {
  auto it = cells_.find({row, col});
  return it == cells_.end() ? String() : it->second;
}
