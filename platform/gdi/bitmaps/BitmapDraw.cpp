#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (Empty()) return;
  TDeviceContext& dc = canvas.Handle();
  const int w = Width(), h = Height();
  if (!Transparent()) {
    TPixelBuffer pixels = BeginDraw();
    dc.StretchDIBits(rect.Left, rect.Top, rect.Width(), rect.Height(), 0, 0, w, h, pixels, canvas.CopyMode());
    return;
  }
  const uint32_t key = ColorRefToPixel(ColorToRGB(TransparentColor()));
  TPixelBuffer pixels = BeginDraw();
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
