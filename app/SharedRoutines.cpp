#include "app/SharedRoutines.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>
#include <vector>

#include "platform/rtl/Base64.h"
#include "platform/rtl/CodePages.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/SortKeys.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/grid/StringGrid.h"

TGridCellUpdates::TGridCellUpdates(TStringGrid& grid) : grid_(grid) { grid_.SetCellUpdates(true); }
TGridCellUpdates::~TGridCellUpdates() { grid_.SetCellUpdates(false); }

void AutoSizeColumns(TStringGrid& grid, int threshold) {
  TCanvas& canvas = grid.Canvas();
  for (int col = 0; col < grid.ColCount(); ++col) {
    int widest = 0;
    for (int row = 0; row < grid.RowCount(); ++row) {
      const String& text = grid.CellRef(col, row);
      if (!text.empty()) widest = std::max(widest, canvas.TextWidth(text));
    }
    if (widest > threshold) grid.SetColWidths(col, widest + grid.GridLineWidth() + 5);
  }
}

void DeleteGridRow(TStringGrid& grid, int row) {
  TGridCellUpdates updates(grid);
  const int last = grid.RowCount() - 1;
  for (int r = row; r < last; ++r)
    for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, r, grid.CellRef(c, r + 1));
  grid.Rows(last).Clear();
  grid.SetRowCount(grid.RowCount() - 1);
}

void RemoveDuplicateLines(TStrings& list) {
  const int count = list.Count();
  std::vector<TStringItem> kept;
  kept.reserve(count);
  std::unordered_set<String> seen;
  seen.reserve(count);
  for (int i = 0; i < count; ++i) {
    String line = list.Get(i);
    if (seen.insert(line).second) kept.push_back(TStringItem{std::move(line), list.GetObject(i)});
  }
  if (static_cast<int>(kept.size()) == count) return;
  TUpdateScope update(list);
  list.Clear();
  for (TStringItem& item : kept) list.AddObject(item.text, item.object);
}

double RoundDecimals(int digits, double value) {
  const double p = std::pow(10.0, digits);
  return static_cast<double>(Round(value * p)) / p;
}

bool ParseSortNumber(const String& text, double& value) {
  size_t i = 0;
  const size_t n = text.size();
  if (i < n && (text[i] == u'-' || text[i] == u'+')) ++i;
  size_t digitsStart = i;
  while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i;
  if (i == digitsStart) return false;
  if (i < n && (text[i] == u',' || text[i] == u'.')) {
    size_t fractionStart = ++i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i;
    if (i == fractionStart) return false;
  }
  if (i != n) return false;
  std::string ascii(text.begin(), text.end());
  std::replace(ascii.begin(), ascii.end(), ',', '.');
  value = std::strtod(ascii.c_str(), nullptr);
  return true;
}

void SortGridRows(TStringGrid& grid, int column, int first, int last) {
  if (first < 0) first = 0;
  if (last - first < 1) return;
  const int count = last - first + 1;
  std::vector<int> order(count);
  std::iota(order.begin(), order.end(), 0);

  std::vector<double> numbers(count);
  bool numeric = true;
  for (int i = 0; i < count && numeric; ++i) numeric = ParseSortNumber(grid.CellRef(column, first + i), numbers[i]);
  if (numeric) {
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return numbers[a] < numbers[b]; });
  } else {
    std::vector<const String*> keys(count);
    for (int i = 0; i < count; ++i) keys[i] = &grid.CellRef(column, first + i);
    TSortKeys sortKeys(keys, false);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return sortKeys[a] < sortKeys[b]; });
  }

  // Move the rows by the order found: read every row's cells, then write them back.
  const int cols = grid.ColCount();
  std::vector<std::vector<String>> rows(count);
  for (int i = 0; i < count; ++i) {
    rows[i].reserve(cols);
    for (int c = 0; c < cols; ++c) rows[i].push_back(grid.CellRef(c, first + i));
  }
  TGridCellUpdates updates(grid);
  for (int i = 0; i < count; ++i) {
    if (order[i] == i) continue;
    for (int c = 0; c < cols; ++c) grid.SetCell(c, first + i, rows[order[i]][c]);
  }
}

void SortGridRowsByColumn(TStringGrid& grid, int column) { SortGridRows(grid, column, 1, grid.RowCount() - 1); }

void ExchangeSortGridRows(TStringGrid& grid, int column) {
  SortGridRows(grid, column, grid.FixedRows(), grid.RowCount() - 1);
}

String EncodeBase64Text(const String& text) {
  std::string encoded = EncodeBase64(StringToAnsi(text));
  return String(encoded.begin(), encoded.end());
}

String LoadFirstLine(const String& fileName) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  return lines.Count() > 0 ? lines[0] : String();
}

void SaveFirstLine(const String& fileName, const String& value) {
  TStringList lines;
  lines.Add(value);
  lines.SaveToFile(fileName);
}
