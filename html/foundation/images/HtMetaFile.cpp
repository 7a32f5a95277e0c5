#include "html/foundation/images/HtMetaFile.h"

#include "html/foundation/images/ImageLoading.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"

namespace {

// A bitmap of the metafile's size filled with `color`, the metafile played onto it.
std::unique_ptr<TBitmap> Render(TMetafile& metafile, TPixelFormat format, TColor color) {
  auto bitmap = std::make_unique<TBitmap>(metafile.Width(), metafile.Height(), format);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Handle().FillRect(TRect{0, 0, metafile.Width(), metafile.Height()}, CreateSolidBrush(ColorToRGB(color)));
  metafile.Draw(canvas, TRect{0, 0, metafile.Width(), metafile.Height()});
  bitmap->Canvas();  // the drawn pixels back into the bitmap
  return bitmap;
}

}  // namespace

void ThtMetaFile::RenderBitmaps() {
  if (RenderedBitmap || Empty()) return;
  try {
    RenderedBitmap = Render(*this, pfDevice, clBlack);
    // On a colour no drawing is likely to use, the pixels left alone are the transparent ones.
    std::unique_ptr<TBitmap> keyed = Render(*this, pf8bit, TColor(0));
    const TRGBQuad entry = keyed->Palette()[115];
    const TColor key = TColor(entry.rgbRed | entry.rgbGreen << 8 | entry.rgbBlue << 16);
    keyed = Render(*this, pf8bit, key);
    RenderedMask = ExtractImageMask(*keyed, true, key);
  } catch (const EInvalidGraphic&) {
    RenderedBitmap.reset();  // the next call tries again
    RenderedMask.reset();
  }
}

TBitmap* ThtMetaFile::GetRenderedBitmap() {
  RenderBitmaps();
  return RenderedBitmap.get();
}

TBitmap* ThtMetaFile::GetRenderedMask() {
  RenderBitmaps();
  return RenderedMask.get();
}

TBitmap* ThtMetaFile::GetWhiteBitmap() {
  if (!WhiteBitmap && !Empty()) {
    try {
      WhiteBitmap = Render(*this, pfDevice, clWhite);
    } catch (const EInvalidGraphic&) {
    }
  }
  return WhiteBitmap.get();
}
