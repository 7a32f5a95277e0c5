// The bands of a page while a table with header or footer rows is cut into pages. The
// table's drawing sets its part record's kind; the loop below draws the band that kind asks
// for, and draws again while the table asks for more on the same page:
//   header rows at the top of the page, then the body below them (a first pass that lets the
//   table choose where the body stops, then the pass that draws it), then the footer rows
//   right below the last body row of the page.
#include <bitset>

#include "html/document/model/Document.h"
#include "html/document/paging/PageRenderer.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/regions/Region.h"

namespace {
void SelectClip(TCanvas& canvas, const TRect& rect) {
  const TRegion region = TRegion::FromRect(rect);
  canvas.Handle().SelectClipRgn(&region);
}
}  // namespace

void TPageRenderer::DrawBands(TCanvas& canvas) {
  TTablePartRec* record = PartRecord();
  uint8_t kind = record ? record->PartKind : uint8_t{tpNormal};
  if (kind == tpBodyDraw) record->PartKind = kind = tpNormal;
  // Every kind is drawn at most once on a page: a table that leaves its record unchanged
  // (for example not drawn by a pass at all) cannot keep the page from ending.
  std::bitset<8> drawn;
  for (;;) {
    drawn.set(kind & 7);
    switch (kind) {
      case tpHeader: {
        // The page begins with the header band.
        copy_->SetYOffset(record->PartStart);
        TRect band = page_;
        band.Bottom = page_.Top + record->PartHeight;
        SelectClip(canvas, TRect{0, 0, width_ + 1, band.Bottom});
        DrawInto(canvas, band, width_);
        break;
      }
      case tpBody:
      case tpBodyNext: {
        TRect band = page_;
        band.Top = copy_->PageBottom - 1 - copy_->YOffset;
        copy_->SetYOffset(record->PartStart - band.Top);
        // The first pass only decides where the body stops on this page: it draws on a
        // canvas that keeps nothing, so the page holds each row once.
        TCanvas firstPass(std::make_unique<TMeasureDC>());
        // A body continued without header rows is a body below a header of no height: the
        // first pass makes room for the footer rows below it as well.
        record->PartKind = tpBody;
        DrawInto(firstPass, band, 3 * width_);
        record->PartKind = tpBodyDraw;
        drawn.set(tpBodyDraw);
        band.Bottom = copy_->PageBottom - copy_->YOffset + 1;
        SelectClip(canvas, TRect{0, band.Top, width_ + 1, band.Bottom});
        DrawInto(canvas, band, width_);
        FillBelowPageBottom(canvas);
        break;
      }
      case tpFooter: {
        // The footer rows right below the last body row of the page.
        const int pageBottom = copy_->PageBottom;
        TRect band = page_;
        band.Top = pageBottom - copy_->YOffset;
        band.Bottom = band.Top + record->PartHeight;
        SelectClip(canvas, TRect{0, band.Top, width_ + 1, band.Bottom});
        copy_->SetYOffset(record->PartStart - band.Top);
        DrawInto(canvas, band, width_);
        copy_->PageBottom = pageBottom;
        break;
      }
      default:
        DrawInto(canvas, page_, width_);
        FillBelowPageBottom(canvas);
        break;
    }
    record = PartRecord();
    if (!record) return;
    kind = record->PartKind;
    if (kind == tpBodyDraw) {
      // The second pass did not reach the table: the next page continues it as usual.
      record->PartKind = tpNormal;
      return;
    }
    if ((kind != tpBody && kind != tpFooter) || drawn.test(kind & 7)) return;
  }
}
