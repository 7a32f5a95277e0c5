// Grid and line-list routines that the workflows of the main window share.
#pragma once

#include <cstdint>

#include "platform/rtl/Strings.h"
#include "platform/rtl/Types.h"

class TStringGrid;

// Brackets many cell writes, so that a shown grid hears of them once (also when an
// exception passes).
class TGridCellUpdates {
 public:
  explicit TGridCellUpdates(TStringGrid& grid);
  ~TGridCellUpdates();
  TGridCellUpdates(const TGridCellUpdates&) = delete;
  TGridCellUpdates& operator=(const TGridCellUpdates&) = delete;

 private:
  TStringGrid& grid_;
};

// Widens every column whose widest cell text (over all rows, in the grid's font) is wider
// than threshold pixels to that width + GridLineWidth + 5; other columns keep their width.
void AutoSizeColumns(TStringGrid& grid, int threshold);
// Removes one row: the rows below move up, the old last row is emptied, RowCount drops by one.
void DeleteGridRow(TStringGrid& grid, int row);
// Removes every line equal (case-sensitive) to an earlier one; the first occurrence stays
// and the order is kept. Linear in the number of lines.
void RemoveDuplicateLines(TStrings& list);
// value rounded to digits decimals, a tie to the even neighbour (0.125 -> 0.12).
double RoundDecimals(int digits, double value);
// Sorts rows 1 to the last by one column (row 0 stays).
void SortGridRowsByColumn(TStringGrid& grid, int column);
// Sorts the rows below the fixed rows by one column.
void ExchangeSortGridRows(TStringGrid& grid, int column);
// Base64 of the text's bytes in code page 1252, with CR LF after every 76 characters.
String EncodeBase64Text(const String& text);

// The row sort behind both: rows first to last (inclusive) ascending by the key in column.
// When every key is a number (optional sign, digits, optionally a decimal comma or point
// and more digits) the keys compare as numbers, otherwise as text by AnsiCompareText.
// Equal keys keep their order; each row moves with all its cells.
void SortGridRows(TStringGrid& grid, int column, int first, int last);
// Whether a text is a number in the sense of SortGridRows; value receives it.
bool ParseSortNumber(const String& text, double& value);

// Line 0 of a text file, "" for an empty file.
String LoadFirstLine(const String& fileName);
// Writes the value as the file's only line.
void SaveFirstLine(const String& fileName, const String& value);
