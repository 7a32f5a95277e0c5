// Row heights with row spans, the table's layout as a section and the final placement of
// its cells.
#include <algorithm>
#include <cstdint>

#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"
#include "html/foundation/css/DocumentLimits.h"

namespace {
// Raises the document's table depth for as long as it lives.
class TTableDepth {
 public:
  explicit TTableDepth(ThtDocument* document) : document_(document) {
    if (document_) ++document_->TableDepth;
  }
  ~TTableDepth() {
    if (document_) --document_->TableDepth;
  }
  TTableDepth(const TTableDepth&) = delete;
  TTableDepth& operator=(const TTableDepth&) = delete;

 private:
  ThtDocument* document_;
};

// a * b / c rounded to the nearest integer, halves to even (c > 0).
int RoundHalfEven(int64_t a, int64_t b, int64_t c) {
  const int64_t product = a * b;
  int64_t quotient = product / c;
  int64_t remainder = product % c;
  if (remainder < 0) {
    remainder += c;
    --quotient;
  }
  const int64_t twice = 2 * remainder;
  if (twice > c || (twice == c && (quotient % 2 != 0))) ++quotient;
  return static_cast<int>(quotient);
}

// Adds what `needed` has over the rows' sum to the rows first..first+span-1: equal parts,
// the rest to the last row.
void SpreadOver(std::vector<int>& heights, int first, int span, int needed) {
  int64_t sum = 0;
  for (int k = 0; k < span; ++k) sum += heights[first + k];
  if (sum >= needed) return;
  // Below needed, the sum fits an int.
  const int missing = needed - static_cast<int>(sum);
  const int part = missing / span;
  for (int k = 0; k < span; ++k) heights[first + k] += part;
  heights[first + span - 1] += missing - part * span;
}
}  // namespace

THtmlTable::TRowNeeds THtmlTable::RowHeightsAt(TCanvas& canvas, TCellList& row, int span, int rowCount,
                                               int available) {
  TRowNeeds needs;
  int column = 0;
  for (int i = 0; i < row.Count(); ++i, ++column) {
    TCellObj* cell = row.CellAt(i);
    if (!cell || cell->ColSpan <= 0) continue;
    cell->CellWidth = SumRange(Widths, i, i + cell->ColSpan - 1);
    if (cell->RowSpan > span) needs.MoreSpans = true;
    if (cell->RowSpan != span) continue;
    int height = 0;
    if (cell->SpecHeight.Kind == wtAbsolute) height = cell->SpecHeight.Amount;
    else if (cell->SpecHeight.Kind == wtPercent)
      height = static_cast<int>(int64_t{available} * cell->SpecHeight.Amount / 1000);
    if (rowCount == 1 && height == 0) height = available;
    int cursor = 0, maxWidth = 0;
    cell->ContentHeight = cell->Cell->Layout(canvas, 0, cursor, maxWidth, std::max(0, height - cell->VrSpace), 0,
                                             cell->ContentWidth(CellSpacing));
    needs.Needed = std::max(needs.Needed, cell->ContentHeight + cell->VrSpace);
    if (cell->SpecHeight.Kind == wtAbsolute) {
      needs.Needed = std::max(needs.Needed, height);
      needs.HasHeight = true;
    } else if (cell->SpecHeight.Kind == wtPercent) {
      needs.Desired = std::max(needs.Desired, height);
      needs.HasHeight = true;
    }
  }
  needs.Desired = std::max(needs.Desired, needs.Needed);
  return needs;
}

void THtmlTable::ComputeRowHeights(TCanvas& canvas, int tableHeight) {
  const int n = Rows.Count();
  Heights.assign(static_cast<size_t>(n), 0);
  if (n == 0) return;
  const int height = tableHeight - CellSpacing;
  std::vector<int> minH(static_cast<size_t>(n), 0), desH(static_cast<size_t>(n), 0);
  std::vector<bool> hasH(static_cast<size_t>(n), false), moreSpans(static_cast<size_t>(n), true);
  const int available =
      static_cast<int>(std::clamp<int64_t>(int64_t{height} - int64_t{n} * CellSpacing, 0, INT32_MAX));
  // Row spans are handled shortest first; rows without longer spans drop out, and the next
  // span measured is the shortest one still present, so a tall span costs no empty passes.
  for (int span = 1; span > 0;) {
    int nextSpan = 0;
    for (int i = 0; i + span <= n; ++i) {
      if (!moreSpans[i]) continue;
      const TRowNeeds needs = RowHeightsAt(canvas, *Rows.Items(i), span, n, available);
      moreSpans[i] = needs.MoreSpans;
      if (needs.MoreSpans) {
        TCellList& row = *Rows.Items(i);
        for (int c = 0; c < row.Count(); ++c) {
          const TCellObjBase& cell = *row.Items(c);
          if (cell.ColSpan > 0 && cell.RowSpan > span && (nextSpan == 0 || cell.RowSpan < nextSpan))
            nextSpan = cell.RowSpan;
        }
      }
      const int needed = needs.Needed + CellSpacing;
      const int desired = needs.Desired + CellSpacing;
      if (span == 1) {
        minH[i] = needed;
        desH[i] = desired;
        hasH[i] = needs.HasHeight;
      } else if (needed > CellSpacing) {
        if (needs.HasHeight)
          for (int k = 0; k < span; ++k) hasH[i + k] = true;
        SpreadOver(minH, i, span, needed);
        SpreadOver(desH, i, span, desired);
      }
    }
    span = nextSpan;
  }

  int64_t sumMin = 0, sumDes = 0;
  int free = 0;
  for (int i = 0; i < n; ++i) {
    sumMin += minH[i];
    sumDes += desH[i];
    if (!hasH[i]) ++free;
  }
  if (sumMin >= height) {
    Heights = minH;
  } else if (sumDes >= height) {
    // sumDes >= height > sumMin: the divisor is positive.
    int given = 0;
    for (int i = 0; i < n - 1; ++i) {
      Heights[i] = minH[i] + RoundHalfEven(desH[i] - minH[i], height - sumMin, sumDes - sumMin);
      given += Heights[i];
    }
    Heights[n - 1] = height - given;
  } else if (free == 0) {
    int given = 0;
    for (int i = 0; i < n - 1; ++i) {
      // Rows that want nothing share the height equally instead of dividing by nothing.
      Heights[i] = sumDes > 0 ? RoundHalfEven(desH[i], height, sumDes) : height / n;
      given += Heights[i];
    }
    Heights[n - 1] = height - given;
  } else {
    Heights = desH;
    const int extra = static_cast<int>(height - sumDes);
    const int part = extra / free;
    int lastFree = -1;
    for (int i = 0; i < n; ++i)
      if (!hasH[i]) {
        Heights[i] += part;
        lastFree = i;
      }
    Heights[lastFree] += extra - part * free;
  }
}

int THtmlTable::RowLayout(TCanvas& canvas, int y, int tableHeight, int& cursor) {
  // Row heights follow from the column widths and the table height alone within one
  // document layout, so they are kept from the pass that measured them. Measuring again
  // would lay out every nested table once more at each level: a nested table is laid out
  // while its row heights are measured and again when its cells are placed.
  const bool measured = !Heights.empty() && Document && heightsPass_ == Document->LayoutPass &&
                        heightsTableHeight_ == tableHeight && heightsWidths_ == Widths;
  const bool recompute = !measured || (Document->FinalPass && Document->TableDepth <= 5);
  if (recompute) {
    ComputeRowHeights(canvas, tableHeight);
    heightsPass_ = Document ? Document->LayoutPass : -1;
    heightsTableHeight_ = tableHeight;
    heightsWidths_ = Widths;
  }
  HeaderHeight = HeaderRowCount = FooterHeight = 0;
  FootStartRow = -1;
  bool bodyRow = false;
  int result = 0;
  const int n = Rows.Count();
  const bool outermost = Document && Document->TableDepth == 1;
  rowTops_.assign(static_cast<size_t>(n), 0);
  reachBelow_.assign(static_cast<size_t>(n), 0);
  for (int i = 0; i < n; ++i) {
    TCellList& row = *Rows.Items(i);
    row.RowHeight = i < static_cast<int>(Heights.size()) ? Heights[i] : 0;
    switch (row.RowKind) {
      case 0:
        ++HeaderRowCount;
        HeaderHeight = ClampFlowY(int64_t{HeaderHeight} + row.RowHeight);
        break;
      case 2:
        if (FootStartRow < 0) {
          FootStartRow = i;
          FootOffset = result;
        }
        FooterHeight = ClampFlowY(int64_t{FooterHeight} + row.RowHeight);
        break;
      default: bodyRow = true; break;
    }
    row.RowSpanHeight = 0;
    for (int c = 0; c < row.Count(); ++c) {
      TCellObj* cell = row.CellAt(c);
      if (!cell || !cell->IsReal()) continue;
      cell->CellHeight = SumRange(Heights, i, std::min(n, i + cell->RowSpan) - 1);
      row.RowSpanHeight = std::max(row.RowSpanHeight, cell->CellHeight);
    }
    rowTops_[i] = result;
    reachBelow_[i] = std::max(i > 0 ? reachBelow_[i - 1] : 0,
                              ClampFlowY(int64_t{result} + std::max(row.RowHeight, row.RowSpanHeight)));
    if (outermost) Document->FinalPass = true;
    struct TEndPass {
      ThtDocument* document;
      bool active;
      ~TEndPass() {
        if (active) document->FinalPass = false;
      }
    } endPass{Document, outermost};
    if (Document && Document->FinalPass)
      for (int c = 0; c < row.Count(); ++c) {
        TCellObj* cell = row.CellAt(c);
        if (cell && cell->IsReal()) cell->Layout(canvas, y, CellSpacing, cursor);
      }
    result = ClampFlowY(int64_t{result} + row.RowHeight);
    y = ClampFlowY(int64_t{y} + row.RowHeight);
  }
  HeadOrFoot = (HeaderHeight > 0 || FooterHeight > 0) && bodyRow;
  return result + CellSpacing;
}

int THtmlTable::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int,
                       int containingHeight, int, int, int, int y) {
  (void)x;
  SectionTop = DrawTop = ContentTop = y;
  StartCursor = cursor;
  if (Display == DisplayNone) {
    SectionHeight = DrawHeight = 0;
    SectionBottom = DrawBottom = y;
    CursorLength = 0;
    maxWidth = 0;
    return 0;
  }
  TTableDepth depth(Document);
  TableWidth = FindColumnWidths(canvas, indents, y);
  SectionHeight = RowLayout(canvas, y, std::max(0, containingHeight), cursor);
  CursorLength = cursor - StartCursor;
  maxWidth = TableWidth;
  DrawHeight = SectionHeight;
  SectionBottom = ClampFlowY(int64_t{y} + SectionHeight);
  DrawBottom = ClampFlowY(int64_t{y} + DrawHeight);
  if (Document && Document->FirstBaselineRequest && *Document->FirstBaselineRequest == 0)
    *Document->FirstBaselineRequest = SectionTop + SectionHeight;
  return SectionHeight;
}

void TCellObj::Layout(TCanvas& canvas, int y, int cellSpacing, int& cursor) {
  if (Cell->Count() > 0 && VAlign != 1) {
    const int room = CellHeight - ContentHeight - cellSpacing - VrSpace;
    VOffset = VAlign == 2 ? room / 2 : room;
  } else {
    VOffset = 0;
  }
  int maxWidth = 0;
  const int top = y + cellSpacing + BrdTop + PadTop + VOffset;
  Cell->Layout(canvas, top, cursor, maxWidth, std::max(0, CellHeight - VrSpace - cellSpacing), 0,
               ContentWidth(cellSpacing));
  Cell->CellTop = y;  // the top of the cell's rows, for hit tests before the first paint
  if (Background && Background->Image && Document && Document->ShowImages) {
    Background->Image->MeasureBox(canvas, 0, 0, nullptr);
    if (Background->Image->ShowsStockImage()) Background->Image.reset();
  }
}
