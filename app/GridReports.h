// The grid as report text: HTML table lines and CSV lines.
#pragma once

#include "platform/rtl/Strings.h"
#include "platform/rtl/Types.h"

class TStringGrid;
class TMemo;

// A cell text with &, <, > and " written as character references.
String HtmlEscape(const String& text);
// Empties the memo and writes the table: "  <table>", per row "  <tr>", one
// "    <td align="left" valign="top">" + cell + "</td>" line per column and "  </tr>",
// then "  </table>". Cells are escaped, an empty one stands as one blank, and the grid
// font's bold, italic and underline wrap each cell in <b>, <i>, <u>.
void GridToHtmlTable(TStringGrid& grid, TMemo& memo);
// One line per row (row 0 first): the row's cells as comma text (a cell holding a comma,
// a double quote, a blank or a control character quoted, inner quotes doubled).
void GridToCsvLines(TStringGrid& grid, TStrings& lines);
