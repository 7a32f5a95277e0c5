#include <algorithm>

#include "html/document/blocks/Block.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"

void TBlock::PrepareBackgroundImage(TCanvas& canvas) {
  if (!BackgroundImage || !Document || !Document->ShowImages) return;
  BackgroundImage->MeasureBox(canvas, 0, 0, nullptr);
  if (BackgroundImage->ShowsStockImage()) BackgroundImage.reset();
}

void TBlock::DrawBackgroundImage(TCanvas& canvas, const TRect& paddingBox, const TRect& clip) {
  if (!Document || !Document->ShowImages || !BackgroundImage) return;
  TileBackgroundImage(canvas, *BackgroundImage, BackgroundPosition, paddingBox, clip);
}

void TileBackgroundImage(TCanvas& canvas, TImageObj& image, const TBackgroundPos& position, const TRect& paddingBox,
                         const TRect& clip) {
  const TRect visible = paddingBox.Intersect(clip);
  if (visible.IsEmpty()) return;
  // A picture one pixel wide or high is stretched across the box in that direction.
  if (image.ScaledWidth == 1 && position[0].Repeat) image.ScaledWidth = paddingBox.Width();
  if (image.ScaledHeight == 1 && position[1].Repeat) image.ScaledHeight = paddingBox.Height();
  const int width = image.ScaledWidth, height = image.ScaledHeight;
  if (width <= 0 || height <= 0) return;
  int32_t verticalLimit = 0, horizontalLimit = 0, verticalStart = 0, horizontalStart = 0;
  PlaceBackgroundImage(position, visible.Offset(-paddingBox.Left, -paddingBox.Top), 0, verticalLimit,
                       horizontalLimit, verticalStart, horizontalStart, height, width, paddingBox.Height(),
                       paddingBox.Width(), 0);
  TDeviceContext& dc = canvas.Handle();
  const int level = dc.SaveDC();
  dc.IntersectClipRect(visible);
  for (int y = verticalStart; y < verticalLimit; y += height)
    for (int x = horizontalStart; x < horizontalLimit; x += width)
      image.DrawPicture(canvas, paddingBox.Left + x, paddingBox.Top + y);
  dc.RestoreDC(level);
}
