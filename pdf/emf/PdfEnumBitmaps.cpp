// TPdfEnum: bitmaps of bit-block transfers as image XObjects, and pattern fills.
#include <algorithm>

#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/metafile/EmfDib.h"
#include "platform/gdi/metafile/EmfRecords.h"

// source: the pixels of the DIB to take (left, top, right, bottom); dest: logical units.
void TPdfEnum::DrawDeviceBitmap(const TRect& source, const TRect& dest, std::string_view info, std::string_view bits) {
  TBitmap bitmap;
  bitmap.LoadFromDib(info, bits);
  TRect whole{0, 0, bitmap.Width(), bitmap.Height()};
  TRect src = TPdfCanvas::NormalizeRect(source);
  src = {std::max(src.Left, 0), std::max(src.Top, 0), std::min(src.Right, whole.Right), std::min(src.Bottom, whole.Bottom)};
  if (src.IsEmpty() || dest.Width() == 0 || dest.Height() == 0) return;
  if (!(src == whole)) {
    TBitmap part(src.Width(), src.Height(), bitmap.Monochrome() ? pf1bit : pf24bit);
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x) part.SetPixel(x, y, bitmap.GetPixel(src.Left + x, src.Top + y));
    bitmap = part;
  }
  TRect d = TPdfCanvas::NormalizeRect(dest);
  TPdfRect placement;
  canvas_.RectToPdfRect(d, placement.Left, placement.Bottom, placement.Right, placement.Top);
  canvas_.Doc().CreateOrGetImage(bitmap, &placement);
}

void TPdfEnum::PlayBlt(const TEmfRecord& r, bool stretch) {
  TPoint at = r.PointL(24);
  TSize size = r.SizeL(32);
  TRect dest{at.X, at.Y, at.X + size.cx, at.Y + size.cy};
  uint32_t rop = r.U32(40), bmiAt = r.U32(84), bmiSize = r.U32(88), bitsAt = r.U32(92), bitsSize = r.U32(96);
  if (bmiAt == 0 || bitsAt == 0) {
    // A pattern fill with the brush; other operations without a source are not drawn.
    if (rop == PATCOPY && !Cur().BrushNull) FillRectWithBrush(dest, Cur().BrushColor);
    return;
  }
  TPoint from = r.PointL(44);
  TSize fromSize = stretch ? r.SizeL(100) : size;
  DrawDeviceBitmap({from.X, from.Y, from.X + fromSize.cx, from.Y + fromSize.cy}, dest, r.Span(bmiAt, bmiSize),
                   r.Span(bitsAt, bitsSize));
}

void TPdfEnum::PlayStretchDIBits(const TEmfRecord& r) {
  uint32_t bmiAt = r.U32(48), bmiSize = r.U32(52), bitsAt = r.U32(56), bitsSize = r.U32(60);
  if (bmiAt == 0 || bitsAt == 0) return;
  TPoint at = r.PointL(24), from = r.PointL(32);
  TSize fromSize = r.SizeL(40), size = r.SizeL(72);
  // Rows of a bottom-up bitmap (positive height) are counted from its bottom.
  bool bottomUp = r.U32(bmiAt) == 12 || r.I32(bmiAt + 8) > 0;
  if (bottomUp) {
    int height = r.U32(bmiAt) == 12 ? r.U16(bmiAt + 6) : r.I32(bmiAt + 8);
    from.Y = height - from.Y - fromSize.cy;
  }
  DrawDeviceBitmap({from.X, from.Y, from.X + fromSize.cx, from.Y + fromSize.cy},
                   {at.X, at.Y, at.X + size.cx, at.Y + size.cy}, r.Span(bmiAt, bmiSize), r.Span(bitsAt, bitsSize));
}
