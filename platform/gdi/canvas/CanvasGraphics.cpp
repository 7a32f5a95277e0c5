// Drawing pictures on a canvas: the picture's pixels go through StretchDIBits; a transparent
// picture first clears the destination where it is opaque (AND with its mask) and then adds
// its opaque pixels (OR), so its transparent colour leaves the destination as it was.
#include <algorithm>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"

namespace {

void DrawBitmap(TDeviceContext& dc, const TRect& r, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const int w = bitmap.Width(), h = bitmap.Height();
  if (!bitmap.Transparent()) {
    TPixelBuffer pixels = bitmap.BeginDraw();
    dc.StretchDIBits(r.Left, r.Top, r.Width(), r.Height(), 0, 0, w, h, pixels, SRCCOPY);
    return;
  }
  const uint32_t key = ColorRefToPixel(ColorToRGB(bitmap.TransparentColor()));
  TPixelBuffer pixels = bitmap.BeginDraw();
  // mask: black where the picture is opaque, white where it is transparent;
  // picture: the transparent pixels turned black.
  TPixelImage mask(w, h), picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixels.At(x, y);
      bool transparent = p == key;
      mask.Set(x, y, transparent ? 0xFFFFFF : 0x000000);
      picture.Set(x, y, transparent ? 0x000000 : p);
    }
  dc.StretchDIBits(r.Left, r.Top, r.Width(), r.Height(), 0, 0, w, h, mask.Buffer(), SRCAND);
  dc.StretchDIBits(r.Left, r.Top, r.Width(), r.Height(), 0, 0, w, h, picture.Buffer(), SRCPAINT);
}

void DrawGraphic(TDeviceContext& dc, const TRect& r, TGraphic& graphic) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&graphic)) {
    DrawBitmap(dc, r, *bitmap);
    return;
  }
  TBitmap copy;
  graphic.AssignTo(copy);
  copy.SetTransparent(graphic.Transparent());
  DrawBitmap(dc, r, copy);
}

}  // namespace

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  BeginDrawing();
  DrawGraphic(Handle(), Bounds(x, y, graphic.Width(), graphic.Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic& graphic) {
  BeginDrawing();
  DrawGraphic(Handle(), r, graphic);
}
