// The section queries of a table: hit tests, cursor, find and selection go to its cells.
#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"

namespace {
// Every real cell of the table in row and column order (backward: from the last).
template <typename TVisit>
bool EachCell(TFreeList<TCellList>& rows, bool backward, TVisit visit) {
  const int n = rows.Count();
  for (int k = 0; k < n; ++k) {
    TCellList& row = *rows.Items(backward ? n - 1 - k : k);
    const int m = row.Count();
    for (int j = 0; j < m; ++j) {
      TCellObj* cell = row.CellAt(backward ? m - 1 - j : j);
      if (cell && cell->IsReal() && visit(*cell)) return true;
    }
  }
  return false;
}
}  // namespace

TCellObj* THtmlTable::CellAt(int x, int y) {
  if (Display == DisplayNone || x < DrawX || x >= DrawX + TableWidth || y < ContentTop || y >= SectionBottom)
    return nullptr;
  for (int r = 0; r < Rows.Count(); ++r) {
    TCellList& row = *Rows.Items(r);
    int left = DrawX;
    for (int c = 0; c < row.Count(); ++c) {
      const int width = c < static_cast<int>(Widths.size()) ? Widths[c] : 0;
      TCellObj* cell = row.CellAt(c);
      if (cell && cell->IsReal()) {
        const int right = left + SumRange(Widths, c, c + cell->ColSpan - 1);
        const int top = cell->Cell->CellTop;
        if (x >= left && x < right && y >= top && y < top + cell->CellHeight) return cell;
      }
      left += width;
    }
  }
  return nullptr;
}

int THtmlTable::UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                      std::unique_ptr<TUrlTarget>& target) {
  TCellObj* cell = CellAt(x, y);
  if (!cell) return TSectionBase::UrlAt(canvas, x, y, title, control, target);
  int flags = cell->Cell->UrlAt(canvas, x, y, title, control, target);
  // The cell's own HREF and title answer where its content has nothing.
  if (!(flags & UrlAtLink) && !cell->Cell->Url().empty()) {
    target = std::make_unique<TUrlTarget>();
    target->LinkUrl = cell->Cell->Url();
    target->FrameTarget = cell->Cell->Target();
    flags |= UrlAtLink;
  }
  if (!(flags & UrlAtTitle) && title.empty() && !cell->Cell->Title().empty()) {
    title = cell->Cell->Title();
    flags |= UrlAtTitle;
  }
  return flags;
}

bool THtmlTable::ObjectAt(int x, int y, TIDObject*& object) {
  object = nullptr;
  TCellObj* cell = CellAt(x, y);
  return cell && cell->Cell->ObjectAt(x, y, object);
}

int THtmlTable::FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop,
                           int& cursorX) {
  TCellObj* cell = CellAt(x, y);
  return cell ? cell->Cell->FindCursor(canvas, x, y, onText, lineHeight, lineTop, cursorX) : -1;
}

bool THtmlTable::CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) {
  if (Display == DisplayNone || cursor < StartCursor || cursor > StartCursor + CursorLength) return false;
  return EachCell(Rows, false, [&](TCellObj& cell) { return cell.Cell->CursorToXY(canvas, cursor, x, y); });
}

bool THtmlTable::CharAt(int cursor, Char& ch, TIDObject*& object) {
  ch = 0;
  object = nullptr;
  if (Display == DisplayNone || cursor < StartCursor || cursor > StartCursor + CursorLength) return false;
  return EachCell(Rows, false, [&](TCellObj& cell) { return cell.Cell->CharAt(cursor, ch, object); });
}

int THtmlTable::FindString(int fromCursor, const String& text, bool matchCase) {
  int result = -1;
  if (Display == DisplayNone) return result;
  EachCell(Rows, false, [&](TCellObj& cell) { return (result = cell.Cell->FindString(fromCursor, text, matchCase)) >= 0; });
  return result;
}

int THtmlTable::FindStringBack(int fromCursor, const String& text, bool matchCase) {
  int result = -1;
  if (Display == DisplayNone) return result;
  EachCell(Rows, true,
           [&](TCellObj& cell) { return (result = cell.Cell->FindStringBack(fromCursor, text, matchCase)) >= 0; });
  return result;
}

int THtmlTable::CursorToSource(int cursor) {
  int result = -1;
  if (Display == DisplayNone) return result;
  EachCell(Rows, false, [&](TCellObj& cell) { return (result = cell.Cell->CursorToSource(cursor)) >= 0; });
  return result;
}

int THtmlTable::SourceToCursor(int sourcePosition, bool backward) {
  int result = -1;
  if (Display == DisplayNone) return result;
  EachCell(Rows, backward,
           [&](TCellObj& cell) { return (result = cell.Cell->SourceToCursor(sourcePosition, backward)) >= 0; });
  return result;
}

void THtmlTable::CopySelection() {
  if (Display == DisplayNone) return;
  EachCell(Rows, false, [](TCellObj& cell) {
    cell.Cell->CopySelection();
    return false;
  });
}
