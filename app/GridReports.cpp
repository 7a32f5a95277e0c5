#include "app/GridReports.h"

#include "platform/ui/controls/Memo.h"
#include "platform/ui/grid/StringGrid.h"

String HtmlEscape(const String& text) {
  String out;
  out.reserve(text.size());
  for (Char c : text) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

void GridToHtmlTable(TStringGrid& grid, TMemo& memo) {
  TStrings& lines = memo.Lines();
  TUpdateScope update(lines);
  lines.Clear();
  const TFontStyles style = grid.Font().Style();
  String open, close;
  if (style & fsBold) open += u"<b>";
  if (style & fsItalic) open += u"<i>";
  if (style & fsUnderline) open += u"<u>";
  if (style & fsUnderline) close += u"</u>";
  if (style & fsItalic) close += u"</i>";
  if (style & fsBold) close += u"</b>";

  lines.Add(u"  <table>");
  for (int r = 0; r < grid.RowCount(); ++r) {
    lines.Add(u"  <tr>");
    for (int c = 0; c < grid.ColCount(); ++c) {
      String cell = grid.Cells(c, r);
      cell = cell.empty() ? String(u" ") : HtmlEscape(cell);
      lines.Add(u"    <td align=\"left\" valign=\"top\">" + open + cell + close + u"</td>");
    }
    lines.Add(u"  </tr>");
  }
  lines.Add(u"  </table>");
}

void GridToCsvLines(TStringGrid& grid, TStrings& lines) {
  lines.Clear();
  for (int r = 0; r < grid.RowCount(); ++r) lines.Add(grid.Rows(r).CommaText());
}
