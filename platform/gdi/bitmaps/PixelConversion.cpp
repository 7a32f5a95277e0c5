#include "platform/gdi/bitmaps/PixelConversion.h"

#include <cstring>
#include <unordered_map>

namespace {

bool Has32BitPixels(TPixelFormat f) { return f == pf32bit || f == pfDevice; }

// Collects the distinct colours of an image in order of first use; false when there are
// more than `limit`.
bool CollectColours(const TDibImage& image, size_t limit, std::vector<TRGBQuad>& colours) {
  std::unordered_map<uint32_t, int> seen;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      uint32_t rgb = image.GetRgb(x, y);
      if (seen.emplace(rgb, 0).second) {
        if (seen.size() > limit) return false;
        colours.push_back(QuadOfRgb(rgb));
      }
    }
  return true;
}

TDibImage ToIndexed(const TDibImage& source, TPixelFormat format) {
  TDibImage out(source.Width(), source.Height(), format);
  size_t size = size_t(PaletteSizeOf(format));
  if (IsIndexedFormat(source.Format()) && source.BitsPerPixel() < out.BitsPerPixel()) {
    out.SetPalette(source.Palette());
    for (int y = 0; y < source.Height(); ++y)
      for (int x = 0; x < source.Width(); ++x) out.SetIndex(x, y, source.GetIndex(x, y));
    return out;
  }
  std::vector<TRGBQuad> colours;
  if (CollectColours(source, size, colours)) out.SetPalette(colours);
  std::unordered_map<uint32_t, int> nearest;
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) {
      uint32_t rgb = source.GetRgb(x, y);
      auto it = nearest.find(rgb);
      if (it == nearest.end()) it = nearest.emplace(rgb, out.NearestIndex(rgb)).first;
      out.SetIndex(x, y, it->second);
    }
  return out;
}

}  // namespace

TDibImage ConvertPixelFormat(const TDibImage& source, TPixelFormat format) {
  if (source.Format() == format) return source;
  if (source.Empty()) return TDibImage(0, 0, format);
  if (IsIndexedFormat(format)) return ToIndexed(source, format);
  TDibImage out(source.Width(), source.Height(), format);
  if (Has32BitPixels(source.Format()) && Has32BitPixels(format)) {
    std::memcpy(out.Bits(), source.Bits(), source.BitsSize());
    return out;
  }
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) out.SetRgb(x, y, source.GetRgb(x, y));
  return out;
}
