#include "html/foundation/images/PictureReduction.h"

#include <algorithm>
#include <cstdint>
#include <vector>

TSize PrintedPictureSize(TSize own, int width, int height) {
  const auto side = [](int ownSide, int drawn) {
    const int64_t enough = int64_t{std::max(drawn, 1)} * PrintedSamplesPerPixel;
    return static_cast<int>(std::min<int64_t>(ownSide, enough));
  };
  return {side(own.cx, width), side(own.cy, height)};
}

std::unique_ptr<TBitmap> ReducePicture(const TBitmap& picture, TSize size, bool onWhite) {
  const TDibImage& from = picture.Image();
  const int sourceWidth = from.Width(), sourceHeight = from.Height();
  TDibImage to(size.cx, size.cy, pf24bit);
  const bool direct = from.Format() == pf32bit;
  // The column of the new picture that each source column falls in.
  std::vector<int> column(static_cast<size_t>(sourceWidth));
  for (int x = 0; x < sourceWidth; ++x) column[static_cast<size_t>(x)] = static_cast<int>(int64_t{x} * size.cx / sourceWidth);
  struct TSum {
    uint64_t Red = 0, Green = 0, Blue = 0, Count = 0;
  };
  std::vector<TSum> sums(static_cast<size_t>(size.cx));
  int row = 0;
  for (int y = 0; y < sourceHeight; ++y) {
    const uint32_t* pixels = direct ? reinterpret_cast<const uint32_t*>(from.ScanLine(y)) : nullptr;
    for (int x = 0; x < sourceWidth; ++x) {
      uint32_t argb = direct ? pixels[x] : from.GetRgb(x, y);
      uint32_t red = (argb >> 16) & 0xFF, green = (argb >> 8) & 0xFF, blue = argb & 0xFF;
      if (onWhite) {
        const uint32_t alpha = argb >> 24;
        red = (red * alpha + 255 * (255 - alpha)) / 255;
        green = (green * alpha + 255 * (255 - alpha)) / 255;
        blue = (blue * alpha + 255 * (255 - alpha)) / 255;
      }
      TSum& sum = sums[static_cast<size_t>(column[static_cast<size_t>(x)])];
      sum.Red += red;
      sum.Green += green;
      sum.Blue += blue;
      ++sum.Count;
    }
    const bool rowEnds = y + 1 == sourceHeight || static_cast<int>(int64_t{y + 1} * size.cy / sourceHeight) != row;
    if (!rowEnds) continue;
    for (int x = 0; x < size.cx; ++x) {
      TSum& sum = sums[static_cast<size_t>(x)];
      if (sum.Count > 0)
        to.SetRgb(x, row, static_cast<uint32_t>((sum.Red / sum.Count) << 16 | (sum.Green / sum.Count) << 8 |
                                                sum.Blue / sum.Count));
      sum = TSum{};
    }
    ++row;
  }
  auto reduced = std::make_unique<TBitmap>();
  reduced->SetImage(std::move(to));
  return reduced;
}
