// ThtBitmap: a bitmap with its own mask (white = transparent). Drawing selects the stretch
// mode by the device's colour depth and goes through the mask when HasMask is set.
#pragma once

#include <memory>

#include "platform/gdi/bitmaps/Bitmap.h"

class TDeviceContext;

// The `source` part of a bitmap stretched into `dest` through its mask (white =
// transparent): the destination stays where the mask is white.
void StretchThroughMask(TDeviceContext& dc, const TRect& dest, TBitmap& bitmap, TBitmap& mask, const TRect& source);

class ThtBitmap : public TBitmap {
 public:
  ThtBitmap() = default;

  std::unique_ptr<TBitmap> MaskBitmap;
  bool HasMask = false;

  // The whole bitmap stretched into `rect`.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // The `source` part of the bitmap (and of the mask) stretched into `dest`.
  void StretchDrawPart(TCanvas& canvas, const TRect& dest, const TRect& source);
};
