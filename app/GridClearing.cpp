#include "app/GridClearing.h"

#include "platform/ui/grid/StringGrid.h"

void ClearGridRows(TStringGrid& grid) {
  for (int r = 0; r < grid.RowCount(); ++r) grid.Rows(r).Clear();
}
