// Pictures of pixel images for raster tests: one character per pixel, row by row.
#pragma once

#include <string>

#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/geometry/Geometry.h"

// '.' white, '#' black, 'r' red, 'g' green, 'b' blue, '?' anything else.
inline std::string Picture(const TPixelImage& img, const TRect& area) {
  std::string s;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) {
      switch (img.At(x, y)) {
        case 0xFFFFFF: s += '.'; break;
        case 0x000000: s += '#'; break;
        case 0xFF0000: s += 'r'; break;
        case 0x00FF00: s += 'g'; break;
        case 0x0000FF: s += 'b'; break;
        default: s += '?'; break;
      }
    }
    s += '\n';
  }
  return s;
}

inline std::string Picture(const TPixelImage& img) { return Picture(img, {0, 0, img.Width(), img.Height()}); }

// The smallest rectangle holding every pixel that differs from background; empty when none.
inline TRect InkBox(const TPixelImage& img, uint32_t background = 0xFFFFFF) {
  TRect box{img.Width(), img.Height(), 0, 0};
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      if (img.At(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}
