// Grids to files for other programs: the CSV export and the copy into a new workbook.
#include "app/GridReports.h"
#include "app/MainForm.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/app/Application.h"

bool TForm1::SaveGridAsCsv() {
  TStringList lines;
  GridToCsvLines(*StringGrid1, lines);
  lines.SaveToFile(ReportCsvPath);
  return true;
}

void TForm1::ErgebnisseExcel1Click(TComponent*) {
  ReportCsvPath = AppPath(u"\\exp_gplushashtags.csv");
  SaveGridAsCsv();
}

namespace {

// A new workbook whose first sheet holds the grid's cells from A1 on, made visible.
void GridToSpreadsheet(TStringGrid& grid, const TSpreadsheetApplication::TOpener& opener) {
  TCellBlock block(static_cast<size_t>(grid.RowCount()));
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColCount(); ++c) block[static_cast<size_t>(r)].push_back(grid.Cells(c, r));
  TSpreadsheetApplication excel;
  excel.Opener = opener;
  excel.OnNotOpened = [](const String& fileName) {
    ShowMessage(u"Die Tabelle wurde gespeichert, kann aber nicht geöffnet werden: " + fileName);
  };
  TWorkbook& book = excel.WorkbooksAdd();
  book.Worksheets(1).SetRangeValue(1, 1, grid.RowCount(), grid.ColCount(), block);
  excel.SetVisible(true);
}

}  // namespace

void TForm1::ErgebnisseExcel2Click(TComponent*) { GridToSpreadsheet(*StringGrid3, SpreadsheetOpener); }

void TForm1::ExportExcel1Click(TComponent*) { GridToSpreadsheet(*StringGrid7, SpreadsheetOpener); }
