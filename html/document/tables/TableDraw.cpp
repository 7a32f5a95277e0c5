// Painting a table: its rows with the page-break rules of printing, and each cell's
// background, content and borders.
#include <algorithm>

#include "html/document/blocks/Block.h"
#include "html/document/blocks/SectionPageIndex.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"
#include "html/foundation/css/DocumentLimits.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/viewer/BoxBorder.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/rtl/Exceptions.h"

namespace {
// Cells further than this above or below the drawn rectangle are not drawn.
constexpr int DrawBand = 200;

// Paints one part of a cell (its background, content or borders). A part that fails is left
// out and the rest of the table still paints; an abort still ends the paint. Answers whether
// the part was painted.
template <typename TPart>
bool PaintCellPart(TPart&& paint) {
  try {
    paint();
    return true;
  } catch (const EAbort&) {
    throw;
  } catch (const Exception&) {
    return false;
  }
}

class TTableDrawDepth {
 public:
  explicit TTableDrawDepth(ThtDocument* document) : document_(document) {
    if (document_) ++document_->TableDepth;
  }
  ~TTableDrawDepth() {
    if (document_) --document_->TableDepth;
  }
  TTableDrawDepth(const TTableDrawDepth&) = delete;
  TTableDrawDepth& operator=(const TTableDrawDepth&) = delete;

 private:
  ThtDocument* document_;
};

// Keeps the device context's clip region for the time of a scope.
class TClipScope {
 public:
  explicit TClipScope(TCanvas& canvas) : dc_(canvas.Handle()), level_(dc_.SaveDC()) {}
  ~TClipScope() { dc_.RestoreDC(level_); }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

 private:
  TDeviceContext& dc_;
  int level_;
};

// The box limited vertically to the clip rectangle widened by margin: a cell many
// thousands of pixels high is drawn with coordinates near the visible area.
TRect LimitToClip(TRect box, const TRect& clip, int margin) {
  box.Top = std::max(box.Top, clip.Top - margin);
  box.Bottom = std::min(box.Bottom, clip.Bottom + margin);
  return box;
}
}  // namespace

int THtmlTable::Draw(TCanvas& canvas, const TRect& clip, TIndentManager&, int x, int, int) {
  const int result = SectionTop + SectionHeight;
  if (Display == DisplayNone) return result;
  TTableDrawDepth depth(Document);
  DrawX = x;
  const bool printing = Document && Document->Printing;
  const int scroll = Document ? Document->YOffset : 0;
  const int y = SectionTop;
  if (!printing && (y + DrawHeight - scroll < clip.Top || y - scroll >= clip.Bottom)) return result;
  if (printing && Document->TableDepth == 1 && HeadOrFoot && y < Document->PageBottom && !Document->PageCutForced &&
      (!Document->PrintedTable || Document->PrintedTable == this)) {
    DrawPaged(canvas, clip, x);
    return result;
  }
  DrawRows(canvas, clip, x, y, 0, Rows.Count() - 1);
  return result;
}

int THtmlTable::DrawRows(TCanvas& canvas, const TRect& clip, int x, int y, int first, int last) {
  const int scroll = Document ? Document->YOffset : 0;
  last = std::min(last, Rows.Count() - 1);
  if (first > last) return y;
  // Rows that end above the clip rectangle, with every row above them, are skipped at once;
  // the walk stops at the first row below it.
  if (rowTops_.size() == static_cast<size_t>(Rows.Count())) {
    const int origin = y - rowTops_[first];
    const auto visible = std::lower_bound(reachBelow_.begin() + first, reachBelow_.begin() + last + 1,
                                          clip.Top + scroll - origin);
    const int skipTo = static_cast<int>(visible - reachBelow_.begin());
    if (skipTo > first) {
      if (skipTo > last) return origin + rowTops_[last] + Rows.Items(last)->RowHeight;
      first = skipTo;
      y = origin + rowTops_[first];
    }
  }
  for (int i = first; i <= last; ++i) {
    if (y - scroll >= clip.Bottom) return y;
    y = DrawRow(canvas, i, clip, x, y);
  }
  return y;
}

int THtmlTable::DrawRow(TCanvas& canvas, int rowIndex, const TRect& clip, int x, int y) {
  TCellList& row = *Rows.Items(rowIndex);
  const int next = y + row.RowHeight;
  ThtDocument* document = Document;
  const bool printing = document && document->Printing;
  const int scroll = document ? document->YOffset : 0;
  const int top = y - scroll;
  if (printing) {
    const int half = CellSpacing / 2;
    const int pageHeight = clip.Bottom - clip.Top;
    const bool belowPageTop = top > clip.Top;
    const auto lowerPageBottom = [document](int bottom) {
      if (bottom < document->PageBottom) {
        document->PageBottom = bottom;
        document->TableBreak = true;
      }
    };
    if (row.BreakBefore) {
      if (belowPageTop) {
        lowerPageBottom(y + half);
        return next;
      }
    } else if (row.AvoidInside) {
      if (belowPageTop && y + row.RowSpanHeight > document->PageBottom && row.RowSpanHeight < pageHeight) {
        lowerPageBottom(y);
        return next;
      }
      if (belowPageTop && next > document->PageBottom && row.RowHeight < pageHeight) {
        lowerPageBottom(y + half);
        return next;
      }
    } else if (row.BreakAfter) {
      if (clip.Top + scroll < next && next + half < document->PageBottom) lowerPageBottom(next + half);
    }
    // A short row that would be cut waits for the next page, unless it already starts the
    // page: then it is drawn across the cut, so that paging always moves on.
    if (belowPageTop && row.RowSpanHeight <= 100 && y + row.RowSpanHeight > document->PageBottom) {
      lowerPageBottom(y);
      return next;
    }
  }
  if (top + row.RowSpanHeight < clip.Top || top >= clip.Bottom || (printing && y >= document->PageBottom))
    return next;
  const bool border = BorderWidth > 0;
  const TColor light = ResolveColor(BorderColorLight) | PaletteRGBFlag;
  const TColor dark = ResolveColor(BorderColorDark) | PaletteRGBFlag;
  int cellX = x;
  for (int c = 0; c < row.Count(); ++c) {
    TCellObj* cell = row.CellAt(c);
    if (cell && cell->IsReal()) cell->Draw(canvas, clip, cellX, y, CellSpacing, border, light, dark);
    if (c < static_cast<int>(Widths.size())) cellX = ClampFlowX(int64_t{cellX} + Widths[c]);
  }
  return next;
}

void TCellObj::Draw(TCanvas& canvas, const TRect& clip, int x, int y, int cellSpacing, bool border, TColor light,
                    TColor dark) {
  const int scroll = Document ? Document->YOffset : 0;
  const bool printing = Document && Document->Printing;
  const int top = y - scroll;
  const TRect box{x + cellSpacing, top + cellSpacing, x + CellWidth, top + CellHeight};
  Cell->HotRect = box;
  Cell->CellTop = y;
  if (box.Top >= clip.Bottom) return;
  TRect padding{box.Left + BrdLeft, box.Top + BrdTop, box.Right - BrdRight, box.Bottom - BrdBottom};
  padding = LimitToClip(padding, clip, 2);
  const bool inBand = box.Top < clip.Bottom + DrawBand && box.Bottom > clip.Top - DrawBand;
  const bool noOutput = Document && Document->NoOutput;

  if (!noOutput && Cell->HasBackground && (!printing || (Document && Document->PrintTableBackground))) {
    TRect fill = padding;
    if (!HasBorderStyle) {
      if (BrdLeft > 0) --fill.Left;
      if (BrdTop > 0) --fill.Top;
      if (BrdRight > 0) ++fill.Right;
      if (BrdBottom > 0) ++fill.Bottom;
    } else if (border) {
      fill = TRect{fill.Left - 1, fill.Top - 1, fill.Right + 1, fill.Bottom + 1};
    }
    fill = fill.Intersect(LimitToClip(box, clip, 2));
    if (!fill.IsEmpty())
      PaintCellPart([&] {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(ResolveColor(Cell->CellBackground) | PaletteRGBFlag);
        canvas.FillRect(fill);
      });
  }
  // A background image that cannot be drawn is dropped with its tiles.
  if (!noOutput && Background && Background->Image &&
      (!printing || (Document && Document->PrintTableBackground)) &&
      !PaintCellPart([&] { DrawBackgroundImage(canvas, padding, clip); }))
    Background->Image.reset();

  if (!inBand) return;
  if (!noOutput && Cell->Count() > 0)
    PaintCellPart([&] {
      TClipScope scope(canvas);
      canvas.Handle().IntersectClipRect(LimitToClip(box, clip, 2));
      const int contentX = x + cellSpacing + BrdLeft + PadLeft;
      const int contentY = y + cellSpacing + BrdTop + PadTop + VOffset;
      if (printing && static_cast<size_t>(Cell->Count()) >= TSectionPageIndex::IndexedLength)
        DrawContentPagePart(canvas, clip, ContentWidth(cellSpacing), contentX, contentY);
      else
        Cell->Draw(canvas, clip, ContentWidth(cellSpacing), contentX, contentY, 0, 0);
    });
  Cell->CellTop = y;
  if (!noOutput && (Cell->Count() > 0 || ShowEmpty))
    PaintCellPart([&] { DrawBorders(canvas, box, clip, border, light, dark); });
}

void TCellObj::DrawContentPagePart(TCanvas& canvas, const TRect& clip, int width, int x, int y) {
  Cell->BeginDraw(width, x, y);
  const size_t count = static_cast<size_t>(Cell->Count());
  if (!pageIndex_) pageIndex_ = std::make_unique<TSectionPageIndex>();
  if (!pageIndex_->IsFor(Document->LayoutPass, count)) {
    std::vector<TSectionBase*> sections;
    sections.reserve(count);
    for (size_t i = 0; i < count; ++i) sections.push_back(Cell->Items(static_cast<int>(i)));
    pageIndex_->Build(std::move(sections), Document->LayoutPass);
  }
  pageIndex_->DrawPage(*Document, canvas, clip, *Cell->IndentManager, x, 0, 0);
}

void TCellObj::DrawBorders(TCanvas& canvas, const TRect& box, const TRect& clip, bool border, TColor light,
                           TColor dark) {
  if (BrdLeft + BrdTop + BrdRight + BrdBottom == 0) return;
  std::array<TColor, 4> colors{};
  std::array<uint8_t, 4> styles{};
  if (HasBorderStyle) {
    colors = {BorderColors[3], BorderColors[0], BorderColors[1], BorderColors[2]};
    styles = {BorderStyles[3], BorderStyles[0], BorderStyles[1], BorderStyles[2]};
  } else if (border) {
    // A plain BORDER: the cell looks sunk into the table.
    colors = {dark, dark, light, light};
    styles = {bssSolid, bssSolid, bssSolid, bssSolid};
  } else {
    return;
  }
  // A cell cut by the clip rectangle is drawn as a box that ends just outside it, its top
  // and bottom sides out of sight: the coordinates stay near the visible area however tall
  // the cell or the page is.
  TRect outer = box;
  TRect inner{box.Left + BrdLeft, box.Top + BrdTop, box.Right - BrdRight, box.Bottom - BrdBottom};
  const int reach = std::max(BrdTop, BrdBottom) + 4;
  if (outer.Top < clip.Top - reach) {
    outer.Top = clip.Top - reach;
    inner.Top = outer.Top + BrdTop;
  }
  if (outer.Bottom > clip.Bottom + reach) {
    outer.Bottom = clip.Bottom + reach;
    inner.Bottom = outer.Bottom - BrdBottom;
  }
  PaintBoxBorder(canvas, outer, inner, colors, styles, clNone, Document && Document->Printing);
}

void TCellObj::DrawBackgroundImage(TCanvas& canvas, const TRect& paddingBox, const TRect& clip) {
  if (!Document || !Document->ShowImages || !Background || !Background->Image) return;
  TileBackgroundImage(canvas, *Background->Image, Background->Pos, paddingBox, clip);
}
