// The table's side of cutting a table with header or footer rows into pages: which rows
// each pass of the page loop draws, and the part record that tells the loop what comes
// next (header rows at the top of the next page, footer rows below the body of this one).
#include <algorithm>

#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"
#include "html/foundation/viewer/ViewerBase.h"

void THtmlTable::DrawPaged(TCanvas& canvas, const TRect& clip, int x) {
  ThtDocument& document = *Document;
  TTablePartRec& part = *TablePart;
  const int top = SectionTop;
  const int rowCount = Rows.Count();
  const int lastBodyRow = FootStartRow >= 0 ? FootStartRow - 1 : rowCount - 1;
  const int pageTop = document.YOffset + clip.Top;
  const auto lowerPageBottom = [&document](int bottom) {
    if (bottom < document.PageBottom) {
      document.PageBottom = bottom;
      document.TableBreak = true;
    }
  };
  // After the body rows of this page: the footer rows come next when there are any, else
  // the header rows at the top of the next page, else the body goes on there.
  const auto partAfterBody = [&] {
    BodyStop = document.PageBottom;
    if (FootStartRow >= 0) {
      part.PartKind = tpFooter;
      part.PartStart = top + FootOffset;
      part.PartHeight = std::max(2 * CellSpacing, CellSpacing + 1) + FooterHeight + BlockBorderBottom;
    } else if (HeaderRowCount > 0) {
      part.PartKind = tpHeader;
      part.PartStart = top - BlockBorderTop;
      part.PartHeight = HeaderHeight + BlockBorderTop;
    } else {
      part.PartKind = tpBodyNext;
      part.PartStart = BodyStop - 1;
    }
    if (document.Viewer) document.Viewer->TablePartRec = &part;
  };

  switch (part.PartKind) {
    case tpNormal: {
      document.PrintedTable = this;
      if (SectionHeight + BlockBorderBottom <= document.PageBottom - top) {
        DrawRows(canvas, clip, x, top, 0, rowCount - 1);
        document.PrintedTable = nullptr;
        return;
      }
      int firstBody = 0;
      for (int i = 0; i < rowCount; ++i)
        if (Rows.Items(i)->RowKind == 1) {
          firstBody = Rows.Items(i)->RowHeight;
          break;
        }
      const int least = HeaderHeight + firstBody + FooterHeight;
      if (top > pageTop && least > document.PageBottom - top && least <= clip.Bottom - clip.Top) {
        lowerPageBottom(top + CellSpacing / 2);
        return;
      }
      lowerPageBottom(document.PageBottom - (FooterHeight + CellSpacing + BlockBorderBottom + 5));
      DrawRows(canvas, clip, x, top, 0, lastBodyRow);
      partAfterBody();
      return;
    }
    case tpFooter:
      if (FootStartRow >= 0) DrawRows(canvas, clip, x, top + FootOffset, FootStartRow, rowCount - 1);
      if (HeaderRowCount > 0) {
        part.PartKind = tpHeader;
        part.PartStart = top - BlockBorderTop;
        part.PartHeight = HeaderHeight + BlockBorderTop;
      } else {
        part.PartKind = tpBodyNext;
        part.PartStart = BodyStop - 1;
      }
      return;
    case tpHeader:
      DrawRows(canvas, clip, x, top, 0, HeaderRowCount - 1);
      part.PartKind = tpBody;
      part.PartStart = BodyStop - 1;
      return;
    case tpBody:
    case tpBodyDraw: {
      const bool second = part.PartKind == tpBodyDraw;
      if (top + SectionHeight + BlockBorderBottom < document.PageBottom) {
        DrawRows(canvas, clip, x, top, 0, rowCount - 1);
        part.PartKind = tpNormal;
        if (second) document.PrintedTable = nullptr;
        return;
      }
      if (!second)
        lowerPageBottom(document.PageBottom - (FooterHeight + std::max(CellSpacing, 1) + BlockBorderBottom));
      DrawRows(canvas, clip, x, top, 0, lastBodyRow);
      partAfterBody();
      return;
    }
    case tpBodyNext:
    default:
      return;
  }
}
