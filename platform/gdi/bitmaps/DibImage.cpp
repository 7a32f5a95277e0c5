#include "platform/gdi/bitmaps/DibImage.h"

#include <string>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/rtl/Unicode.h"

namespace {

uint8_t Expand5(unsigned v) { return uint8_t(v << 3 | v >> 2); }
uint8_t Expand6(unsigned v) { return uint8_t(v << 2 | v >> 4); }

}  // namespace

int PaletteSizeOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 2;
    case pf4bit: return 16;
    case pf8bit: return 256;
    default: return 0;
  }
}

std::vector<TRGBQuad> DefaultPalette(TPixelFormat format) {
  std::vector<TRGBQuad> p;
  switch (format) {
    case pf1bit:
      p = {QuadOfRgb(0x000000), QuadOfRgb(0xFFFFFF)};
      break;
    case pf4bit:
      for (uint32_t rgb : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0x808080u,
                           0xC0C0C0u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
        p.push_back(QuadOfRgb(rgb));
      break;
    case pf8bit:
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b) p.push_back(TRGBQuad{uint8_t(b * 51), uint8_t(g * 51), uint8_t(r * 51), 0});
      for (int i = 0; i < 40; ++i) {
        // 40 greys between the cube's levels, 6 apart, from 6 to 240.
        uint8_t v = uint8_t(6 + i * 6);
        p.push_back(TRGBQuad{v, v, v, 0});
      }
      break;
    default:
      break;
  }
  return p;
}

size_t TDibImage::StrideFor(int width, TPixelFormat format) {
  return (size_t(BitsPerPixelOf(format)) * size_t(width) + 31) / 32 * 4;
}

TDibImage::TDibImage(int width, int height, TPixelFormat format) : format_(format) {
  if (width == 0 && height == 0) {
    palette_ = DefaultPalette(format);
    return;
  }
  CheckImageSize(width, height);
  width_ = width;
  height_ = height;
  stride_ = StrideFor(width, format);
  bits_.assign(stride_ * size_t(height), 0);
  palette_ = DefaultPalette(format);
}

void TDibImage::SetPalette(std::vector<TRGBQuad> palette) {
  int n = PaletteSizeOf(format_);
  if (n == 0) return;
  palette.resize(size_t(n));
  palette_ = std::move(palette);
}

uint8_t* TDibImage::ScanLine(int row) {
  return const_cast<uint8_t*>(static_cast<const TDibImage*>(this)->ScanLine(row));
}

const uint8_t* TDibImage::ScanLine(int row) const {
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation(S("Zeilenindex außerhalb des zulässigen Bereichs"));
  return bits_.data() + size_t(row) * stride_;
}

void TDibImage::CheckPoint(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    throw EInvalidGraphicOperation(S("Pixelkoordinate außerhalb des Bildes"));
}

int TDibImage::GetIndex(int x, int y) const {
  CheckPoint(x, y);
  const uint8_t* row = bits_.data() + size_t(y) * stride_;
  switch (format_) {
    case pf1bit: return row[x >> 3] >> (7 - (x & 7)) & 1;
    case pf4bit: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case pf8bit: return row[x];
    default: throw EInvalidGraphicOperation(S("Bild hat keine Farbtabelle"));
  }
}

void TDibImage::SetIndex(int x, int y, int index) {
  CheckPoint(x, y);
  uint8_t* row = bits_.data() + size_t(y) * stride_;
  switch (format_) {
    case pf1bit: {
      uint8_t bit = uint8_t(0x80 >> (x & 7));
      row[x >> 3] = (index & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
      break;
    }
    case pf4bit:
      row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F))
                            : uint8_t((row[x >> 1] & 0x0F) | (index & 0x0F) << 4);
      break;
    case pf8bit: row[x] = uint8_t(index); break;
    default: throw EInvalidGraphicOperation(S("Bild hat keine Farbtabelle"));
  }
}

uint32_t TDibImage::GetRgb(int x, int y) const {
  if (IsIndexedFormat(format_)) return RgbOfQuad(palette_[size_t(GetIndex(x, y))]);
  CheckPoint(x, y);
  const uint8_t* row = bits_.data() + size_t(y) * stride_;
  switch (format_) {
    case pf15bit: {
      unsigned v = unsigned(row[2 * x]) | unsigned(row[2 * x + 1]) << 8;
      return uint32_t{Expand5(v >> 10 & 31)} << 16 | uint32_t{Expand5(v >> 5 & 31)} << 8 | Expand5(v & 31);
    }
    case pf16bit: {
      unsigned v = unsigned(row[2 * x]) | unsigned(row[2 * x + 1]) << 8;
      return uint32_t{Expand5(v >> 11 & 31)} << 16 | uint32_t{Expand6(v >> 5 & 63)} << 8 | Expand5(v & 31);
    }
    case pf24bit: {
      const uint8_t* p = row + 3 * size_t(x);
      return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
    default: {
      const uint8_t* p = row + 4 * size_t(x);
      return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
  }
}

void TDibImage::SetRgb(int x, int y, uint32_t rgb) {
  if (IsIndexedFormat(format_)) {
    SetIndex(x, y, NearestIndex(rgb));
    return;
  }
  CheckPoint(x, y);
  uint8_t* row = bits_.data() + size_t(y) * stride_;
  unsigned r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  switch (format_) {
    case pf15bit: {
      unsigned v = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
      row[2 * x] = uint8_t(v);
      row[2 * x + 1] = uint8_t(v >> 8);
      break;
    }
    case pf16bit: {
      unsigned v = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
      row[2 * x] = uint8_t(v);
      row[2 * x + 1] = uint8_t(v >> 8);
      break;
    }
    case pf24bit: {
      uint8_t* p = row + 3 * size_t(x);
      p[0] = uint8_t(b);
      p[1] = uint8_t(g);
      p[2] = uint8_t(r);
      break;
    }
    default: {
      uint8_t* p = row + 4 * size_t(x);
      p[0] = uint8_t(b);
      p[1] = uint8_t(g);
      p[2] = uint8_t(r);
      break;
    }
  }
}

uint8_t TDibImage::GetAlpha(int x, int y) const {
  CheckPoint(x, y);
  if (format_ != pf32bit && format_ != pfDevice) return 255;
  return bits_[size_t(y) * stride_ + 4 * size_t(x) + 3];
}

int TDibImage::NearestIndex(uint32_t rgb) const {
  int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
  int best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < palette_.size(); ++i) {
    long dr = palette_[i].rgbRed - r, dg = palette_[i].rgbGreen - g, db = palette_[i].rgbBlue - b;
    long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = int(i);
      if (d == 0) break;
    }
  }
  return best;
}
