#include "html/foundation/gif/HtBitmap.h"

#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"

namespace {
constexpr uint32_t kDestAndNotSource = 0x00220326;  // DSna
}  // namespace

void StretchThroughMask(TDeviceContext& dc, const TRect& dest, TBitmap& bitmap, TBitmap& mask, const TRect& source) {
  // Keep the destination where the mask is white, then OR in the part of the bitmap with
  // its transparent pixels cleared to black.
  const int sourceWidth = source.Right - source.Left, sourceHeight = source.Bottom - source.Top;
  if (sourceWidth <= 0 || sourceHeight <= 0) return;
  TDeviceContext& own = bitmap.Canvas().Handle();
  TDeviceContext& maskDc = mask.Canvas().Handle();
  TBitmap opaque(sourceWidth, sourceHeight, pf32bit);
  TDeviceContext& part = opaque.Canvas().Handle();
  part.BitBlt(0, 0, sourceWidth, sourceHeight, &own, source.Left, source.Top, SRCCOPY);
  part.SetTextColor(0x000000);
  part.SetBkColor(0xFFFFFF);
  part.BitBlt(0, 0, sourceWidth, sourceHeight, &maskDc, source.Left, source.Top, kDestAndNotSource);
  COLORREF oldText = dc.SetTextColor(0x000000);
  COLORREF oldBack = dc.SetBkColor(0xFFFFFF);
  const int width = dest.Right - dest.Left, height = dest.Bottom - dest.Top;
  dc.StretchBlt(dest.Left, dest.Top, width, height, &maskDc, source.Left, source.Top, sourceWidth, sourceHeight, SRCAND);
  dc.StretchBlt(dest.Left, dest.Top, width, height, &opaque.Canvas().Handle(), 0, 0, sourceWidth, sourceHeight,
                SRCPAINT);
  dc.SetTextColor(oldText);
  dc.SetBkColor(oldBack);
}

void ThtBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  StretchDrawPart(canvas, rect, TRect{0, 0, Width(), Height()});
}

void ThtBitmap::StretchDrawPart(TCanvas& canvas, const TRect& dest, const TRect& source) {
  if (Empty()) return;
  TDeviceContext& dc = canvas.Handle();
  const int deviceBits = dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES);
  const int ownBits = BitsPerPixelOf(PixelFormat());
  if (deviceBits <= 8 && (ownBits == 15 || ownBits == 16 || ownBits == 24))
    dc.SetStretchBltMode(HALFTONE);
  else if (!Monochrome())
    dc.SetStretchBltMode(COLORONCOLOR);

  const int width = dest.Right - dest.Left, height = dest.Bottom - dest.Top;
  const int sourceWidth = source.Right - source.Left, sourceHeight = source.Bottom - source.Top;
  TDeviceContext& own = Canvas().Handle();
  if (HasMask && MaskBitmap) {
    StretchThroughMask(dc, dest, *this, *MaskBitmap, source);
  } else {
    dc.StretchBlt(dest.Left, dest.Top, width, height, &own, source.Left, source.Top, sourceWidth, sourceHeight,
                  canvas.CopyMode());
  }
}
