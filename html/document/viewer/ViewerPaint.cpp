// Painting: the paint panel draws the part it is asked for into an off-screen bitmap of
// that size (the document's background colour or image, then the document) and copies it
// onto the panel in one go. The viewer itself draws its frame around the panel.
#include <algorithm>
#include <new>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/viewer/ImageDrawing.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"

TPaintPanel::TPaintPanel(TMarkupViewer* viewer) : TCustomControl(viewer), viewer_(*viewer) {}

void TPaintPanel::Paint() {
  if (viewer_.HasState(TMarkupViewer::vsPaintSuspended)) return;
  TCanvas& target = Canvas();
  const TRect clip = target.ClipRect();
  const int w = clip.Width(), h = clip.Height();
  if (w <= 0 || h <= 0) return;
  std::unique_ptr<TPixelImage> pixels;
  try {
    pixels = std::make_unique<TPixelImage>(w, h);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources(u"Out of Resources");
  }
  TRasterDC memory(pixels->Buffer());
  // Document coordinates apply on the bitmap: its top-left pixel is the clip's.
  memory.SetWindowOrgEx(clip.Left, clip.Top);
  TCanvas canvas(&memory);
  canvas.Font().Assign(Font());
  canvas.Brush().SetColor(Color());
  viewer_.UpdateBorder();
  viewer_.DrawDocumentArea(canvas, clip);
  target.Handle().BitBlt(clip.Left, clip.Top, w, h, &memory, clip.Left, clip.Top, SRCCOPY);
}

namespace {

// One tile of the background image at (x, y), w x h pixels.
void DrawTile(TCanvas& canvas, const TImageObject& image, TBitmap* mask, int x, int y, int w, int h) {
  if (const auto* gif = std::get_if<std::unique_ptr<TGIFImage>>(&image)) {
    (*gif)->DrawFrame(canvas, x, y, w, h);
  } else if (const auto* bitmap = std::get_if<std::unique_ptr<TBitmap>>(&image)) {
    if (mask) DrawMaskedBitmap(canvas.Handle(), **bitmap, *mask, x, y, w, h);
    else canvas.StretchDraw(TRect{x, y, x + w, y + h}, **bitmap);
  } else if (const auto* meta = std::get_if<std::unique_ptr<ThtMetaFile>>(&image)) {
    canvas.StretchDraw(TRect{x, y, x + w, y + h}, **meta);
  } else if (const auto* gp = std::get_if<std::unique_ptr<TGpImage>>(&image)) {
    PaintGpImageStretched(canvas.Handle(), **gp, x, y, w, h);
  }
}

}  // namespace

void TMarkupViewer::DrawDocumentArea(TCanvas& Canvas, const TRect& Rect) {
  ThtDocument& document = *DocRoot;
  if (document.IsCopy) return;
  Canvas.Brush().SetColor(PaintPanel_->Color());
  Canvas.FillRect(Rect);
  const TImageObject* image = document.ShowImages ? document.BackgroundImage.get() : nullptr;
  TSize size{0, 0};
  if (image) size = ImageSizeOf(*image);
  if (image && size.cx > 0 && size.cy > 0) {
    const TBackgroundPos& position = document.BackgroundPosition;
    const bool fixed = position[1].Fixed;
    SetState(vsBackgroundFixed, fixed);
    int areaWidth = PaintPanel_->Width(), areaHeight = PaintPanel_->Height(), xShift = 0, yShift = 0;
    if (!fixed) {
      areaWidth = std::max(HScrollBar_->Max(), PaintPanel_->Width());
      areaHeight = std::max(PaintPanel_->Height(), MaxVertical);
      xShift = HScrollBar_->Position();
      yShift = document.YOffset;
    }
    // An image one pixel wide or high is stretched across its range and drawn once that way.
    int tileWidth = size.cx, tileHeight = size.cy;
    if (tileWidth == 1 && position[0].Repeat) tileWidth = areaWidth;
    if (tileHeight == 1 && position[1].Repeat) tileHeight = areaHeight;
    int32_t bottom = 0, right = 0, top = 0, left = 0;
    PlaceBackgroundImage(position, Rect, xShift, bottom, right, top, left, tileHeight, tileWidth, areaHeight,
                         areaWidth, yShift);
    try {
      for (int y = top; y < bottom; y += tileHeight)
        for (int x = left; x < right; x += tileWidth)
          DrawTile(Canvas, *image, document.BackgroundMask.get(), x, y, tileWidth, tileHeight);
    } catch (const Exception&) {
      // A background that cannot be drawn leaves the colour; the document still paints.
    }
  } else {
    SetState(vsBackgroundFixed, false);
  }
  document.Draw(Canvas, Rect, MaxScrollWidth, -HScrollBar_->Position(), 0, 0, 0);
}

void TMarkupViewer::BackgroundChanged() {
  if (PaintPanel_->Color() != DocRoot->BackgroundColor) PaintPanel_->SetColor(DocRoot->BackgroundColor);
}

void TMarkupViewer::Paint() {
  // The frame around the paint panel, and the corner between the scroll bars.
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(TRect{0, 0, Width(), Height()});
  if (borderShown_ && borderStyle_ != THTMLBorderStyle::htNone) {
    canvas.Brush().SetColor(clWindowFrame);
    canvas.FrameRect(TRect{0, 0, Width(), Height()});
  }
}
