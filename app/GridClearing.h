// Emptying a working grid before a workflow writes it anew.
#pragma once

class TStringGrid;

// Empties every cell of the rows within RowCount; the counts stay as they are.
void ClearGridRows(TStringGrid& grid);
