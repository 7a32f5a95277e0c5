// The spreadsheet that grids are copied into: an application object with workbooks, their
// worksheets and cell ranges set from blocks of texts. Making the application visible
// writes each workbook as an .xlsx file into the program folder's "export" folder and opens
// it with the desktop's default application; where nothing can open it, OnNotOpened is
// told where the file is.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

WENDREL_DECLARE_EXCEPTION(ESpreadsheetError, Exception);

// Rows of cell texts, all rows of one length.
using TCellBlock = std::vector<std::vector<String>>;

// The size limits of a worksheet and of a cell text in the .xlsx format.
constexpr int MaxSheetRows = 1048576;
constexpr int MaxSheetColumns = 16384;
constexpr size_t MaxCellTextUnits = 32767;

class TWorksheet {
 public:
  explicit TWorksheet(String name) : name_(std::move(name)) {}
  const String& Name() const { return name_; }

  // Sets the cells from (row1, col1) to (row2, col2), counted from 1 and both included,
  // to the block; the block has the range's size. Raises ESpreadsheetError for a range
  // outside the sheet, a block of another size, or a text longer than a cell holds.
  void SetRangeValue(int row1, int col1, int row2, int col2, const TCellBlock& values);
  // The text of a cell (from 1); empty when never set.
  String Cell(int row, int col) const;

  // The non-empty cells by (row, column) from 1.
  const std::map<std::pair<int, int>, String>& Cells() const { return cells_; }

 private:
  String name_;
  std::map<std::pair<int, int>, String> cells_;
};

class TWorkbook {
 public:
  TWorkbook();
  // The worksheet of that number (from 1); raises ESpreadsheetError for any other.
  TWorksheet& Worksheets(int index);
  int WorksheetCount() const { return static_cast<int>(sheets_.size()); }
  // Writes the workbook as an .xlsx file (texts as text cells); raises ESpreadsheetError
  // when the file cannot be written.
  void SaveAs(const String& fileName) const;

 private:
  std::vector<std::unique_ptr<TWorksheet>> sheets_;
};

class TSpreadsheetApplication {
 public:
  // Opens a file with the desktop; true when that succeeded.
  using TOpener = std::function<bool(const String& fileName)>;

  TSpreadsheetApplication();

  // A new workbook with one worksheet, "Tabelle1".
  TWorkbook& WorkbooksAdd();
  int WorkbookCount() const { return static_cast<int>(books_.size()); }

  bool Visible() const { return visible_; }
  // Making it visible writes every workbook not yet written to ProgramPath("\export\" +
  // time stamp + ".xlsx") (the folder is made when missing; a second file in the same
  // second gets "_2", "_3", ... after the stamp) and opens it with Opener; a file that
  // does not open goes to OnNotOpened.
  void SetVisible(bool value);

  // The files written so far.
  const std::vector<String>& Files() const { return files_; }

  // By default xdg-open.
  TOpener Opener;
  std::function<void(const String& fileName)> OnNotOpened;

 private:
  std::vector<std::unique_ptr<TWorkbook>> books_;
  size_t written_ = 0;
  std::vector<String> files_;
  bool visible_ = false;
};

// Runs "xdg-open <file>" (found on the PATH) and waits for it; true when it exits with 0.
bool OpenWithDesktop(const String& fileName);
