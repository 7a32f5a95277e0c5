#include <xlsxwriter.h>

#include "platform/office/Spreadsheet.h"
#include "platform/rtl/Unicode.h"

TWorkbook::TWorkbook() { sheets_.push_back(std::make_unique<TWorksheet>(u"Tabelle1")); }

TWorksheet& TWorkbook::Worksheets(int index) {
  if (index < 1 || index > WorksheetCount()) throw ESpreadsheetError(S("Ungültiger Index des Arbeitsblatts"));
  return *sheets_[static_cast<size_t>(index - 1)];
}

namespace {

[[noreturn]] void WriteFailed(const String& fileName, lxw_error error) {
  throw ESpreadsheetError(S("Arbeitsmappe kann nicht geschrieben werden: ") + fileName + u" (" +
                          Utf8ToString(lxw_strerror(error)) + u")");
}

}  // namespace

void TWorkbook::SaveAs(const String& fileName) const {
  std::string path = StringToUtf8(fileName);
  lxw_workbook* book = workbook_new(path.c_str());
  if (!book) WriteFailed(fileName, LXW_ERROR_CREATING_XLSX_FILE);
  lxw_error error = LXW_NO_ERROR;
  for (const auto& sheet : sheets_) {
    std::string name = StringToUtf8(sheet->Name());
    lxw_worksheet* ws = workbook_add_worksheet(book, name.c_str());
    if (!ws) {
      error = LXW_ERROR_MEMORY_MALLOC_FAILED;
      break;
    }
    for (const auto& [at, text] : sheet->Cells()) {
      std::string utf8 = StringToUtf8(text);
      error = worksheet_write_string(ws, static_cast<lxw_row_t>(at.first - 1), static_cast<lxw_col_t>(at.second - 1),
                                     utf8.c_str(), nullptr);
      if (error != LXW_NO_ERROR) break;
    }
    if (error != LXW_NO_ERROR) break;
  }
  // Closing writes the file and frees the workbook also after an error.
  lxw_error closed = workbook_close(book);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR) WriteFailed(fileName, error);
}
