// TPdfEnum: bitmaps of bit-block transfers as image XObjects, and pattern fills.
#include <algorithm>
#include <cstdint>
#include <limits>

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

namespace {

// A corner beyond another by a size, kept inside the range of coordinates.
TPoint Beyond(TPoint p, TSize size) {
  auto add = [](int a, int b) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{a} + b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  };
  return {add(p.X, size.cx), add(p.Y, size.cy)};
}

TRect RectAt(TPoint p, TSize size) {
  TPoint far = Beyond(p, size);
  return {p.X, p.Y, far.X, far.Y};
}

}  // namespace

void TPdfEnum::PlayBlt(const TEmfRecord& r) {
  TEmfBlt b = ReadEmfBlt(r);
  TRect dest = RectAt(b.Dest, b.DestSize);
  if (!b.HasBitmap()) {
    // A pattern fill with the brush; other operations without a source are not drawn.
    if (b.Rop == PATCOPY && !Cur().BrushNull) FillRectWithBrush(dest, Cur().BrushColor);
    return;
  }
  DrawDeviceBitmap(RectAt(b.Source, b.SourceSize), Bounded(dest), b.Info, b.Bits);
}

void TPdfEnum::PlayStretchDIBits(const TEmfRecord& r) {
  TEmfStretchDib d = ReadEmfStretchDib(r);
  if (!d.HasBitmap()) return;
  DrawDeviceBitmap(RectAt(d.Source, d.SourceSize), Bounded(RectAt(d.Dest, d.DestSize)), d.Info, d.Bits);
}
