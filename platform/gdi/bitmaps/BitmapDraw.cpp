#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/RasterDC.h"

namespace {

// Blends 32-bit pixels with straight alpha over what the device context shows in `rect`:
// the destination is copied out, each pixel mixed with the source pixel that falls on it
// (nearest neighbour when stretching), and the result copied back.
void AlphaBlend(TDeviceContext& dc, const TRect& rect, const TDibImage& image) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  TPixelImage background(w, h);
  TRasterDC copy(background.Buffer());
  copy.BitBlt(0, 0, w, h, &dc, rect.Left, rect.Top, SRCCOPY);
  for (int y = 0; y < h; ++y) {
    int sy = int(int64_t(y) * image.Height() / h);
    for (int x = 0; x < w; ++x) {
      int sx = int(int64_t(x) * image.Width() / w);
      uint32_t src = image.GetRgb(sx, sy), dst = background.At(x, y);
      unsigned a = image.GetAlpha(sx, sy);
      uint32_t out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        unsigned s = src >> shift & 0xFF, d = dst >> shift & 0xFF;
        out |= uint32_t((s * a + d * (255 - a) + 127) / 255) << shift;
      }
      background.Set(x, y, out);
    }
  }
  dc.StretchDIBits(rect.Left, rect.Top, w, h, 0, 0, w, h, background.Buffer(), SRCCOPY);
}

}  // namespace

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (Empty()) return;
  TDeviceContext& dc = canvas.Handle();
  const int w = Width(), h = Height();
  if (alphaFormat_ == afDefined && (PixelFormat() == pf32bit || PixelFormat() == pfDevice)) {
    AlphaBlend(dc, rect, Image());
    return;
  }
  if (!Transparent()) {
    TPixelBuffer pixels = ReadPixels();
    dc.StretchDIBits(rect.Left, rect.Top, rect.Width(), rect.Height(), 0, 0, w, h, pixels, canvas.CopyMode());
    return;
  }
  const uint32_t key = ColorRefToPixel(ColorToRGB(TransparentColor()));
  TPixelBuffer pixels = ReadPixels();
  TPixelImage mask(w, h), picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixels.At(x, y);
      bool transparent = p == key;
      mask.Set(x, y, transparent ? 0xFFFFFF : 0x000000);
      picture.Set(x, y, transparent ? 0x000000 : p);
    }
  dc.StretchDIBits(rect.Left, rect.Top, rect.Width(), rect.Height(), 0, 0, w, h, mask.Buffer(), SRCAND);
  dc.StretchDIBits(rect.Left, rect.Top, rect.Width(), rect.Height(), 0, 0, w, h, picture.Buffer(), SRCPAINT);
}
