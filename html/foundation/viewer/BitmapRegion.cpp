#include "html/foundation/viewer/BitmapRegion.h"

#include <vector>

#include "platform/gdi/bitmaps/Bitmap.h"

std::optional<TRegion> RegionFromBitmap(const TBitmap& bitmap, const TXForm* transform, TColor color) {
  // Rectangles are turned into a region 2000 at a time and ORed into the result.
  constexpr size_t kBatch = 2000;
  const uint32_t key = static_cast<uint32_t>(color) & 0xFFFFFF;
  std::optional<TRegion> result;
  std::vector<TRect> rects;
  auto flush = [&] {
    if (rects.empty()) return;
    TRegion part = TRegion::FromRects(rects, transform);
    result = result ? TRegion::Combine(*result, part, RGN_OR) : part;
    rects.clear();
  };
  for (int y = 0; y < bitmap.Height(); ++y) {
    int runStart = -1;
    for (int x = 0; x <= bitmap.Width(); ++x) {
      bool differs = x < bitmap.Width() && (static_cast<uint32_t>(bitmap.GetPixel(x, y)) & 0xFFFFFF) != key;
      if (differs && runStart < 0) runStart = x;
      if (!differs && runStart >= 0) {
        rects.push_back(TRect{runStart, y, x, y + 1});
        runStart = -1;
        if (rects.size() == kBatch) flush();
      }
    }
  }
  flush();
  if (result && result->IsEmpty()) return std::nullopt;
  return result;
}
