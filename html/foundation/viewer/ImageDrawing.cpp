#include "html/foundation/viewer/ImageDrawing.h"

#include <optional>

#include "html/foundation/gif/HtBitmap.h"
#include "html/foundation/images/GdiPlusImages.h"
#include "html/foundation/viewer/BitmapRegion.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/rtl/Exceptions.h"

void DrawMaskedBitmap(TDeviceContext& dc, TBitmap& bitmap, TBitmap& mask, int x, int y, int w, int h) {
  if (dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES) == 1) return;
  int oldMode = dc.SetStretchBltMode(HALFTONE);
  StretchThroughMask(dc, TRect{x, y, x + w, y + h}, bitmap, mask, TRect{0, 0, bitmap.Width(), bitmap.Height()});
  dc.SetStretchBltMode(oldMode);
}

namespace {

// Runs one image's drawing; an image that cannot be drawn is left out, so that the rest of
// the page still paints.
template <class Drawing>
void LeaveOutOnFailure(Drawing&& drawing) {
  try {
    drawing();
  } catch (const Exception&) {
    // Nothing of this image appears; the caller goes on with the next item of the page.
  }
}

}  // namespace

void PrintBitmapDIB(TCanvas& canvas, int x, int y, int w, int h, const TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return;
  LeaveOutOnFailure([&] {
    TPixelBuffer pixels = bitmap->ReadPixels();
    canvas.Handle().StretchDIBits(x, y, w, h, 0, 0, bitmap->Width(), bitmap->Height(), pixels, SRCCOPY);
  });
}

namespace {

// Rows top .. top + height of a bitmap.
TBitmap StripOf(const TBitmap& source, int top, int height) {
  TBitmap strip(source);
  if (top == 0 && height == source.Height()) return strip;
  TDibImage rows(source.Width(), height, source.PixelFormat());
  rows.SetPalette(source.Image().Palette());
  for (int y = 0; y < height; ++y) {
    int from = top + y;
    if (from < 0 || from >= source.Height()) continue;
    std::copy_n(source.Image().ScanLine(from), rows.Stride(), rows.ScanLine(y));
  }
  strip.SetImage(std::move(rows));
  return strip;
}

void PrintMaskedStrip(TCanvas& canvas, int x, int y, int w, int h, const TBitmap& image, const TBitmap& mask,
                      int stripTop, int stripHeight) {
  TBitmap picture = StripOf(image, stripTop, stripHeight);
  picture.SetPixelFormat(pf32bit);
  TBitmap holes = StripOf(mask, stripTop, stripHeight);
  // Transparent pixels white, so that nothing of them shows should the clipping be coarse.
  for (int row = 0; row < stripHeight; ++row)
    for (int col = 0; col < picture.Width(); ++col)
      if (holes.GetPixel(col, row) == clWhite) picture.SetPixel(col, row, clWhite);

  TDeviceContext& dc = canvas.Handle();
  const TSize window = dc.GetWindowExtEx(), viewport = dc.GetViewportExtEx();
  const TPoint origin = dc.GetWindowOrgEx();
  const double ratioX = window.cx ? static_cast<double>(viewport.cx) / window.cx : 1.0;
  const double ratioY = window.cy ? static_cast<double>(viewport.cy) / window.cy : 1.0;
  TXForm transform{static_cast<double>(w) / image.Width() * ratioX, 0, 0,
                   static_cast<double>(h) / stripHeight * ratioY, (x - origin.X) * ratioX, y * ratioY};
  std::optional<TRegion> opaque = RegionFromBitmap(holes, &transform, clWhite);
  if (!opaque) return;
  TRegion saved;
  const bool hadClip = dc.GetClipRgn(saved);
  TRegion clip = hadClip ? TRegion::Combine(*opaque, saved, RGN_AND) : *opaque;
  dc.SelectClipRgn(&clip);
  PrintBitmapDIB(canvas, x, y, w, h, &picture);
  dc.SelectClipRgn(hadClip ? &saved : nullptr);
}

}  // namespace

void PrintMaskedBitmap(TCanvas& canvas, int x, int y, int w, int h, const TBitmap& image, const TBitmap& mask,
                       int stripTop, int stripHeight) {
  if (image.Empty() || stripHeight <= 0 || image.Width() <= 0) return;
  LeaveOutOnFailure([&] { PrintMaskedStrip(canvas, x, y, w, h, image, mask, stripTop, stripHeight); });
}

void PaintGpImageAt(TDeviceContext& dc, const TGpImage& image, int x, int y) {
  LeaveOutOnFailure([&] { TGpGraphics(dc).DrawImageRect(image, x, y, image.GetWidth(), image.GetHeight()); });
}

void PaintGpImagePart(TDeviceContext& dc, const TGpImage& image, int x, int y, int srcX, int srcY, int srcW,
                      int srcH) {
  LeaveOutOnFailure([&] { TGpGraphics(dc).DrawImagePart(image, x, y, srcX, srcY, srcW, srcH); });
}

void PaintGpImageStretched(TDeviceContext& dc, const TGpImage& image, int x, int y, int w, int h) {
  LeaveOutOnFailure([&] { TGpGraphics(dc).DrawImageRect(image, x, y, w, h); });
}

void PaintGpImageStretchedScaled(TDeviceContext& dc, const TGpImage& image, int x, int y, int w, int h,
                                 double scaleX, double scaleY) {
  LeaveOutOnFailure([&] {
    TGpGraphics graphics(dc);
    graphics.ScaleBy(scaleX, scaleY);
    graphics.DrawImageRect(image, x, y, w, h);
  });
}

void PaintGpImageScaled(TDeviceContext& dc, const TGpImage& image, int x, int y, double scaleX, double scaleY) {
  LeaveOutOnFailure([&] {
    TGpGraphics graphics(dc);
    graphics.ScaleBy(scaleX, scaleY);
    graphics.DrawImageRect(image, x, y, image.GetWidth(), image.GetHeight());
  });
}

void PrintGpImageOnColor(TCanvas& canvas, const TGpImage& image, int x, int y, int w, int h, TColor backColor) {
  LeaveOutOnFailure([&] {
    TBitmap bitmap(image.GetWidth(), image.GetHeight(), pfDevice);
    if (bitmap.Empty()) return;
    TDeviceContext& dc = bitmap.Canvas().Handle();
    dc.FillRect(TRect{0, 0, image.GetWidth(), image.GetHeight()}, CreateSolidBrush(ColorToRGB(backColor)));
    TGpGraphics(dc).DrawImageRect(image, 0, 0, image.GetWidth(), image.GetHeight());
    bitmap.Canvas();
    canvas.StretchDraw(TRect{x, y, x + w, y + h}, bitmap);
  });
}
