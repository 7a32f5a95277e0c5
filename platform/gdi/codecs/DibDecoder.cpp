#include "platform/gdi/codecs/DibDecoder.h"

#include <bit>
#include <cstring>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/codecs/ByteReader.h"
#include "platform/rtl/Unicode.h"

namespace {

// One colour channel under a mask, scaled to 0..255.
struct TMaskChannel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit TMaskChannel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = std::popcount(m >> shift);  // holes in a mask are read as if it were contiguous
    if (bits > 16) bits = 16;
  }
  uint8_t Value(uint32_t pixel) const {
    if (mask == 0) return 0;
    uint32_t v = (pixel & mask) >> shift;
    uint32_t max = (uint32_t{1} << bits) - 1;
    if (v > max) v = max;
    return uint8_t((v * 255 + max / 2) / max);
  }
};

TPixelFormat FormatForMasks(const TDibHeader& h) {
  const uint32_t* m = h.masks;
  if (h.bitCount == 16) {
    if (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F && m[3] == 0) return pf15bit;
    if (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F && m[3] == 0) return pf16bit;
    return m[3] ? pf32bit : pf24bit;
  }
  return pf32bit;
}

void DecodeMasked(const TDibHeader& h, std::string_view bits, size_t srcStride, TDibImage& image) {
  TMaskChannel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]), a(h.masks[3]);
  bool alpha = h.masks[3] != 0;
  auto src = reinterpret_cast<const uint8_t*>(bits.data());
  for (int y = 0; y < h.height; ++y) {
    const uint8_t* row = src + size_t(h.topDown ? y : h.height - 1 - y) * srcStride;
    uint8_t* out = image.ScanLine(y);
    for (int x = 0; x < h.width; ++x) {
      uint32_t pixel;
      if (h.bitCount == 16) {
        pixel = uint32_t(row[2 * x]) | uint32_t(row[2 * x + 1]) << 8;
      } else {
        const uint8_t* q = row + 4 * size_t(x);
        pixel = uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16 | uint32_t(q[3]) << 24;
      }
      uint32_t rgb = uint32_t{r.Value(pixel)} << 16 | uint32_t{g.Value(pixel)} << 8 | b.Value(pixel);
      if (image.Format() == pf32bit) {
        uint8_t* q = out + 4 * size_t(x);
        q[0] = uint8_t(rgb);
        q[1] = uint8_t(rgb >> 8);
        q[2] = uint8_t(rgb >> 16);
        q[3] = alpha ? a.Value(pixel) : 0;
      } else {
        image.SetRgb(x, y, rgb);
      }
    }
  }
}

}  // namespace

TDibImage DecodeDibBits(const TDibHeader& h, std::string_view bits) {
  CheckImageSize(h.width, h.height);
  if (h.compression == BI_RLE8 || h.compression == BI_RLE4) {
    // The run-length data is no larger than the size in the header, when that is given.
    if (h.sizeImage != 0 && h.sizeImage < bits.size()) bits = bits.substr(0, h.sizeImage);
    TDibImage image(h.width, h.height, h.compression == BI_RLE8 ? pf8bit : pf4bit);
    image.SetPalette(h.palette);
    if (h.compression == BI_RLE8)
      DecodeRle8(bits, image);
    else
      DecodeRle4(bits, image);
    return image;
  }

  size_t srcStride = (size_t(h.bitCount) * size_t(h.width) + 31) / 32 * 4;
  // Checked before allocating: a short file cannot make us allocate a large image.
  if (srcStride * size_t(h.height) > bits.size()) throw EInvalidGraphic(S("Bitmap-Daten sind unvollständig"));

  TPixelFormat format;
  switch (h.bitCount) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 24: format = pf24bit; break;
    default: format = FormatForMasks(h); break;
  }
  TDibImage image(h.width, h.height, format);
  image.SetPalette(h.palette);
  // Rows whose layout is the image's own are copied; other masks are taken apart pixel by pixel.
  bool sameLayout = h.bitCount <= 8 || h.bitCount == 24 || format == pf15bit || format == pf16bit ||
                    (h.bitCount == 32 && h.compression == BI_RGB);
  if (!sameLayout) {
    DecodeMasked(h, bits, srcStride, image);
    return image;
  }
  for (int y = 0; y < h.height; ++y) {
    size_t srcRow = size_t(h.topDown ? y : h.height - 1 - y);
    std::memcpy(image.ScanLine(y), bits.data() + srcRow * srcStride, srcStride);
  }
  return image;
}

TDibImage DecodeDib(std::string_view info, std::string_view bits) { return DecodeDibBits(ParseDibHeader(info), bits); }

TDibImage DecodePackedDib(std::string_view packed) {
  TDibHeader h = ParseDibHeader(packed);
  return DecodeDibBits(h, packed.substr(h.infoSize));
}
