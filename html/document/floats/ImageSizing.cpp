#include "html/document/floats/ImageSizing.h"

#include <algorithm>
#include <limits>

int32_t ScaleClamped(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  // The product of two 64-bit values needs 128 bits.
  const __int128 p = static_cast<__int128>(a) * b;
  const bool negative = (p < 0) != (c < 0);
  const unsigned __int128 up = static_cast<unsigned __int128>(p < 0 ? -p : p);
  const unsigned __int128 uc = static_cast<unsigned __int128>(c < 0 ? -static_cast<__int128>(c) : c);
  const unsigned __int128 q = (up + uc / 2) / uc;
  if (negative) return 0;
  const unsigned __int128 limit = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::min(q, limit));
}

namespace {
bool Given(int32_t specified) { return specified >= 0; }
int32_t Room(int32_t available) { return std::max<int32_t>(0, available); }
}  // namespace

TImageSize ComputeImageSize(const TImageSizeRequest& r) {
  TImageSize size;
  const int32_t w = std::max<int32_t>(0, r.ImageWidth), h = std::max<int32_t>(0, r.ImageHeight);
  if (r.WidthIsPercent) {
    size.Width = ScaleClamped(Room(r.AvailableWidth), r.SpecWidth, 100);
    if (r.HeightIsPercent) size.Height = ScaleClamped(Room(r.AvailableHeight), r.SpecHeight, 100);
    else if (Given(r.SpecHeight)) size.Height = r.SpecHeight;
    else size.Height = ScaleClamped(size.Width, h, w);
  } else if (r.HeightIsPercent) {
    size.Height = ScaleClamped(Room(r.AvailableHeight), r.SpecHeight, 100);
    if (Given(r.SpecWidth)) size.Width = r.SpecWidth;
    else size.Width = ScaleClamped(size.Height, w, h);
  } else {
    size.Fixed = true;
    if (Given(r.SpecWidth) && Given(r.SpecHeight)) {
      size.Width = r.SpecWidth;
      size.Height = r.SpecHeight;
    } else if (Given(r.SpecHeight)) {
      size.Height = r.SpecHeight;
      size.Width = ScaleClamped(size.Height, w, h);
    } else if (Given(r.SpecWidth)) {
      size.Width = r.SpecWidth;
      size.Height = ScaleClamped(size.Width, h, w);
    } else {
      size.Width = w;
      size.Height = h;
    }
  }
  return size;
}
